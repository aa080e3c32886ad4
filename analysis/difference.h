#pragma once
// Local difference error: at every grid point where the comparison set carries data
// (a finite value above 0), the DEM height minus the comparison value, graded by its size
// relative to the contour interval into five levels (above 20, 15, 10 and 5 percent,
// and the rest).

// Results of the last pass on mt. dArray holds one signed difference per point with
// comparison data, in pass order, and is replaced by each pass.
extern float* dArray;
extern int dArrayCount;
extern float dArrayMax;
extern float dArrayMin;

// Published for the statistics window by setSparse at the end of every pass.
extern int D20;
extern int D15;
extern int D10;
extern int D5;
extern int D;

void setSparse(int d20, int d15, int d10, int d5, int d);

// The colour code of a difference for a contour interval. The ratio is held in single
// precision and compared with the thresholds in double precision, so a ratio of exactly
// 0.05 (a difference of 1 with interval 20) already counts as above 5 percent.
int differenceColour(float difference, int contourInterval);
// The level 0-4 of a difference for an interval, graded as differenceColour grades it.
int differenceLevel(float difference, float interval);

// Forgets the difference results: no difference colour on any cell, no values.
void clearDifference();

void resetDifference();

// The packed colour code of a difference level 0-4.
int differenceLevelColour(int level);
