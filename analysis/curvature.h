#pragma once
// Curvature error: the absolute discrete Laplacian at every interior grid point, graded
// against the unit `units` into four levels (above 3, 2 and 1 units, and the rest).
// Values are in height units and stay so: they are not divided by cellsize squared, so
// the unit the user picks reads as metres (or feet) of bend.

extern float units;  // curvature unit, also the profile's tolerance; 1.0 at start

// Results of the last pass on mt. cArray holds one value per interior point in pass
// order and is replaced by each pass.
extern float* cArray;
extern int cArrayCount;
extern float cArrayMax;
extern float cArrayMin;

// Published for the statistics window by setStats at the end of every pass.
extern float MAX_CURVE;
extern float TOTAL_SQ;
extern int C15;  // level 3: above 3 units
extern int C10;  // level 2: above 2 units
extern int C5;   // level 1: above 1 unit
extern int C;    // level 0

void setStats(float maxCurve, float totalSq, int c15, int c10, int c5, int c);

// The colour code of a curvature value for a given unit; thresholds are strict.
int curvatureColour(float kappa, float unit);
// The level 0-3 of a curvature value; above holds 1, 2 and 3 units as floats.
int curvatureLevel(float kappa, const float* above);

void resetCurvature();

// The packed colour code of a curvature level 0-3.
int curvatureLevelColour(int level);
