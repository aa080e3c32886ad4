#pragma once
// The figures of one window of a grid, from the piece of it in memory (the window and its
// halo), in the form that adds up over windows: counts, exact sums, the largest values with
// their places, and the differences as a histogram. The windows of a partition of the grid
// add up to the figures of the whole grid: every cell belongs to the window that holds its
// first corner, and every point to the window that holds it.

#include <map>

#include "analysis/accuracy.h"
#include "analysis/exact_sum.h"
#include "model/grid_view.h"

// Where the window lies in the piece: its first row and column there and its size, and
// where the piece's point (0, 0) lies in the whole grid (for the places). The piece holds a
// halo point on every side where the whole grid has one.
struct WindowPlace {
    int firstRow = 0, firstCol = 0, rows = 0, cols = 0;
    int gridRow = 0, gridCol = 0;
};

// The histogram's step: a difference d counts at llround(d / step).
const double histogramStep = 0.001;

struct WindowFigures {
    long long points = 0, cells = 0, maskedCells = 0;
    float zmin = 0, zmax = 0;  // of the valid heights; zmin > zmax without one
    // Curvature, as the pass grades the cells.
    ExactSum squares;
    float maxCurve = 0;
    int maxCurveRow = -1, maxCurveCol = -1;  // the first cell in row order with maxCurve
    long long curveCounts[4] = {0, 0, 0, 0};  // level 3 first
    // Difference levels per cell, and d = comparison - DEM per compared point.
    long long diffCounts[5] = {0, 0, 0, 0, 0};  // level 4 first
    DifferenceSums differences;
    int maxAbsRow = -1, maxAbsCol = -1;  // the first point in row order with the largest |d|
    std::map<long long, long long> histogram;
};

// The figures of the window at place in dem, against comparison (rows of dem's size, or
// nullptr without comparison data), the curvature graded by unit and the differences by
// interval.
WindowFigures windowFigures(const GridView& dem, const float* const* comparison, const WindowPlace& place, float unit,
                            int interval);

// Adds b's figures to a's: the figures of the two windows together.
void addWindowFigures(WindowFigures& a, const WindowFigures& b);

// NMAD and LE90 of a histogram of differences, each within a step of the figure of the
// differences themselves (the value of a bin is its middle).
void histogramQuantiles(const std::map<long long, long long>& histogram, double& nmad, double& le90);
