#pragma once
// Curvature error: the absolute discrete Laplacian at every interior grid point, graded
// against a unit into four levels (above 3, 2 and 1 units, and the rest). Values are in
// height units and stay so: they are not divided by cellsize squared, so the unit the
// user picks reads as metres (or feet) of bend.

#include <cmath>
#include <cstdint>

#include "model/grid_view.h"
#include "model/large_memory.h"

extern float units;  // curvature unit, also the profile's tolerance; 1.0 at start

// What a pass finds besides the cells' levels.
struct CurvatureFigures {
    // kappa of every graded cell, in pass order; room for nrows x ncols values.
    LargeArray<float> values;
    int count = 0;
    float maxCurve = 0;  // the largest value; 0 without values
    float minimum = 0;   // the smallest value; 0 without values
    float totalSq = 0;   // the sum of the squared values, summed exactly and rounded
    int counts[4] = {0, 0, 0, 0};  // cells per level, level 3 first; masked cells in none
};

struct CurvatureResult {
    LargeVector<std::uint8_t> levels;  // per cell, k = r * (ncols - 1) + c: 0-3
    CurvatureFigures figures;
};

// The curvature of the cells of dem, graded by unit. The value of interior point (r, c)
// belongs to the cell whose first corner it is; cells of the first row and column are
// level 0 with no value, masked cells (cellMasked) level 0 in no count. levels is room
// for the result's levels, taken when it has the size (a pass over the same grid then maps
// no new memory) and left to the caller when the values find no memory: then bad_alloc.
CurvatureResult curvatureLevels(const GridView& dem, float unit, LargeVector<std::uint8_t>&& levels = {});

// kappa at column c of row, between the rows up and down. Summed in double, where four
// floats and 4h add exactly, then rounded.
inline float curvatureOf(const float* up, const float* row, const float* down, int c)
{
    const double s =
        double(up[c]) + double(row[c - 1]) + double(row[c + 1]) + double(down[c]) - 4.0 * double(row[c]);
    return static_cast<float>(std::fabs(s));
}

// kappa at interior point (r, c) of g.
inline float curvatureAt(const GridView& g, int r, int c)
{
    return curvatureOf(g.rows[r - 1], g.rows[r], g.rows[r + 1], c);
}

// The figures of the last pass on mt, its one store: every name below reads or writes it,
// and resetCurvature clears it. Its levels are the mesh's (mt.curveLevels).
extern CurvatureFigures lastCurvature;

extern float*& cArray;  // lastCurvature.values, replaced by each pass
extern int& cArrayCount;
extern float& cArrayMax;  // the same figure as MAX_CURVE and mt.maxCurve()
extern float& cArrayMin;

extern float& MAX_CURVE;
extern float& TOTAL_SQ;
extern int& C15;  // level 3: above 3 units
extern int& C10;  // level 2: above 2 units
extern int& C5;   // level 1: above 1 unit
extern int& C;    // level 0

void setStats(float maxCurve, float totalSq, int c15, int c10, int c5, int c);

// The colour code of a curvature value for a given unit; thresholds are strict.
int curvatureColour(float kappa, float unit);
// The level 0-3 of a curvature value; above holds 1, 2 and 3 units as floats.
int curvatureLevel(float kappa, const float* above);

// The unit back to 1.0 and lastCurvature emptied.
void resetCurvature();

// The packed colour code of a curvature level 0-3.
int curvatureLevelColour(int level);
