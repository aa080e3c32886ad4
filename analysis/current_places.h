#pragma once
// The worst places of the data set loaded (analysis/worst_places.h), for karvo-report's
// lists and page and for the viewer's review.

#include <vector>

#include "analysis/worst_places.h"

// The first n places of the kind in mt, with the masking in force, graded by the unit in
// force (units) and, for the difference, against the comparison set loaded beside mt (rd,
// of mt's size) with its contour interval; none for the difference without one.
std::vector<Place> currentWorstPlaces(PlaceKind kind, int n);

// The figures of grid point (row, col) of mt (cellFigures), graded and compared as above;
// a point outside the grid, or no grid, gives a place without figures.
Place currentCellFigures(int row, int col);
