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
#include <cstddef>
#include <utility>

#include "analysis/exact_sum.h"
#include "model/colour_codes.h"
#include "model/mountain.h"

float units = 1.0f;

CurvatureFigures lastCurvature;

float*& cArray = lastCurvature.values.data;
int& cArrayCount = lastCurvature.count;
float& cArrayMax = lastCurvature.maxCurve;
float& cArrayMin = lastCurvature.minimum;

float& MAX_CURVE = lastCurvature.maxCurve;
float& TOTAL_SQ = lastCurvature.totalSq;
int& C15 = lastCurvature.counts[0];
int& C10 = lastCurvature.counts[1];
int& C5 = lastCurvature.counts[2];
int& C = lastCurvature.counts[3];

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

// What the walk keeps besides the values and the levels.
struct Tally {
    FloatSquareSum squares;  // exact, so that the totals of a grid's windows add up to its own
    float largest = 0, smallest = 0;
    int counts[4] = {0, 0, 0, 0};
};

// The first row of cells: level 0 and no value.
void firstRow(const GridView& dem, std::uint8_t* level, Tally& tally)
{
    const int cells = dem.ncols - 1;
    std::fill(level, level + cells, 0);
    for (int c = 0; c < cells; c++)
        tally.counts[3] += !dem.masking || !cellMasked(dem, 0, c);
}

// Row r >= 1 of cells: the first is level 0 with no value, every other one not masked gets
// its value, appended at out, and its level. Returns the end of the values. Made once with
// the test of masked cells and once without, so that a grid without holes pays nothing for
// it.
template <bool masking>
float* gradeRow(const GridView& dem, int r, const float above[3], std::uint8_t* level, float* out,
                const float* first, Tally& tally)
{
    // Everything the loop keeps in locals, where the stores through out and level cannot
    // reach it.
    const float limits[3] = {above[0], above[1], above[2]};
    FloatSquareSum& squares = tally.squares;
    float largest = tally.largest, smallest = tally.smallest;
    int counts[4] = {tally.counts[0], tally.counts[1], tally.counts[2], tally.counts[3]};
    const int cells = dem.ncols - 1;
    level[0] = 0;
    counts[3] += !masking || !cellMasked(dem, r, 0);
    const float* up = dem.rows[r - 1];
    const float* row = dem.rows[r];
    const float* down = dem.rows[r + 1];
    for (int c = 1; c < cells; c++) {
        if (masking && cellMasked(dem, r, c)) {
            level[c] = 0;
            continue;
        }
        const float kappa = curvatureOf(up, row, down, c);
        if (out == first)
            smallest = kappa;
        *out++ = kappa;
        if (kappa < smallest)
            smallest = kappa;
        squares.add(kappa);
        if (kappa > largest)
            largest = kappa;
        const int l = curvatureLevel(kappa, limits);
        level[c] = static_cast<std::uint8_t>(l);
        counts[3 - l]++;
    }
    tally.largest = largest;
    tally.smallest = smallest;
    std::copy(counts, counts + 4, tally.counts);
    return out;
}

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

CurvatureResult curvatureLevels(const GridView& dem, float unit, LargeVector<std::uint8_t>&& levels)
{
    const float above[3] = {unit, 2 * unit, 3 * unit};
    // One value per interior point.
    const std::size_t points =
        dem.nrows > 2 && dem.ncols > 2 ? std::size_t(dem.nrows - 2) * std::size_t(dem.ncols - 2) : 0;
    CurvatureResult result;
    CurvatureFigures& f = result.figures;
    f.values = LargeArray<float>(points, true);
    levels.resize(dem.cellCount());
    result.levels = std::move(levels);

    Tally t;
    const int cells = dem.ncols - 1;
    float* out = f.values.data;
    for (int r = 0; r + 1 < dem.nrows && cells > 0; r++) {
        std::uint8_t* level = result.levels.data() + std::size_t(r) * std::size_t(cells);
        if (r == 0)
            firstRow(dem, level, t);
        else if (dem.masking)
            out = gradeRow<true>(dem, r, above, level, out, f.values.data, t);
        else
            out = gradeRow<false>(dem, r, above, level, out, f.values.data, t);
    }
    f.count = static_cast<int>(out - f.values.data);
    f.maxCurve = t.largest;
    if (f.count > 0)
        f.minimum = t.smallest;
    f.totalSq = static_cast<float>(t.squares.total().value());
    std::copy(t.counts, t.counts + 4, f.counts);
    return result;
}

void mountain::compute_curve_color()
{
    // The old values go before the new ones are made. The level array is made with the
    // mesh's scaling; without it there is no mesh to grade.
    lastCurvature = CurvatureFigures();
    if (curveLevels.size() != cellCount() || cellCount() == 0)
        return;
    CurvatureResult result = curvatureLevels(view(), units, std::move(curveLevels));
    curveLevels = std::move(result.levels);
    lastCurvature = std::move(result.figures);
}

const int* mountain::curveCounts() const { return lastCurvature.counts; }
float mountain::totalSq() const { return lastCurvature.totalSq; }
float mountain::maxCurve() const { return lastCurvature.maxCurve; }

void resetCurvature()
{
    units = 1.0f;
    lastCurvature = CurvatureFigures();
}
