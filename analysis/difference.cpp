// Difference pass. The point looked at for a cell is its first corner (r, c); the last
// row and column of points are not examined. Cells without comparison data are level 0.

#include "analysis/difference.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "model/colour_codes.h"
#include "model/mountain.h"

float* dArray = nullptr;
int dArrayCount = 0;
float dArrayMax = 0;
float dArrayMin = 0;

int D20 = 0;
int D15 = 0;
int D10 = 0;
int D5 = 0;
int D = 0;

void setSparse(int d20, int d15, int d10, int d5, int d)
{
    D20 = d20;
    D15 = d15;
    D10 = d10;
    D5 = d5;
    D = d;
}

namespace {

const int levelColours[5] = {MOUNTAINGREEN, YELLOW, ORANGE, RED, VIOLET};

// The ratio q = |d| / interval is held in single precision and compared with the
// thresholds in double.
inline int differenceLevel(float difference, float interval)
{
    const float q = std::fabs(difference) / interval;
    return q > 0.2 ? 4 : q > 0.15 ? 3 : q > 0.1 ? 2 : q > 0.05 ? 1 : 0;
}

}  // namespace

int differenceColour(float difference, int contourInterval)
{
    return levelColours[differenceLevel(difference, static_cast<float>(contourInterval))];
}

DifferencePass::DifferencePass(mountain& mesh) : m(mesh)
{
    dArrayCount = 0;
    dArrayMax = 0;
    dArrayMin = 0;
    delete[] dArray;
    dArray = nullptr;
    const std::size_t values = static_cast<std::size_t>(m.nrows > 0 && m.ncols > 0 ? m.nrows : 0) *
                               static_cast<std::size_t>(m.ncols > 0 ? m.ncols : 0);
    dArray = new float[values];
    // Another grid size would index one of the grids outside its bounds: such a
    // comparison set carries no usable data.
    usable = &m == &mt && comparisonMatchesDem() && m.triangles != nullptr;
    interval = static_cast<float>(rd.getContourInt());
}

void DifferencePass::cellRows(int first, int end)
{
    if (!usable)
        return;
    const int cells = m.ncols - 1;
    float* out = dArray + dArrayCount;
    const float* const start = out;
    float high = dArrayMax, low = dArrayMin;
    for (int r = first; r < end; r++) {
        const float* h = m.grid[r];
        const float* g = rd.grid[r];
        triangle* t = m.triangles + static_cast<std::size_t>(r) * (2 * cells);
        for (int c = 0; c < cells; c++, t += 2) {
            int level = 0;
            if (g[c] > 0) {
                const float d = h[c] - g[c];
                if (out == dArray)
                    high = low = d;
                *out++ = d;
                if (d > high)
                    high = d;
                if (d < low)
                    low = d;
                level = differenceLevel(d, interval);
            }
            t[0].diffColor = t[1].diffColor = levelColours[level];
            counts[4 - level]++;
        }
    }
    dArrayCount += static_cast<int>(out - start);
    dArrayMax = high;
    dArrayMin = low;
}

void DifferencePass::finish()
{
    if (!usable) {
        clearDifference();
        return;
    }
    for (int i = 0; i < 5; i++)
        m.diffCounts[i] = counts[i];
    setSparse(counts[0], counts[1], counts[2], counts[3], counts[4]);
}

void mountain::compute_diff_color()
{
    DifferencePass pass(*this);
    pass.cellRows(0, std::max(nrows - 1, 0));
    pass.finish();
}

void clearDifference()
{
    for (int i = 0; i < mt.triangleCount; i++)
        mt.triangles[i].diffColor = MOUNTAINGREEN;
    for (int& count : mt.diffCounts)
        count = 0;
    dArrayCount = 0;
    dArrayMax = dArrayMin = 0;
    setSparse(0, 0, 0, 0, 0);
}

void resetDifference()
{
    delete[] dArray;
    dArray = nullptr;
    dArrayCount = 0;
    dArrayMax = dArrayMin = 0;
    setSparse(0, 0, 0, 0, 0);
}
