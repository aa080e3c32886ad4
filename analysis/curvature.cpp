// Curvature pass. At interior point (r, c):
//
//              h(r-1,c)
//   h(r,c-1)  -4 h(r,c)  h(r,c+1)        kappa = | sum |
//              h(r+1,c)
//
// The value belongs to the cell whose first corner is (r, c); cells of the first row and
// column get level 0 and no value, and the last row and column of points belong to no
// cell.

#include "analysis/curvature.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>

#include "model/colour_codes.h"
#include "model/large_memory.h"
#include "model/mountain.h"

float units = 1.0f;

float* cArray = nullptr;
int cArrayCount = 0;
float cArrayMax = 0;
float cArrayMin = 0;

float MAX_CURVE = 0;
float TOTAL_SQ = 0;
int C15 = 0;
int C10 = 0;
int C5 = 0;
int C = 0;

void setStats(float maxCurve, float totalSq, int c15, int c10, int c5, int c)
{
    MAX_CURVE = maxCurve;
    TOTAL_SQ = totalSq;
    C15 = c15;
    C10 = c10;
    C5 = c5;
    C = c;
}

namespace {

const int levelColours[4] = {MOUNTAINGREEN, YELLOW, ORANGE, RED};

}  // namespace

// above holds 1, 2 and 3 units; the tests are strict and tried from the top.
int curvatureLevel(float kappa, const float* above)
{
    return kappa > above[2] ? 3 : kappa > above[1] ? 2 : kappa > above[0] ? 1 : 0;
}

int curvatureColour(float kappa, float unit)
{
    const float above[3] = {unit, 2 * unit, 3 * unit};
    return levelColours[curvatureLevel(kappa, above)];
}

int curvatureLevelColour(int level) { return levelColours[level]; }

void mountain::compute_curve_color()
{
    const float above[3] = {units, 2 * units, 3 * units};
    // One value per interior point.
    const std::size_t values = nrows > 2 && ncols > 2 ? std::size_t(nrows - 2) * std::size_t(ncols - 2) : 0;
    releaseLarge(cArray);
    cArray = static_cast<float*>(allocateLarge(values * sizeof(float), true));
    if (cArray == nullptr && values > 0)
        throw std::bad_alloc();
    cArrayCount = 0;
    cArrayMax = cArrayMin = 0;

    int counts[4] = {0, 0, 0, 0};
    double sumOfSquares = 0;  // a float sum loses whole units on large grids
    float largest = 0, smallest = 0;
    const int cells = ncols - 1;
    // The level arrays are made with the scaling; without them there is no mesh to grade.
    const bool graded = curveLevels.size() == cellCount() && cellCount() > 0;
    // Masked cells get no value and count in no level.
    const bool masking = this->masking();
    auto counted = [&](int r, int c) { return !masking || !cellMasked(r, c); };
    for (int r = 0; graded && r + 1 < nrows; r++) {
        std::uint8_t* level = curveLevels.data() + static_cast<std::size_t>(r) * cells;
        // The first row and column of cells have no value and are level 0.
        level[0] = 0;
        counts[3] += counted(r, 0);
        if (r == 0) {
            std::fill(level, level + cells, 0);
            for (int c = 1; c < cells; c++)
                counts[3] += counted(r, c);
            continue;
        }
        const float* up = grid[r - 1];
        const float* row = grid[r];
        const float* down = grid[r + 1];
        float* out = cArray + cArrayCount;
        for (int c = 1; c < cells; c++) {
            if (!counted(r, c)) {
                level[c] = 0;
                continue;
            }
            // Summed in double, where four floats and 4h add exactly, then rounded.
            const double s = double(up[c]) + double(row[c - 1]) + double(row[c + 1]) + double(down[c]) -
                             4.0 * double(row[c]);
            const float kappa = static_cast<float>(std::fabs(s));
            if (out == cArray)
                smallest = kappa;
            *out++ = kappa;
            if (kappa < smallest)
                smallest = kappa;
            sumOfSquares += double(kappa) * double(kappa);
            if (kappa > largest)
                largest = kappa;
            const int l = curvatureLevel(kappa, above);
            level[c] = static_cast<std::uint8_t>(l);
            counts[3 - l]++;
        }
        cArrayCount = static_cast<int>(out - cArray);
    }
    if (cArrayCount > 0) {
        cArrayMin = smallest;
        cArrayMax = largest;
    }
    for (int i = 0; i < 4; i++)
        curveCounts[i] = counts[i];
    totalSq = static_cast<float>(sumOfSquares);
    maxCurve = largest;
    setStats(maxCurve, totalSq, counts[0], counts[1], counts[2], counts[3]);
}

void resetCurvature()
{
    units = 1.0f;
    releaseLarge(cArray);
    cArray = nullptr;
    cArrayCount = 0;
    cArrayMax = cArrayMin = 0;
    setStats(0, 0, 0, 0, 0, 0);
}
