#pragma once
// A read-only look at a grid of heights, for the analysis kernels: they take one of these
// (and their other inputs) as arguments and return a result, reading no global.
//
// Grid point (r, c) stands at the centre of its pixel: x = xllcorner + (c + 0.5) x
// cellsize, y = yllcorner + (nrows - r - 0.5) x cellsize; row 0 is the north row.

#include <cmath>

// A height is a height when it is finite and, where nodata is masked, not the nodata value.
inline bool validHeight(float h, bool maskValue, float nodata) { return std::isfinite(h) && !(maskValue && h == nodata); }

// A comparison value that marks data: above 0, and finite (NaN, no value, does not).
inline bool comparisonData(float value) { return value > 0 && value <= 3.40282347e+38f; }

struct GridView {
    const float* const* rows = nullptr;  // rows[r][c]
    int nrows = 0, ncols = 0;
    double xllcorner = 0, yllcorner = 0, cellsize = 0;  // as read, in the grid's own unit
    // The length of a cell in the heights' unit, east-west and north-south: the cellsize,
    // or for cells in degrees the lengths on the ground.
    double groundX = 0, groundY = 0;
    bool maskValue = false;  // points holding the nodata value are no heights
    float nodata = 0;

    float at(int r, int c) const { return rows[r][c]; }
    bool valid(int r, int c) const { return validHeight(rows[r][c], maskValue, nodata); }
    bool inside(int r, int c) const { return r >= 0 && c >= 0 && r < nrows && c < ncols; }
    double x(int c) const { return xllcorner + (c + 0.5) * cellsize; }
    double y(int r) const { return yllcorner + (nrows - r - 0.5) * cellsize; }
};

// A cell (r, c) spans the points (r, c) to (r + 1, c + 1); it is masked when a point its
// triangles or its curvature read holds no height: its four corners and, for r, c >= 1,
// the points above and left of its first corner.
inline bool cellMasked(const GridView& g, int r, int c)
{
    return !g.valid(r, c) || !g.valid(r + 1, c) || !g.valid(r, c + 1) || !g.valid(r + 1, c + 1) ||
           (r >= 1 && c >= 1 && (!g.valid(r - 1, c) || !g.valid(r, c - 1)));
}
