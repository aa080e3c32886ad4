#include "analysis/profile.h"

#include <cmath>

#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "model/mountain.h"

ProfileGeometry profileGeometry(int p)
{
    ProfileGeometry g;
    const mountain& m = mt;
    // A position left from a taller DEM would name no row of this one.
    if (m.grid == nullptr || p < 0 || p >= m.nrows)
        return g;
    g.valid = true;
    g.row = m.nrows - p - 1;
    const float cellsize = m.groundCellsize();
    g.y = (p * cellsize - m.movey) * m.scalefactor;
    g.yCut = ((p + 1) * cellsize - m.movey) * m.scalefactor;
    auto X = [&](int i) { return (i * cellsize - m.movex) * m.scalefactor; };
    auto Z = [&](float h) { return (h - m.zcenter) * m.zscale; };
    g.zLow = Z(m.zmin) - 0.1f;
    g.zHigh = Z(m.zmax) + 0.1f;

    const float* heights = m.grid[g.row];
    g.steps.reserve(static_cast<std::size_t>(m.ncols > 1 ? m.ncols - 1 : 0) * 4);
    bool gap = false;
    for (int i = 0; i + 1 < m.ncols; i++) {
        if (!m.validPoint(g.row, i)) {
            gap = !g.steps.empty();
            continue;
        }
        if (gap)
            g.breaks.push_back(g.steps.size() / 2);
        gap = false;
        const float z = Z(heights[i]);
        g.steps.insert(g.steps.end(), {X(i), z, X(i + 1), z});
    }
    if (!multFiles || !comparisonMatchesDem())
        return g;
    const float* comparison = rd.grid[g.row];
    for (int i = 0; i + 1 < m.ncols; i++) {
        const float c = comparison[i], h = heights[i];
        if (c == 0 || !std::isfinite(c) || !m.validPoint(g.row, i))
            continue;
        const float d = c - h;
        ProfileTick t;
        t.x = X(i);
        if (c - units > h) {
            t.red = 1;
            t.green = t.blue = 1 - 0.2f * d;
            t.zFrom = Z(c) + 0.1f;
            t.zTo = Z(c);
        } else if (h > c + units) {
            t.red = t.green = 1 + 0.2f * d;
            t.blue = 1;
            t.zFrom = Z(c);
            t.zTo = Z(c) - 0.1f;
        } else {
            t.red = t.green = t.blue = 1;
            t.zFrom = Z(c) + 0.05f;
            t.zTo = Z(c) - 0.05f;
        }
        g.ticks.push_back(t);
    }
    return g;
}
