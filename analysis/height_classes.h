#pragma once
// Height classes: for every position within one contour interval, how many grid points
// of mt have a rounded height at that position. Class 0 holds the points on the contour
// levels themselves; a DEM interpolated from contours shows too many points there.

// The class of a height: floor(height + 0.5) modulo interval, never negative
// (-3 with interval 20 is class 17). interval must be above 0.
int heightClass(float height, int interval);

// The most classes a pass counts: one line each in the report and a bar each in the
// graph, so an interval beyond this is refused rather than printed for hours.
const int MAX_HEIGHT_CLASSES = 100000;

void resetHeightClasses();
