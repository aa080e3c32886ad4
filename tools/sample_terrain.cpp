#include "tools/sample_terrain.h"

#include <cmath>
#include <cstdint>

namespace {

float bump(double r, double c, double r0, double c0, double height, double sigma)
{
    const double d2 = (r - r0) * (r - r0) + (c - c0) * (c - c0);
    return static_cast<float>(height * std::exp(-d2 / (2 * sigma * sigma)));
}

// A small linear congruential generator: the same numbers on every platform.
struct Lcg {
    std::uint32_t state;
    std::uint32_t next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

}  // namespace

Terrain sampleMountain()
{
    Terrain t;
    t.header.nrows = 220;
    t.header.ncols = 250;
    t.header.xllcorner = 612000;
    t.header.yllcorner = 5143000;
    t.header.cellsize = 25;
    t.header.hasNodata = true;
    t.header.nodata = -9999;
    t.heights.resize(static_cast<std::size_t>(t.header.nrows) * t.header.ncols);
    for (int r = 0; r < t.header.nrows; r++) {
        for (int c = 0; c < t.header.ncols; c++) {
            double h = 420 + 1.2 * c + 0.6 * r;
            h += bump(r, c, 105, 145, 1850, 38);  // main summit
            h += bump(r, c, 60, 70, 900, 24);     // western peak
            h += bump(r, c, 165, 200, 650, 20);   // south-eastern knoll
            h += bump(r, c, 80, 110, 420, 14);    // saddle shoulder
            h += 30 * std::sin(r * 0.09) * std::cos(c * 0.07);
            t.heights[static_cast<std::size_t>(r) * t.header.ncols + c] =
                static_cast<float>(std::round(h * 100) / 100);
        }
    }
    // A few blunders of the kind a DEM check should find: single points off by metres.
    const int blunders[][3] = {{40, 190, 28}, {150, 60, -22}, {105, 150, 15}, {190, 120, 9}, {20, 30, -12}};
    for (const auto& b : blunders)
        t.heights[static_cast<std::size_t>(b[0]) * t.header.ncols + b[1]] += static_cast<float>(b[2]);
    return t;
}

std::vector<float> contourRaster(const Terrain& terrain, int interval)
{
    const int rows = terrain.header.nrows, cols = terrain.header.ncols;
    std::vector<float> out(terrain.heights.size(), 0.0f);
    auto at = [&](int r, int c) { return terrain.heights[static_cast<std::size_t>(r) * cols + c]; };
    auto mark = [&](int r0, int c0, int r1, int c1) {
        const double a = at(r0, c0), b = at(r1, c1);
        const double low = std::fmin(a, b), high = std::fmax(a, b);
        const double level = (std::floor(low / interval) + 1) * interval;
        if (!(level <= high))
            return;
        const bool firstNearer = std::fabs(a - level) <= std::fabs(b - level);
        const int r = firstNearer ? r0 : r1, c = firstNearer ? c0 : c1;
        out[static_cast<std::size_t>(r) * cols + c] = static_cast<float>(level);
    };
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++) {
            if (c + 1 < cols)
                mark(r, c, r, c + 1);
            if (r + 1 < rows)
                mark(r, c, r + 1, c);
        }
    return out;
}

std::vector<float> interpolateFromContours(const GridHeader& header, const std::vector<float>& contours,
                                           const std::vector<float>& fallback)
{
    const int rows = header.nrows, cols = header.ncols;
    const int dr[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
    const int dc[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
    std::vector<float> out(contours.size());
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < cols; c++) {
            const std::size_t i = static_cast<std::size_t>(r) * cols + c;
            if (contours[i] > 0) {
                out[i] = contours[i];
                continue;
            }
            double weights = 0, sum = 0;
            for (int k = 0; k < 8; k++) {
                for (int step = 1;; step++) {
                    const int rr = r + dr[k] * step, cc = c + dc[k] * step;
                    if (rr < 0 || rr >= rows || cc < 0 || cc >= cols)
                        break;
                    const float v = contours[static_cast<std::size_t>(rr) * cols + cc];
                    if (v > 0) {
                        const double d = step * std::sqrt(double(dr[k] * dr[k] + dc[k] * dc[k]));
                        weights += 1 / (d * d);
                        sum += v / (d * d);
                        break;
                    }
                }
            }
            out[i] = weights > 0 ? static_cast<float>(std::round(sum / weights * 100) / 100) : fallback[i];
        }
    }
    return out;
}

std::vector<float> spotHeights(const Terrain& terrain, int randomCount, unsigned seed)
{
    const int rows = terrain.header.nrows, cols = terrain.header.ncols;
    auto at = [&](int r, int c) { return terrain.heights[static_cast<std::size_t>(r) * cols + c]; };
    std::vector<float> out(terrain.heights.size(), 0.0f);
    for (int r = 1; r < rows - 1; r++)
        for (int c = 1; c < cols - 1; c++) {
            bool highest = true;
            for (int i = -1; i <= 1 && highest; i++)
                for (int j = -1; j <= 1; j++)
                    if ((i != 0 || j != 0) && !(at(r, c) > at(r + i, c + j))) {
                        highest = false;
                        break;
                    }
            if (highest)
                out[static_cast<std::size_t>(r) * cols + c] = at(r, c);
        }
    Lcg random{seed};
    for (int i = 0; i < randomCount; i++) {
        const int r = static_cast<int>(random.next() % static_cast<std::uint32_t>(rows));
        const int c = static_cast<int>(random.next() % static_cast<std::uint32_t>(cols));
        out[static_cast<std::size_t>(r) * cols + c] = at(r, c);
    }
    return out;
}
