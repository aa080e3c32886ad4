#pragma once
// Sparse data generation: the DEM's local maxima (at most LOCALNUM) plus random spot
// heights, written as a grid body to standard output. The random points come from the
// C library's rand(), which nothing seeds, so a run picks the same points every time.
// The DEM itself is never changed.

#include <vector>

class mountain;

struct randomHeight {
    int row;
    int col;
    float height;  // the DEM height at (row, col)
};

const int LOCALNUM = 100;  // the fewest spot heights accepted and the most maxima taken

// The whole generation on m with n spot heights, as mountain::makeSparseFile runs it:
// console lines on standard output and standard error, the pause that reads one integer
// from standard input, the grid body on standard output. Returns the sparse grid that was
// written, row-major, or an empty vector when nothing was made (n below LOCALNUM or above
// the number of grid points, no grid). A height that is not finite is never a spot height.
std::vector<float> makeSparseGrid(mountain& m, int n);
