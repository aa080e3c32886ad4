#include "analysis/checkpoints.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <ostream>

namespace {

// The surrounding grid points of (u, v) in grid units from point (0, 0), with weights.
CheckpointHeight bilinear(const GridView& dem, double u, double v)
{
    const int c = std::min(int(std::floor(u)), std::max(dem.ncols - 2, 0));
    const int r = std::min(int(std::floor(v)), std::max(dem.nrows - 2, 0));
    const double fu = u - c, fv = v - r;
    const double weights[4] = {(1 - fu) * (1 - fv), fu * (1 - fv), (1 - fu) * fv, fu * fv};
    const int rows[4] = {r, r, r + 1, r + 1}, cols[4] = {c, c + 1, c, c + 1};
    CheckpointHeight h;
    for (int k = 0; k < 4; k++) {
        if (weights[k] == 0)
            continue;  // also where the grid has a single row or column
        if (!dem.valid(rows[k], cols[k])) {
            h.status = CheckpointStatus::nodata;
            return h;
        }
        h.dem += weights[k] * double(dem.at(rows[k], cols[k]));
    }
    h.status = CheckpointStatus::tested;
    return h;
}

std::string number(double v)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end);
}

std::string csvField(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string quoted = "\"";
    for (char ch : s)
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

const char* statusName(CheckpointStatus s)
{
    return s == CheckpointStatus::tested ? "tested" : s == CheckpointStatus::outside ? "outside" : "nodata";
}

// The figures over the checkpoints listed in members.
CheckpointFigures figuresOf(const std::vector<Checkpoint>& points, const std::vector<CheckpointHeight>& heights,
                            const std::vector<std::size_t>& members)
{
    CheckpointFigures f;
    std::vector<double> d;
    std::vector<std::size_t> tested;
    for (std::size_t i : members) {
        switch (heights[i].status) {
        case CheckpointStatus::tested:
            tested.push_back(i);
            d.push_back(heights[i].d);
            break;
        case CheckpointStatus::outside: f.outside++; break;
        case CheckpointStatus::nodata: f.nodata++; break;
        }
    }
    f.tested = tested.size();
    f.accuracy = accuracyOf(d);
    const std::size_t shown = std::min<std::size_t>(10, tested.size());
    std::partial_sort(tested.begin(), tested.begin() + shown, tested.end(), [&](std::size_t a, std::size_t b) {
        const double da = std::fabs(heights[a].d), db = std::fabs(heights[b].d);
        return da > db || (da == db && a < b);
    });
    for (std::size_t k = 0; k < shown; k++) {
        const std::size_t i = tested[k];
        f.largest.push_back({i, points[i].id, points[i].x, points[i].y, heights[i].d});
    }
    return f;
}

}  // namespace

std::vector<CheckpointHeight> demHeightsAt(const GridView& dem, const std::vector<Checkpoint>& points)
{
    std::vector<CheckpointHeight> heights(points.size());
    if (dem.nrows < 1 || dem.ncols < 1 || !(dem.cellsize > 0))
        return heights;
    const double lastU = dem.ncols - 1, lastV = dem.nrows - 1;
    for (std::size_t i = 0; i < points.size(); i++) {
        const double u = (points[i].x - dem.x(0)) / dem.cellsize, v = (dem.y(0) - points[i].y) / dem.cellsize;
        if (!(u >= 0 && u <= lastU && v >= 0 && v <= lastV))
            continue;  // outside, as initialised
        heights[i] = bilinear(dem, u, v);
        if (heights[i].status == CheckpointStatus::tested)
            heights[i].d = points[i].z - heights[i].dem;
        else
            heights[i].dem = 0;
    }
    return heights;
}

CheckpointReport checkpointFigures(const std::vector<Checkpoint>& points, const std::vector<CheckpointHeight>& heights,
                                   bool withClasses)
{
    CheckpointReport report;
    std::vector<std::size_t> all(points.size());
    std::map<std::string, std::vector<std::size_t>> byClass;
    for (std::size_t i = 0; i < points.size(); i++) {
        all[i] = i;
        if (withClasses)
            byClass[points[i].landClass].push_back(i);
    }
    report.all = figuresOf(points, heights, all);
    for (const auto& [name, members] : byClass)
        report.classes.push_back({name, figuresOf(points, heights, members)});
    return report;
}

void writeResiduals(std::ostream& out, const std::vector<Checkpoint>& points,
                    const std::vector<CheckpointHeight>& heights)
{
    out << "id,x,y,z,dem_z,d,status\n";
    for (std::size_t i = 0; i < points.size(); i++) {
        const Checkpoint& p = points[i];
        const CheckpointHeight& h = heights[i];
        const bool tested = h.status == CheckpointStatus::tested;
        out << csvField(p.id) << ',' << number(p.x) << ',' << number(p.y) << ',' << number(p.z) << ','
            << (tested ? number(h.dem) : "") << ',' << (tested ? number(h.d) : "") << ',' << statusName(h.status)
            << '\n';
    }
}
