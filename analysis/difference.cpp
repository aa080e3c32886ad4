// Difference pass. The point looked at for a cell is its first corner (r, c); the last
// row and column of points are not examined. Cells without comparison data are level 0.

#include "analysis/difference.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "model/colour_codes.h"
#include "model/mountain.h"

DifferenceFigures lastDifference;

float*& dArray = lastDifference.values.data;
int& dArrayCount = lastDifference.count;
float& dArrayMax = lastDifference.maximum;
float& dArrayMin = lastDifference.minimum;

int& D20 = lastDifference.counts[0];
int& D15 = lastDifference.counts[1];
int& D10 = lastDifference.counts[2];
int& D5 = lastDifference.counts[3];
int& D = lastDifference.counts[4];

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

// What the walk keeps besides the values and the levels.
struct Tally {
    float high = 0, low = 0;
    int counts[5] = {0, 0, 0, 0, 0};
};

// Row r of cells; each difference is appended at out. Returns the end of the values. Made
// once with the test of masked cells and once without.
template <bool masking>
float* gradeRow(const GridView& dem, const float* g, int r, float interval, std::uint8_t* level, float* out,
                const float* first, Tally& tally)
{
    // Everything the loop keeps in locals, where the stores through out and level cannot
    // reach it.
    float high = tally.high, low = tally.low;
    int counts[5] = {tally.counts[0], tally.counts[1], tally.counts[2], tally.counts[3], tally.counts[4]};
    const int cells = dem.ncols - 1;
    const float* h = dem.rows[r];
    for (int c = 0; c < cells; c++) {
        if (masking && cellMasked(dem, r, c)) {
            level[c] = 0;
            continue;
        }
        int l = 0;
        if (comparisonData(g[c])) {
            const float d = h[c] - g[c];
            if (out == first)
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
    tally.high = high;
    tally.low = low;
    std::copy(counts, counts + 5, tally.counts);
    return out;
}

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

DifferenceResult differenceLevels(const GridView& dem, const float* const* comparison, int interval,
                                  LargeVector<std::uint8_t>&& levels)
{
    // At most one value per cell; most comparison sets carry data at few points, so pages
    // are mapped as values come.
    const std::size_t points = dem.cellCount();
    DifferenceResult result;
    DifferenceFigures& f = result.figures;
    f.values = LargeArray<float>(points, false);
    levels.resize(dem.cellCount());
    result.levels = std::move(levels);

    Tally t;
    const int cells = dem.ncols - 1;
    float* out = f.values.data;
    for (int r = 0; r + 1 < dem.nrows && cells > 0; r++) {
        std::uint8_t* level = result.levels.data() + std::size_t(r) * std::size_t(cells);
        const float width = static_cast<float>(interval);
        if (dem.masking)
            out = gradeRow<true>(dem, comparison[r], r, width, level, out, f.values.data, t);
        else
            out = gradeRow<false>(dem, comparison[r], r, width, level, out, f.values.data, t);
    }
    f.count = static_cast<int>(out - f.values.data);
    f.maximum = t.high;
    f.minimum = t.low;
    std::copy(t.counts, t.counts + 5, f.counts);
    return result;
}

void mountain::compute_diff_color()
{
    // Another grid size would index one of the grids outside its bounds: such a
    // comparison set carries no usable data.
    if (this != &mt || !comparisonMatchesDem() || diffLevels.size() != cellCount()) {
        clearDifference();
        return;
    }
    lastDifference = DifferenceFigures();  // the old values go before the new ones are made
    DifferenceResult result = differenceLevels(view(), rd.grid, rd.getContourInt(), std::move(diffLevels));
    diffLevels = std::move(result.levels);
    lastDifference = std::move(result.figures);
}

const int* mountain::diffCounts() const { return lastDifference.counts; }

void clearDifference()
{
    std::fill(mt.diffLevels.begin(), mt.diffLevels.end(), 0);
    lastDifference = DifferenceFigures();
}

void resetDifference() { lastDifference = DifferenceFigures(); }
