#include "analysis/align_comparison.h"

#include <cmath>
#include <cstring>

#include "model/available_memory.h"
#include "model/error.h"
#include "model/mountain.h"

namespace {

bool hasPoints(const GridFrame& f) { return f.nrows > 0 && f.ncols > 0 && f.cellsize > 0 && std::isfinite(f.cellsize); }

bool sameFrame(const GridFrame& a, const GridFrame& b)
{
    const double tolerance = 1e-6 * a.cellsize;
    return a.nrows == b.nrows && a.ncols == b.ncols && std::fabs(a.xllcorner - b.xllcorner) <= tolerance &&
           std::fabs(a.yllcorner - b.yllcorner) <= tolerance && std::fabs(a.cellsize - b.cellsize) <= tolerance;
}

// A grid without a coordinate system is in the other's; equal texts need no GDAL.
bool needsReprojection(const std::string& a, const std::string& b, GdalModule& gdal)
{
    return !a.empty() && !b.empty() && a != b && !gdal.sameCoordinateSystem(a, b);
}

bool oneBlock(const float* const* rows, int nrows, int ncols)
{
    for (int r = 1; r < nrows; r++)
        if (rows[r] != rows[0] + std::size_t(r) * std::size_t(ncols))
            return false;
    return true;
}

MemoryGrid memoryGrid(const GridFrame& f, const float* first)
{
    MemoryGrid g;
    g.ncols = f.ncols;
    g.nrows = f.nrows;
    g.xllcorner = f.xllcorner;
    g.yllcorner = f.yllcorner;
    g.cellsize = f.cellsize;
    g.projection = f.projection;
    g.first = const_cast<float*>(first);  // the warper only reads a source
    g.lineFloats = std::size_t(f.ncols);
    return g;
}

std::string memoryProblem(std::uint64_t needed, std::uint64_t available)
{
    return "cannot be aligned with the DEM: that needs " + megabytes(needed) + " of memory and " +
           megabytes(available) + " are available";
}

// The comparison's values in one block (a copy when its rows are not), or a problem.
bool sourceBlock(const ComparisonGrid& c, GridRows& copy, const float*& first)
{
    const GridFrame& f = c.frame;
    if (oneBlock(c.rows, f.nrows, f.ncols)) {
        first = c.rows[0];
        return true;
    }
    copy = GridRows::make(f.nrows, f.ncols);
    if (!copy)
        return false;
    for (int r = 0; r < f.nrows; r++)
        std::memcpy(copy.row(r), c.rows[r], std::size_t(f.ncols) * sizeof(float));
    first = copy.first();
    return true;
}

void warpInto(AlignedComparison& a, GdalModule& gdal, MemoryGrid from, const GridFrame& dem, Resampling how)
{
    a.values = GridRows::make(dem.nrows, dem.ncols);
    if (!a.values) {
        a.problem = memoryProblem(GridRows::bytes(dem.nrows, dem.ncols), availableMemoryBytes());
        return;
    }
    const MemoryGrid to = memoryGrid(dem, a.values.first());
    std::string why;
    if (!gdal.warp(from, to, how, a.reprojected, why)) {
        a.values = GridRows();
        a.problem = "cannot be aligned with the DEM (" + why + ")";
        return;
    }
    const std::size_t n = std::size_t(dem.nrows) * std::size_t(dem.ncols);
    const float* v = a.values.first();
    for (std::size_t i = 0; i < n; i++)
        a.points += std::isnan(v[i]) ? 0 : 1;
}

}  // namespace

AlignedComparison alignComparison(const GridFrame& dem, const ComparisonGrid& comparison, int fileType,
                                  Resampling resampling)
{
    AlignedComparison a;
    const GridFrame& f = comparison.frame;
    if (!hasPoints(dem) || !hasPoints(f) || comparison.rows == nullptr) {
        a.problem = "cannot be aligned with the DEM: a grid has no points or no cellsize";
        return a;
    }
    std::string why;
    GdalModule* gdal = nullptr;
    const bool framesEqual = sameFrame(dem, f);
    if (!framesEqual || (!dem.projection.empty() && !f.projection.empty() && dem.projection != f.projection)) {
        gdal = gdalModule(why);
        if (gdal == nullptr) {
            a.problem = "cannot be aligned with the DEM: " + why;
            return a;
        }
        a.reprojected = needsReprojection(dem.projection, f.projection, *gdal);
    }
    if (framesEqual && !a.reprojected)
        return a;
    a.resampled = true;

    MemoryGrid from = memoryGrid(f, comparison.rows[0]);
    from.hasNodata = comparison.hasNodata;
    from.nodata = comparison.nodata;
    const Footprint where = gdal->footprint(from, memoryGrid(dem, nullptr), a.reprojected);
    if (where == Footprint::disjoint) {
        a.overlaps = false;
        a.problem = "does not overlap the DEM";
        return a;
    }
    const bool copied = !oneBlock(comparison.rows, f.nrows, f.ncols);
    const std::uint64_t needed = std::uint64_t(GridRows::bytes(dem.nrows, dem.ncols)) +
                                 (copied ? GridRows::bytes(f.nrows, f.ncols) : 0) + (std::uint64_t(64) << 20);
    const std::uint64_t available = availableMemoryBytes();
    GridRows copy;
    const float* first = nullptr;
    if (needed > available || !sourceBlock(comparison, copy, first)) {
        a.problem = memoryProblem(needed, available);
        return a;
    }
    from.first = const_cast<float*>(first);
    warpInto(a, *gdal, from, dem, fileType == DEM ? resampling : Resampling::nearest);
    if (a.problem.empty() && where == Footprint::unknown && a.points == 0) {
        a.overlaps = false;
        a.values = GridRows();
        a.problem = "does not overlap the DEM";
    }
    return a;
}

GridFrame gridFrame(const mountain& m)
{
    return {m.nrows, m.ncols, m.xllRead, m.yllRead, m.cellsizeRead, m.projection};
}

ComparisonGrid comparisonGrid(const mountain& m) { return {m.grid, gridFrame(m), m.hasNodata, m.nodata_value}; }
