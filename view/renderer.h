#pragma once
// One frame of the 3D view, drawn into the GL context that is current: camera, axes,
// light, mesh, sun and profile. The mesh is drawn with y negated and each normal
// (nx, ny, nz) given as (-nx, ny, -nz).

void display();

// Grids above this many points are drawn as outlines while the left button is held.
const int PREVIEW_POINTS = 100000;

// While the left button is held the frame is a quick preview. A grid of at most
// PREVIEW_POINTS points draws every frameStep-th triangle of its mesh (at most 2; 1 for a
// still frame). A larger one draws the outlines of coarse cells that span previewStep x
// previewStep cells, about 250000 of them, and the full mesh again once the button is
// released; previewStep is 0 where the frame is no such preview.
int frameStep(int rows, int cols, bool buttonHeld);
int previewStep(int rows, int cols, bool buttonHeld);
