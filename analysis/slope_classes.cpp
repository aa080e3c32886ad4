#include "analysis/slope_classes.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/accuracy.h"
#include "analysis/compared_points.h"
#include "model/available_memory.h"

namespace {

const int classCount = 6;
const double degree = 3.14159265358979323846 / 180;
const double bounds[classCount + 1] = {0, 5, 10, 20, 30, 45, 90};

// The gradient along one direction from the heights before, at and after the point; NaN
// where neither neighbour is a height.
double difference(bool hasBefore, double before, double at, bool hasAfter, double after, double length)
{
    if (hasBefore && hasAfter)
        return (after - before) / (2 * length);
    if (hasAfter)
        return (after - at) / length;
    if (hasBefore)
        return (at - before) / length;
    return std::nan("");
}

bool height(const GridView& g, int r, int c) { return g.inside(r, c) && g.valid(r, c); }

double heightAt(const GridView& g, int r, int c) { return height(g, r, c) ? double(g.at(r, c)) : 0; }

using Differences = std::array<std::vector<double>, classCount>;

SlopeFigures figuresOf(Differences& d, long long withoutSlope)
{
    SlopeFigures f;
    f.withoutSlope = withoutSlope;
    for (int k = 0; k < classCount; k++) {
        SlopeClassFigures s;
        s.from = bounds[k];
        s.to = bounds[k + 1];
        if (const auto a = accuracyOf(d[std::size_t(k)])) {
            s.points = a->points;
            s.mean = a->mean;
            s.std = a->std;
            s.rmse = a->rmse;
            s.nmad = a->nmad;
            s.le90 = a->le90;
        }
        f.classes.push_back(s);
    }
    return f;
}

}  // namespace

int slopeClassAt(const GridView& dem, int r, int c)
{
    if (!height(dem, r, c))
        return -1;
    const double h = dem.at(r, c);
    const double east = difference(height(dem, r, c - 1), heightAt(dem, r, c - 1), h, height(dem, r, c + 1),
                                   heightAt(dem, r, c + 1), dem.groundX);
    // Rows run south, so the row before is the northern neighbour.
    const double north = difference(height(dem, r + 1, c), heightAt(dem, r + 1, c), h, height(dem, r - 1, c),
                                    heightAt(dem, r - 1, c), dem.groundY);
    const double gradient = std::hypot(east, north);
    if (std::isnan(gradient))
        return -1;
    static const double tangents[classCount - 1] = {std::tan(5 * degree), std::tan(10 * degree), std::tan(20 * degree),
                                                    std::tan(30 * degree), 1.0};
    return int(std::upper_bound(tangents, tangents + classCount - 1, gradient) - tangents);
}

SlopeFigures slopeFiguresOfComparison(const GridView& dem, const float* const* comparison)
{
    std::array<long long, classCount> counts{};
    long long total = 0, withoutSlope = 0;
    for (int r = 0; r < dem.nrows; r++)
        for (int c = 0; c < dem.ncols; c++)
            if (comparedAt(dem, comparison, r, c)) {
                const int k = slopeClassAt(dem, r, c);
                if (k < 0) {
                    withoutSlope++;
                } else {
                    counts[std::size_t(k)]++;
                    total++;
                }
            }
    const std::uint64_t needed = std::uint64_t(total) * sizeof(double), available = availableMemoryBytes();
    if (needed > available) {
        SlopeFigures refused;
        refused.problem = "the figures by slope need " + megabytes(needed) + " of memory and " + megabytes(available) +
                          " are available";
        return refused;
    }
    Differences d;
    for (int k = 0; k < classCount; k++)
        d[std::size_t(k)].reserve(std::size_t(counts[std::size_t(k)]));
    for (int r = 0; r < dem.nrows; r++)
        for (int c = 0; c < dem.ncols; c++) {
            const int k = comparedAt(dem, comparison, r, c) ? slopeClassAt(dem, r, c) : -1;
            if (k >= 0)
                d[std::size_t(k)].push_back(double(comparison[r][c]) - double(dem.at(r, c)));
        }
    return figuresOf(d, withoutSlope);
}

SlopeFigures slopeFiguresOfCheckpoints(const GridView& dem, const std::vector<Checkpoint>& points,
                                       const std::vector<CheckpointHeight>& heights)
{
    Differences d;
    long long withoutSlope = 0;
    for (std::size_t i = 0; i < points.size(); i++) {
        if (heights[i].status != CheckpointStatus::tested)
            continue;
        // A tested checkpoint lies within the grid points, so its nearest is inside.
        const int c = std::clamp(int(std::lround((points[i].x - dem.x(0)) / dem.cellsize)), 0, dem.ncols - 1);
        const int r = std::clamp(int(std::lround((dem.y(0) - points[i].y) / dem.cellsize)), 0, dem.nrows - 1);
        const int k = slopeClassAt(dem, r, c);
        if (k < 0)
            withoutSlope++;
        else
            d[std::size_t(k)].push_back(heights[i].d);
    }
    return figuresOf(d, withoutSlope);
}
