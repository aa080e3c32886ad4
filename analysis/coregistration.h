#pragma once
// Coregistration of a reference DEM to a DEM by the method of Nuth and Kaab (The
// Cryosphere 5, 2011): the horizontal shift of the reference against the DEM and the
// vertical bias between them, found from how their difference follows the DEM's slope and
// aspect, and the reference moved by both onto the DEM, for the difference and accuracy
// figures to be taken on.
//
// The reference lies on the DEM's grid already (nrows x ncols floats, row-major, row 0
// north; a value that is not finite is no value). Units: shifts in cells and in the
// heights' unit on the ground (a cell is groundX long east-west and groundY north-south),
// the bias in the heights' unit. Signs: with the reference's terrain lying east and north of
// the DEM's and above it,
//   reference(x, y) = DEM(x - east, y - north) + bias      east, north, bias > 0.
//
// Slope and aspect of the DEM at a point whose four neighbours are valid DEM points:
//   gx = (h(r, c+1) - h(r, c-1)) / (2 groundX)      rise to the east
//   gy = (h(r-1, c) - h(r+1, c)) / (2 groundY)      rise to the north
//   tan(slope) = sqrt(gx^2 + gy^2),  aspect psi = atan2(-gx, -gy)
// psi is the direction the slope faces, clockwise from north (90 degrees: facing east).
// Points on the border or beside an invalid DEM point have no slope: they take no part in
// the fit, only in the bias and the figures.
//
// Each iteration, over the comparison points (a valid DEM point, and a value of the
// reference shifted by the shift found so far), with d = reference - DEM:
//   - the robust bound |d - median(d)| <= 3 NMAD, taken anew;
//   - on the points within it with tan(slope) > minTanSlope, y = (d - median(d)) / tan(slope);
//     the median of y in each 5 degree aspect bin holding at least 3 points, and over these
//     bins, at their centres, the least squares fit
//       y = a cos(b - psi) + c = north' cos(psi) + east' sin(psi) + c;
//   - (east', north') is added to the shift, and the reference read again at the new shift
//     by bilinear interpolation of its values on the DEM's grid (analysis/grid_shift.h).
// It ends when the increment is below toleranceCells (converged) or after maxIterations,
// or with the shift found so far when a fit fails: fewer than minSlopedPoints sloped points
// within the bound, or bins facing too narrow a range of directions (the fit's normal
// matrix over the bins, divided by their count, with determinant below 0.01: bins all
// around give 1/4, over half a circle about 0.05, over a quarter about 0.001).
// Then the bias is the median of d within its bound at the final shift, flat points
// included: they measure the bias best, and flat terrain keeps a bias without a shift.
//
// A grid with more than maxSamplePoints valid DEM points is sampled: about that many of
// them, chosen by a hash of their position (the same every run, and no lattice that a
// periodic terrain could line up with). The coregistered reference is always full size.

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/accuracy.h"
#include "model/grid_view.h"

struct CoregistrationOptions {
    double minTanSlope = 0.05;       // flatter points say nothing about a horizontal shift
    int maxIterations = 10;
    double toleranceCells = 0.01;    // length of the last increment, in cells, to stop at
    long long maxSamplePoints = 250000;   // 0: every point
    long long minSlopedPoints = 200;      // sloped points within the bound a fit needs
    // Told the share of the work done (0 to 1) between the steps: after the sample is
    // taken, after each fit, and 1 when the coregistered reference is made. May be empty.
    std::function<void(double share)> progress;
};

enum class CoregistrationStatus {
    Converged,           // the last increment was below the tolerance
    NotConverged,        // maxIterations fits, the last increment still above it
    TooFewSlopedPoints,  // fewer than minSlopedPoints for a fit
    TooFewAspects,       // the sloped points face too narrow a range of directions
    NoCommonPoints,      // no point is valid in both grids
};

// The line a program prints for a status, e.g. "Coregistration: too few sloped points for
// the fit".
const char* coregistrationStatusText(CoregistrationStatus status);

struct Coregistration {
    CoregistrationStatus status = CoregistrationStatus::NoCommonPoints;
    // The shift of the reference against the DEM, in cells and in the heights' unit. When
    // a fit fails after the first iteration, the shift found until then.
    double eastCells = 0, northCells = 0;
    double east = 0, north = 0;
    double bias = 0;      // reference - DEM after the horizontal shift
    int iterations = 0;   // fits made
    long long samplePoints = 0;  // valid DEM points the method draws from (all, or the sample)
    long long slopedPoints = 0;  // sloped points within the bound in the last fit
    // Figures of d over the points used (the sample's comparison points within the robust
    // bound): before, of the reference as given; after, of the shifted reference less the
    // bias. Empty without comparison points.
    std::optional<Accuracy> before, after;
    // The coregistered reference on the DEM's grid, nrows x ncols: the reference read at
    // (x + east, y + north) less the bias; NaN where the shifted reference has no value
    // (a neighbour it weighs has none or lies off the grid). Where the DEM has no value
    // the reference keeps its own.
    std::vector<float> reference;
};

// Coregisters reference (dem.nrows x dem.ncols values) to dem.
Coregistration coregistrationOf(const GridView& dem, const float* reference, const CoregistrationOptions& options = {});

// The bytes coregistrationOf allocates beyond its inputs, at most: for refusing a grid too
// large before calling it.
std::size_t coregistrationBytes(int nrows, int ncols, const CoregistrationOptions& options = {});
