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

#include "model/colour_codes.h"
#include "model/mountain.h"
#include "model/prefault.h"

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

// above holds 1, 2 and 3 units; the tests are strict and tried from the top.
inline int curvatureLevel(float kappa, const float* above)
{
    return kappa > above[2] ? 3 : kappa > above[1] ? 2 : kappa > above[0] ? 1 : 0;
}

}  // namespace

int curvatureColour(float kappa, float unit)
{
    const float above[3] = {unit, 2 * unit, 3 * unit};
    return levelColours[curvatureLevel(kappa, above)];
}

CurvaturePass::CurvaturePass(mountain& mesh) : m(mesh)
{
    above[0] = units;
    above[1] = 2 * units;
    above[2] = 3 * units;
    cArrayCount = 0;
    cArrayMax = 0;
    cArrayMin = 0;
    delete[] cArray;
    cArray = nullptr;
    const std::size_t values = static_cast<std::size_t>(m.nrows > 0 && m.ncols > 0 ? m.nrows : 0) *
                               static_cast<std::size_t>(m.ncols > 0 ? m.ncols : 0);
    cArray = new float[values];
    prefault(cArray, values * sizeof(float));
}

void CurvaturePass::cellRows(int first, int end)
{
    if (m.triangles == nullptr)
        return;
    const int cells = m.ncols - 1;
    for (int r = first; r < end; r++) {
        triangle* t = m.triangles + static_cast<std::size_t>(r) * (2 * cells);
        if (r == 0 || cells < 1) {
            for (int c = 0; c < cells; c++, t += 2)
                t[0].curveColor = t[1].curveColor = MOUNTAINGREEN;
            counts[3] += std::max(cells, 0);
            continue;
        }
        t[0].curveColor = t[1].curveColor = MOUNTAINGREEN;
        counts[3]++;
        t += 2;
        const float* up = m.grid[r - 1];
        const float* row = m.grid[r];
        const float* down = m.grid[r + 1];
        float* out = cArray + cArrayCount;
        float low = smallest, high = largest;
        double sum = sumOfSquares;
        for (int c = 1; c < cells; c++, t += 2) {
            // Summed in double, where four floats and 4h add exactly, then rounded.
            const double s = double(up[c]) + double(row[c - 1]) + double(row[c + 1]) + double(down[c]) -
                             4.0 * double(row[c]);
            const float kappa = static_cast<float>(std::fabs(s));
            if (c == 1 && cArrayCount == 0)
                low = kappa;
            *out++ = kappa;
            if (kappa < low)
                low = kappa;
            sum += double(kappa) * double(kappa);
            if (kappa > high)
                high = kappa;
            const int level = curvatureLevel(kappa, above);
            t[0].curveColor = t[1].curveColor = levelColours[level];
            counts[3 - level]++;
        }
        if (cells > 1) {
            cArrayCount += cells - 1;
            smallest = low;
            largest = high;
            sumOfSquares = sum;
        }
    }
}

void CurvaturePass::finish()
{
    if (cArrayCount > 0) {
        cArrayMin = smallest;
        cArrayMax = largest;
    }
    for (int i = 0; i < 4; i++)
        m.curveCounts[i] = counts[i];
    m.totalSq = static_cast<float>(sumOfSquares);
    m.maxCurve = largest;
    setStats(m.maxCurve, m.totalSq, counts[0], counts[1], counts[2], counts[3]);
}

void mountain::compute_curve_color()
{
    CurvaturePass pass(*this);
    pass.cellRows(0, std::max(nrows - 1, 0));
    pass.finish();
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
