#include "tests/support/plain_passes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "model/mountain.h"

namespace {

bool same(const float* a, const float* b, std::size_t n) { return n == 0 || std::memcmp(a, b, n * sizeof(float)) == 0; }

bool same(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && same(a.data(), b.data(), a.size());
}

}  // namespace

PassFigures plainPasses(int rows, int cols, const std::vector<float>& h, const std::vector<float>& g, float unit,
                        int interval)
{
    PassFigures x;
    auto H = [&](int r, int c) { return h[std::size_t(r) * cols + c]; };
    double sum = 0;
    for (int r = 0; r + 1 < rows; r++)
        for (int c = 0; c + 1 < cols; c++) {
            int level = 0;
            if (r > 0 && c > 0) {
                const double s = double(H(r - 1, c)) + double(H(r, c - 1)) + double(H(r, c + 1)) +
                                 double(H(r + 1, c)) - 4.0 * double(H(r, c));
                const float kappa = static_cast<float>(std::fabs(s));
                x.curvatureMin = x.curvature.empty() ? kappa : std::min(x.curvatureMin, kappa);
                x.curvature.push_back(kappa);
                sum += double(kappa) * double(kappa);
                x.maxCurve = std::max(x.maxCurve, kappa);
                level = kappa > 3 * unit ? 3 : kappa > 2 * unit ? 2 : kappa > unit ? 1 : 0;
            }
            x.curveLevels.push_back(std::uint8_t(level));
            x.curveCounts[3 - level]++;

            const float v = g.empty() ? 0 : g[std::size_t(r) * cols + c];
            int dl = 0;
            if (v > 0) {
                const float d = H(r, c) - v;
                if (x.differences.empty())
                    x.differenceMax = x.differenceMin = d;
                x.differences.push_back(d);
                x.differenceMax = std::max(x.differenceMax, d);
                x.differenceMin = std::min(x.differenceMin, d);
                const float q = std::fabs(d) / static_cast<float>(interval);
                dl = q > 0.2 ? 4 : q > 0.15 ? 3 : q > 0.1 ? 2 : q > 0.05 ? 1 : 0;
            }
            x.diffLevels.push_back(std::uint8_t(dl));
            x.diffCounts[4 - dl]++;
        }
    x.totalSq = static_cast<float>(sum);
    double squares = 0;
    long long n = 0;
    for (std::size_t i = 0; i < g.size(); i++)
        if (g[i] > 0) {
            squares += (double(g[i]) - double(h[i])) * (double(g[i]) - double(h[i]));
            n++;
        }
    x.hasRmse = n > 0;
    x.rmse = n > 0 ? static_cast<float>(std::sqrt(squares / double(n))) : 0;
    return x;
}

PassFigures publishedFigures()
{
    PassFigures x;
    x.curvature.assign(cArray, cArray + cArrayCount);
    x.curvatureMin = cArrayMin;
    x.maxCurve = mt.maxCurve();
    x.totalSq = mt.totalSq();
    std::copy(mt.curveCounts(), mt.curveCounts() + 4, x.curveCounts);
    x.curveLevels.assign(mt.curveLevels.begin(), mt.curveLevels.end());
    x.differences.assign(dArray, dArray + dArrayCount);
    x.differenceMin = dArrayMin;
    x.differenceMax = dArrayMax;
    std::copy(mt.diffCounts(), mt.diffCounts() + 5, x.diffCounts);
    x.diffLevels.assign(mt.diffLevels.begin(), mt.diffLevels.end());
    x.hasRmse = rd.tryRmse(x.rmse);
    return x;
}

std::string firstDifference(const PassFigures& got, const PassFigures& want, bool withDifference)
{
    const float g[] = {got.curvatureMin, got.maxCurve, got.totalSq};
    const float w[] = {want.curvatureMin, want.maxCurve, want.totalSq};
    if (!same(g, w, 3) || !same(got.curvature, want.curvature) || got.curveLevels != want.curveLevels ||
        !std::equal(got.curveCounts, got.curveCounts + 4, want.curveCounts))
        return "curvature values, figures, levels or counts differ";
    if (got.diffLevels != want.diffLevels)
        return "difference levels differ";
    const float gd[] = {got.differenceMin, got.differenceMax, got.rmse};
    const float wd[] = {want.differenceMin, want.differenceMax, want.rmse};
    const bool differ = !same(gd, wd, 3) || got.hasRmse != want.hasRmse || !same(got.differences, want.differences) ||
                        !std::equal(got.diffCounts, got.diffCounts + 5, want.diffCounts);
    if (withDifference && differ)
        return "difference values, figures, counts or RMSE differ";
    return "";
}
