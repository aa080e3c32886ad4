#pragma once
// The vegetation rule's answer per grid point of mt, remembered from frame to frame. The
// rule reads a five-point stencil and takes up to three arc tangents per point, about a
// fifth of a full frame, and its answer only changes with the heights, the grid's size and
// cellsize, TREELINE and SLOPE. Two bits per point: known, and high.
//
// The heights only change when a grid is loaded; a load through the view's commands and
// resetView forget what is remembered, and a grid at another address or of another
// size, cellsize, treeline or slope limit starts anew.

// vegetationHigh(mt.grid[row][col], row, col), worked out once per point.
bool rememberedVegetationHigh(int row, int col);

void forgetVegetation();
