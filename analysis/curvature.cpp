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

#include <cmath>
#include <cstddef>

#include "model/colour_codes.h"
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

int curvatureColour(float kappa, float unit)
{
    if (kappa > 3 * unit)
        return RED;
    if (kappa > 2 * unit)
        return ORANGE;
    if (kappa > unit)
        return YELLOW;
    return MOUNTAINGREEN;
}

namespace {

int levelIndex(int colour)  // position in curveCounts, level 3 first
{
    switch (colour) {
    case RED: return 0;
    case ORANGE: return 1;
    case YELLOW: return 2;
    default: return 3;
    }
}

}  // namespace

void mountain::compute_curve_color()
{
    int counts[4] = {0, 0, 0, 0};
    double sumOfSquares = 0;  // a float sum loses whole units on large grids
    float largest = 0;
    cArrayCount = 0;
    cArrayMax = 0;
    cArrayMin = 0;
    delete[] cArray;
    cArray = new float[static_cast<std::size_t>(nrows > 0 && ncols > 0 ? nrows : 0) *
                       static_cast<std::size_t>(ncols > 0 ? ncols : 0)];

    if (triangles != nullptr) {
        const float unit = units;
        for (int r = 0; r < nrows - 1; r++) {
            triangle* t = triangles + static_cast<std::size_t>(r) * (2 * ncols - 2);
            for (int c = 0; c < ncols - 1; c++, t += 2) {
                int colour = MOUNTAINGREEN;
                if (r > 0 && c > 0) {
                    // Summed in double, where four floats and 4h add exactly, then rounded.
                    const double sum = double(grid[r - 1][c]) + double(grid[r][c - 1]) + double(grid[r][c + 1]) +
                                       double(grid[r + 1][c]) - 4.0 * double(grid[r][c]);
                    const float kappa = static_cast<float>(std::fabs(sum));
                    if (cArrayCount == 0)
                        cArrayMin = kappa;
                    cArray[cArrayCount++] = kappa;
                    if (kappa < cArrayMin)
                        cArrayMin = kappa;
                    sumOfSquares += double(kappa) * double(kappa);
                    if (kappa > largest)
                        largest = kappa;
                    cArrayMax = largest;
                    colour = curvatureColour(kappa, unit);
                }
                t[0].curveColor = t[1].curveColor = colour;
                counts[levelIndex(colour)]++;
            }
        }
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
    delete[] cArray;
    cArray = nullptr;
    cArrayCount = 0;
    cArrayMax = cArrayMin = 0;
    setStats(0, 0, 0, 0, 0, 0);
}
