#pragma once
// Sparse data generation: the DEM's local maxima (at most LOCALNUM) plus random spot
// heights, written as a grid body to standard output.

struct randomHeight {
    int row;
    int col;
    float height;  // the DEM height at (row, col)
};

const int LOCALNUM = 100;  // the fewest spot heights accepted and the most maxima taken
