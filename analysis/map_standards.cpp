#include "analysis/map_standards.h"

#include <cctype>
#include <cmath>

#include "analysis/compared_points.h"

namespace {

NmasTest nmasOf(double interval, long long tested, long long exceeding)
{
    NmasTest t;
    t.interval = interval;
    t.tested = tested;
    t.exceeding = exceeding;
    t.share = tested > 0 ? double(exceeding) / double(tested) : 0;
    t.meets = tested > 0 && interval > 0 && 10 * exceeding <= tested;
    return t;
}

bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); i++)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

NmasTest nmasOfCheckpoints(const std::vector<CheckpointHeight>& heights, double interval)
{
    long long tested = 0, exceeding = 0;
    for (const CheckpointHeight& h : heights) {
        if (h.status != CheckpointStatus::tested)
            continue;
        tested++;
        exceeding += std::fabs(h.d) > interval / 2 ? 1 : 0;
    }
    return nmasOf(interval, tested, exceeding);
}

NmasTest nmasOfComparison(const GridView& dem, const float* const* comparison, double interval)
{
    long long tested = 0, exceeding = 0;
    for (int r = 0; r < dem.nrows; r++)
        for (int c = 0; c < dem.ncols; c++) {
            if (!comparedAt(dem, comparison, r, c))
                continue;
            tested++;
            exceeding += std::fabs(double(comparison[r][c]) - double(dem.at(r, c))) > interval / 2 ? 1 : 0;
        }
    return nmasOf(interval, tested, exceeding);
}

AsprsVertical asprsVertical(const std::vector<Checkpoint>& points, const std::vector<CheckpointHeight>& heights,
                            double targetRmse, double checkpointRmse, const std::string& nvaClass)
{
    AsprsVertical a;
    a.targetRmse = targetRmse;
    a.checkpointRmse = checkpointRmse;
    double sum = 0, sumSq = 0;
    for (std::size_t i = 0; i < points.size(); i++) {
        if (heights[i].status != CheckpointStatus::tested)
            continue;
        const double d = heights[i].d;
        if (std::fabs(d) > 3 * targetRmse) {
            a.blunders.push_back(i);
            a.blunderIds.push_back(points[i].id);
        }
        if (!nvaClass.empty() && !sameName(points[i].landClass, nvaClass))
            continue;
        a.points++;
        sum += d;
        sumSq += d * d;
    }
    if (a.points == 0)
        return a;
    a.rmse = std::sqrt(sumSq / double(a.points));
    a.mean = sum / double(a.points);
    a.productRmse = std::sqrt(a.rmse * a.rmse + checkpointRmse * checkpointRmse);
    a.meets = a.productRmse <= targetRmse;
    a.enoughCheckpoints = a.points >= 30;
    a.biasFlag = std::fabs(a.mean) >= 0.25 * targetRmse;
    return a;
}
