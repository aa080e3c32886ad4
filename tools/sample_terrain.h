#pragma once
// Deterministic terrain for the bundled sample data: a mountain DEM, its contour raster,
// a DEM interpolated back from those contours (which shows the terracing that height
// classes reveal) and a sparse set of spot heights.

#include <vector>

#include "model/grid_writer.h"

struct Terrain {
    GridHeader header;
    std::vector<float> heights;  // row-major, row 0 first
};

// 220 rows x 250 columns at cellsize 25, all heights positive, summit above 2200.
Terrain sampleMountain();

// The contour's height in every cell that a contour line (a multiple of interval) passes
// through, 0 elsewhere. A line between two neighbouring points is given to the point
// nearer to the line's height.
std::vector<float> contourRaster(const Terrain& terrain, int interval);

// Inverse-distance interpolation from the nearest contour cell in each of eight
// directions, as simple contour-to-grid interpolators do; contour cells keep their height.
std::vector<float> interpolateFromContours(const GridHeader& header, const std::vector<float>& contours,
                                           const std::vector<float>& fallback);

// The terrain's local maxima plus randomly chosen points, each with its height; 0 elsewhere.
std::vector<float> spotHeights(const Terrain& terrain, int randomCount, unsigned seed);
