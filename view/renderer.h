#pragma once
// One frame of the 3D view, drawn into the GL context that is current: camera, axes,
// light, mesh, sun and profile. The mesh is drawn with y negated and each normal
// (nx, ny, nz) given as (-nx, ny, -nz).

void display();

// The triangle step of the current frame: 1, or larger while the left button is held
// (the fast preview draws every incr-th triangle).
int frameStep(int rows, int cols, bool buttonHeld);
