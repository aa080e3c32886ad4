#include "analysis/window_figures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "analysis/compared_points.h"
#include "analysis/curvature.h"
#include "analysis/difference.h"

namespace {

// Cell (r, c) of the piece, as the curvature and difference passes grade it.
void gradeCell(const GridView& dem, const float* const* comparison, int r, int c, const float above[3],
               float interval, const WindowPlace& place, WindowFigures& f)
{
    if (dem.masking && cellMasked(dem, r, c)) {
        f.maskedCells++;
        return;
    }
    f.cells++;
    if (r == 0 || c == 0) {
        f.curveCounts[3]++;
    } else {
        const float kappa = curvatureAt(dem, r, c);
        f.squares.add(double(kappa) * double(kappa));
        if (kappa > f.maxCurve) {
            f.maxCurve = kappa;
            f.maxCurveRow = place.gridRow + r;
            f.maxCurveCol = place.gridCol + c;
        }
        f.curveCounts[3 - curvatureLevel(kappa, above)]++;
    }
    if (comparison == nullptr)
        return;
    const float g = comparison[r][c];
    f.diffCounts[4 - (comparisonData(g) ? differenceLevel(dem.at(r, c) - g, interval) : 0)]++;
}

// Point (r, c) of the piece: its height in the range, its difference in the sums.
void takePoint(const GridView& dem, const float* const* comparison, int r, int c, const WindowPlace& place,
               WindowFigures& f)
{
    f.points++;
    const float h = dem.at(r, c);
    if (validHeight(h, dem.maskValue, dem.nodata)) {
        f.zmin = std::min(f.zmin, h);
        f.zmax = std::max(f.zmax, h);
    }
    if (comparison == nullptr || !comparedAt(dem, comparison, r, c))
        return;
    const double d = double(comparison[r][c]) - double(h);
    if (std::fabs(d) > f.differences.maxAbs || f.differences.points == 0) {
        f.maxAbsRow = place.gridRow + r;
        f.maxAbsCol = place.gridCol + c;
    }
    f.differences.add(d);
    f.histogram[std::llround(d / histogramStep)]++;
}

// Whether the place (r1, c1) comes first in row order; an unset place (-1) comes last.
bool before(int r1, int c1, int r2, int c2)
{
    if (r2 < 0)
        return r1 >= 0;
    return r1 >= 0 && (r1 < r2 || (r1 == r2 && c1 < c2));
}

// The value at index i (0 first) of the values sorted, given as (value, count) pairs in order.
double orderStatistic(const std::vector<std::pair<double, long long>>& sorted, long long i)
{
    for (const auto& [value, count] : sorted) {
        if (i < count)
            return value;
        i -= count;
    }
    return sorted.back().first;
}

double weightedMedian(std::vector<std::pair<double, long long>>& values, long long n)
{
    std::sort(values.begin(), values.end());
    const double upper = orderStatistic(values, n / 2);
    return n % 2 == 1 ? upper : (orderStatistic(values, n / 2 - 1) + upper) / 2;
}

}  // namespace

WindowFigures windowFigures(const GridView& dem, const float* const* comparison, const WindowPlace& place, float unit,
                            int interval)
{
    WindowFigures f;
    f.zmin = std::numeric_limits<float>::infinity();
    f.zmax = -std::numeric_limits<float>::infinity();
    const float above[3] = {unit, 2 * unit, 3 * unit};
    const float width = static_cast<float>(interval);
    for (int r = place.firstRow; r < place.firstRow + place.rows; r++)
        for (int c = place.firstCol; c < place.firstCol + place.cols; c++) {
            // The last row and column of points belong to no cell.
            if (r + 1 < dem.nrows && c + 1 < dem.ncols)
                gradeCell(dem, comparison, r, c, above, width, place, f);
            takePoint(dem, comparison, r, c, place, f);
        }
    return f;
}

void addWindowFigures(WindowFigures& a, const WindowFigures& b)
{
    a.points += b.points;
    a.cells += b.cells;
    a.maskedCells += b.maskedCells;
    a.zmin = std::min(a.zmin, b.zmin);
    a.zmax = std::max(a.zmax, b.zmax);
    a.squares.add(b.squares);
    if (b.maxCurve > a.maxCurve ||
        (b.maxCurve == a.maxCurve && before(b.maxCurveRow, b.maxCurveCol, a.maxCurveRow, a.maxCurveCol))) {
        a.maxCurve = b.maxCurve;
        a.maxCurveRow = b.maxCurveRow;
        a.maxCurveCol = b.maxCurveCol;
    }
    for (int i = 0; i < 4; i++)
        a.curveCounts[i] += b.curveCounts[i];
    for (int i = 0; i < 5; i++)
        a.diffCounts[i] += b.diffCounts[i];
    const double aMax = a.differences.maxAbs, bMax = b.differences.maxAbs;
    if (b.differences.points > 0 &&
        (a.differences.points == 0 || bMax > aMax ||
         (bMax == aMax && before(b.maxAbsRow, b.maxAbsCol, a.maxAbsRow, a.maxAbsCol)))) {
        a.maxAbsRow = b.maxAbsRow;
        a.maxAbsCol = b.maxAbsCol;
    }
    a.differences.add(b.differences);
    for (const auto& [index, count] : b.histogram)
        a.histogram[index] += count;
}

void histogramQuantiles(const std::map<long long, long long>& histogram, double& nmad, double& le90)
{
    long long n = 0;
    std::vector<std::pair<double, long long>> values, magnitudes;
    for (const auto& [index, count] : histogram) {
        values.push_back({double(index) * histogramStep, count});
        magnitudes.push_back({std::fabs(double(index) * histogramStep), count});
        n += count;
    }
    nmad = le90 = 0;
    if (n == 0)
        return;
    std::sort(magnitudes.begin(), magnitudes.end());
    const double h = double(n - 1) * 0.9;
    const long long below = static_cast<long long>(std::floor(h));
    const double low = orderStatistic(magnitudes, below);
    le90 = below + 1 >= n ? low : low + (h - double(below)) * (orderStatistic(magnitudes, below + 1) - low);
    const double centre = weightedMedian(values, n);
    for (auto& value : values)
        value.first = std::fabs(value.first - centre);
    nmad = 1.4826 * weightedMedian(values, n);
}
