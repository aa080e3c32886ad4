// Difference pass. The point looked at for a cell is its first corner (r, c); the last
// row and column of points are not examined. Cells without comparison data are level 0.

#include "analysis/difference.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>

#include "model/colour_codes.h"
#include "model/large_memory.h"
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

}  // namespace

// The ratio q = |d| / interval is held in single precision and compared with the
// thresholds in double.
int differenceLevel(float difference, float interval)
{
    const float q = std::fabs(difference) / interval;
    return q > 0.2 ? 4 : q > 0.15 ? 3 : q > 0.1 ? 2 : q > 0.05 ? 1 : 0;
}

int differenceColour(float difference, int contourInterval)
{
    return levelColours[differenceLevel(difference, static_cast<float>(contourInterval))];
}

int differenceLevelColour(int level) { return levelColours[level]; }

void mountain::compute_diff_color()
{
    // Another grid size would index one of the grids outside its bounds: such a
    // comparison set carries no usable data.
    if (this != &mt || !comparisonMatchesDem() || diffLevels.size() != cellCount()) {
        clearDifference();
        return;
    }
    releaseLarge(dArray);
    // At most one value per cell.
    const std::size_t values = cellCount();
    // Most comparison sets carry data at few points: pages are mapped as values come.
    dArray = static_cast<float*>(allocateLarge(values * sizeof(float)));
    if (dArray == nullptr && values > 0)
        throw std::bad_alloc();
    const float interval = static_cast<float>(rd.getContourInt());
    int counts[5] = {0, 0, 0, 0, 0};
    float* out = dArray;
    float high = 0, low = 0;
    const int cells = ncols - 1;
    const bool masking = this->masking();  // masked cells count in no level
    for (int r = 0; r + 1 < nrows && cells > 0; r++) {
        const float* h = grid[r];
        const float* g = rd.grid[r];
        std::uint8_t* level = diffLevels.data() + static_cast<std::size_t>(r) * cells;
        for (int c = 0; c < cells; c++) {
            if (masking && cellMasked(r, c)) {
                level[c] = 0;
                continue;
            }
            int l = 0;
            if (comparisonData(g[c])) {
                const float d = h[c] - g[c];
                if (out == dArray)
                    high = low = d;
                *out++ = d;
                if (d > high)
                    high = d;
                if (d < low)
                    low = d;
                l = differenceLevel(d, interval);
            }
            level[c] = static_cast<std::uint8_t>(l);
            counts[4 - l]++;
        }
    }
    dArrayCount = static_cast<int>(out - dArray);
    dArrayMax = high;
    dArrayMin = low;
    for (int i = 0; i < 5; i++)
        diffCounts[i] = counts[i];
    setSparse(counts[0], counts[1], counts[2], counts[3], counts[4]);
}

void clearDifference()
{
    std::fill(mt.diffLevels.begin(), mt.diffLevels.end(), 0);
    for (int& count : mt.diffCounts)
        count = 0;
    releaseLarge(dArray);
    dArray = nullptr;
    dArrayCount = 0;
    dArrayMax = dArrayMin = 0;
    setSparse(0, 0, 0, 0, 0);
}

void resetDifference()
{
    releaseLarge(dArray);
    dArray = nullptr;
    dArrayCount = 0;
    dArrayMax = dArrayMin = 0;
    setSparse(0, 0, 0, 0, 0);
}
