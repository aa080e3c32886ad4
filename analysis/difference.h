#pragma once
// Local difference error: at every grid point where the comparison set carries data
// (a finite value above 0), the DEM height minus the comparison value, graded by its size
// relative to the contour interval into five levels (above 20, 15, 10 and 5 percent,
// and the rest).

#include <cstdint>

#include "model/grid_view.h"
#include "model/large_memory.h"

// What a pass finds besides the cells' levels.
struct DifferenceFigures {
    // d = DEM - comparison of every cell with comparison data, in pass order; room for
    // nrows x ncols values, mapped as they are written (most sets carry data at few points).
    LargeArray<float> values;
    int count = 0;
    float maximum = 0, minimum = 0;  // of the signed values; 0 and 0 without values
    int counts[5] = {0, 0, 0, 0, 0};  // cells per level, level 4 first; masked cells in none
};

struct DifferenceResult {
    LargeVector<std::uint8_t> levels;  // per cell, k = r * (ncols - 1) + c: 0-4
    DifferenceFigures figures;
};

// The difference of the cells of dem from comparison (rows of dem's size), graded by
// interval. The point looked at for a cell is its first corner (r, c); cells without
// comparison data are level 0, masked cells (cellMasked) level 0 in no count. levels is
// room for the result's levels, taken when it has the size and left to the caller when the
// values find no memory: then bad_alloc.
DifferenceResult differenceLevels(const GridView& dem, const float* const* comparison, int interval,
                                  LargeVector<std::uint8_t>&& levels = {});

// The figures of the last pass on mt, its one store: every name below reads or writes it,
// and resetDifference clears it. Its levels are the mesh's (mt.diffLevels).
extern DifferenceFigures lastDifference;

extern float*& dArray;  // lastDifference.values, replaced by each pass
extern int& dArrayCount;
extern float& dArrayMax;
extern float& dArrayMin;

extern int& D20;
extern int& D15;
extern int& D10;
extern int& D5;
extern int& D;

void setSparse(int d20, int d15, int d10, int d5, int d);

// The colour code of a difference for a contour interval. The ratio is held in single
// precision and compared with the thresholds in double precision, so a ratio of exactly
// 0.05 (a difference of 1 with interval 20) already counts as above 5 percent.
int differenceColour(float difference, int contourInterval);
// The level 0-4 of a difference for an interval, graded as differenceColour grades it.
int differenceLevel(float difference, float interval);

// Forgets the difference results: no difference colour on any cell, no values.
void clearDifference();

// lastDifference emptied.
void resetDifference();

// The packed colour code of a difference level 0-4.
int differenceLevelColour(int level);
