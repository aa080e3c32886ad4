#pragma once
// Height classes: for every position within one contour interval, how many grid points
// of the DEM have a rounded height at that position. Class 0 holds the points on the
// contour levels themselves; a DEM interpolated from contours shows too many points there.

#include <vector>

#include "model/grid_view.h"

// The class of a height: floor(height + 0.5) modulo interval, never negative
// (-3 with interval 20 is class 17). interval must be above 0.
int heightClass(float height, int interval);

// The most classes a pass counts: one line each in the report and a bar each in the
// graph, so an interval beyond this is refused rather than printed for hours.
const int MAX_HEIGHT_CLASSES = 100000;

struct HeightClassTable {
    std::vector<int> classes;        // points per class; empty without a table
    int classMin = 0, classMax = 0;  // the smallest and largest entry
    int interval = 0;                // the contour interval it was counted for
};

// The classes of the valid points of dem (all rows and columns) for an interval of 1 to
// MAX_HEIGHT_CLASSES. Throws bad_alloc when the table finds no memory.
HeightClassTable heightClassCounts(const GridView& dem, int interval);

// The table of the last pass on mt, its one store (read through mountain::classes and
// the like); resetHeightClasses clears it.
extern HeightClassTable lastHeightClasses;

void resetHeightClasses();
