#include "analysis/profile.h"

#include <cmath>

#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "model/mountain.h"

namespace {

// The ticks of the comparison points on the profile row.
void addTicks(ProfileGeometry& g, const ProfileInput& in, const MeshGeometry& mesh)
{
    const float* comparison = in.comparison[g.row];
    const float* heights = in.dem.rows[g.row];
    for (int i = 0; i + 1 < in.dem.ncols; i++) {
        const float c = comparison[i], h = heights[i];
        if (c == 0 || !std::isfinite(c) || (in.dem.masking && !in.dem.valid(g.row, i)))
            continue;
        const float d = c - h;
        ProfileTick t;
        t.x = mesh.x(i);
        if (c - in.unit > h) {
            t.red = 1;
            t.green = t.blue = 1 - 0.2f * d;
            t.zFrom = mesh.z(c) + 0.1f;
            t.zTo = mesh.z(c);
        } else if (h > c + in.unit) {
            t.red = t.green = 1 + 0.2f * d;
            t.blue = 1;
            t.zFrom = mesh.z(c);
            t.zTo = mesh.z(c) - 0.1f;
        } else {
            t.red = t.green = t.blue = 1;
            t.zFrom = mesh.z(c) + 0.05f;
            t.zTo = mesh.z(c) - 0.05f;
        }
        g.ticks.push_back(t);
    }
}

}  // namespace

ProfileGeometry profileGeometry(const ProfileInput& in, const MeshGeometry& mesh, int p)
{
    ProfileGeometry g;
    const GridView& dem = in.dem;
    // A position left from a taller DEM would name no row of this one.
    if (dem.rows == nullptr || p < 0 || p >= dem.nrows)
        return g;
    g.valid = true;
    g.row = dem.nrows - p - 1;
    g.y = mesh.y(p);
    g.yCut = mesh.y(p + 1);
    g.zLow = mesh.z(in.zmin) - 0.1f;
    g.zHigh = mesh.z(in.zmax) + 0.1f;

    const float* heights = dem.rows[g.row];
    g.steps.reserve(static_cast<std::size_t>(dem.ncols > 1 ? dem.ncols - 1 : 0) * 4);
    bool gap = false;
    for (int i = 0; i + 1 < dem.ncols; i++) {
        if (dem.masking && !dem.valid(g.row, i)) {
            gap = !g.steps.empty();
            continue;
        }
        if (gap)
            g.breaks.push_back(g.steps.size() / 2);
        gap = false;
        const float z = mesh.z(heights[i]);
        g.steps.insert(g.steps.end(), {mesh.x(i), z, mesh.x(i + 1), z});
    }
    if (in.comparison != nullptr)
        addTicks(g, in, mesh);
    return g;
}

ProfileGeometry profileGeometry(int p)
{
    ProfileInput in;
    in.dem = mt.view();
    in.comparison = multFiles && comparisonMatchesDem() ? rd.grid : nullptr;
    in.zmin = mt.zmin;
    in.zmax = mt.zmax;
    in.unit = units;
    return profileGeometry(in, MeshGeometry(mt), p);
}
