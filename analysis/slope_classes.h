#pragma once
// Accuracy by the steepness of the terrain: the figures of d = reference - DEM per slope
// class of the DEM at the point, 0-5, 5-10, 10-20, 20-30, 30-45 and over 45 degrees. A
// slope exactly on a bound belongs to the class above it.
//
// The slope at grid point (r, c) is atan(|gradient|) in degrees, the gradient from
// differences of the heights over the ground cell lengths (GridView's groundX east-west,
// groundY north-south):
//   dz/dx = (h(r, c+1) - h(r, c-1)) / (2 groundX)      central, both neighbours heights
//         = (h(r, c+1) - h(r, c)) / groundX            one-sided, at the west border or
//         = (h(r, c) - h(r, c-1)) / groundX            next to a point that is no height
// and likewise north-south with the rows. A point that is no height itself, or that has no
// height on either side in one direction, has no slope and is counted apart. The classes
// compare |gradient| with the tangents of their bounds, so a 1:1 slope is exactly 45.

#include <string>
#include <vector>

#include "analysis/checkpoints.h"
#include "model/grid_view.h"

struct SlopeClassFigures {
    double from = 0, to = 0;  // degrees; the last class runs to 90
    long long points = 0;
    double mean = 0, std = 0, rmse = 0, nmad = 0, le90 = 0;  // as accuracyOf; 0 without points
};

struct SlopeFigures {
    std::vector<SlopeClassFigures> classes;  // always the six, steepest last
    long long withoutSlope = 0;              // points whose grid point has no slope
    std::string problem;                     // "" or why they could not be made; classes then empty
};

// The slope class 0-5 of grid point (r, c), or -1 where it has no slope.
int slopeClassAt(const GridView& dem, int r, int c);

// Over the comparison points (comparedAt in analysis/compared_points.h), at their own grid
// point; comparison has the DEM's size. Holds one double per compared point, which it
// counts first and refuses when the memory available is less.
SlopeFigures slopeFiguresOfComparison(const GridView& dem, const float* const* comparison);

// Over the tested checkpoints, each with the slope of the grid point nearest to it.
SlopeFigures slopeFiguresOfCheckpoints(const GridView& dem, const std::vector<Checkpoint>& points,
                                       const std::vector<CheckpointHeight>& heights);
