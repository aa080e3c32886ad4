// Grids in memory resampled onto one another through GDAL's warper, reprojected on the way
// when asked. Both grids stay where they are: MEM datasets are laid over their values.

#include <cpl_conv.h>
#include <cpl_string.h>
#include <gdal.h>
#include <gdal_alg.h>
#include <gdalwarper.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"
#include "model/gdal/spatial_reference.h"

namespace {

// The warper's work buffers; the grids themselves are not counted, they are not copied.
const double warpMemoryLimit = 64.0 * 1024 * 1024;
// How far, in source pixels, the interpolated transformation may stray from the exact one
// when reprojecting: a tenth of gdalwarp's default, still a few exact transforms per row.
const double reprojectionError = 0.0125;

// A MEM dataset over g's values, with its coordinate system only when it is to be used.
GDALDatasetH memoryDataset(const MemoryGrid& g, bool withProjection)
{
    GDALDatasetH d = GDALCreate(GDALGetDriverByName("MEM"), "", g.ncols, g.nrows, 0, GDT_Float32, nullptr);
    if (d == nullptr)
        return nullptr;
    char pointer[64], line[64];
    std::snprintf(pointer, sizeof pointer, "DATAPOINTER=%p", static_cast<void*>(g.first));
    std::snprintf(line, sizeof line, "LINEOFFSET=%zu", g.lineFloats * sizeof(float));
    const char* options[] = {pointer, "PIXELOFFSET=4", line, nullptr};
    double transform[6] = {g.xllcorner, g.cellsize, 0, g.yllcorner + g.nrows * g.cellsize, 0, -g.cellsize};
    if (GDALAddBand(d, GDT_Float32, const_cast<char**>(options)) != CE_None ||
        GDALSetGeoTransform(d, transform) != CE_None) {
        GDALClose(d);
        return nullptr;
    }
    if (withProjection)
        GDALSetProjection(d, g.projection.c_str());
    return d;
}

GDALResampleAlg algorithm(Resampling r)
{
    return r == Resampling::nearest ? GRA_NearestNeighbour : r == Resampling::bilinear ? GRA_Bilinear : GRA_Cubic;
}

// Whether a point of g holds its nodata value.
bool holdsNodata(const MemoryGrid& g)
{
    if (!g.hasNodata)
        return false;
    const float nodata = static_cast<float>(g.nodata);
    for (int r = 0; r < g.nrows; r++) {
        const float* row = g.first + std::size_t(r) * g.lineFloats;
        for (int c = 0; c < g.ncols; c++)
            if (row[c] == nodata || (std::isnan(nodata) && std::isnan(row[c])))
                return true;
    }
    return false;
}

// The warp options for one band from source to target. The target starts as NaN and keeps
// it where the source gives no value. Neither side declares a nodata value unless the
// source holds it: the warper's fast kernels (several times quicker on a large grid) run
// only without validity masks.
GDALWarpOptions* warpOptions(GDALDatasetH source, GDALDatasetH target, const MemoryGrid& from, Resampling r)
{
    GDALWarpOptions* o = GDALCreateWarpOptions();
    o->hSrcDS = source;
    o->hDstDS = target;
    o->nBandCount = 1;
    o->panSrcBands = static_cast<int*>(CPLMalloc(sizeof(int)));
    o->panDstBands = static_cast<int*>(CPLMalloc(sizeof(int)));
    o->panSrcBands[0] = o->panDstBands[0] = 1;
    o->eResampleAlg = algorithm(r);
    o->eWorkingDataType = GDT_Float32;
    o->dfWarpMemoryLimit = warpMemoryLimit;
    if (holdsNodata(from)) {
        o->padfSrcNoDataReal = static_cast<double*>(CPLMalloc(sizeof(double)));
        o->padfSrcNoDataReal[0] = from.nodata;
    }
    o->papszWarpOptions = CSLSetNameValue(o->papszWarpOptions, "INIT_DEST", "nan");
    return o;
}

// Pixel to pixel, through the coordinate systems when reprojecting; null on failure.
void* transformer(GDALDatasetH source, GDALDatasetH target, bool reproject)
{
    void* exact = GDALCreateGenImgProjTransformer2(source, target, nullptr);
    if (exact == nullptr || !reproject)
        return exact;
    void* approximate = GDALCreateApproxTransformer(GDALGenImgProjTransform, exact, reprojectionError);
    GDALApproxTransformerOwnsSubtransformer(approximate, TRUE);
    return approximate;
}

bool runWarp(GDALDatasetH source, GDALDatasetH target, const MemoryGrid& from, const MemoryGrid& to, Resampling r,
             bool reproject)
{
    void* transform = transformer(source, target, reproject);
    if (transform == nullptr)
        return false;
    GDALWarpOptions* o = warpOptions(source, target, from, r);
    o->pfnTransformer = reproject ? GDALApproxTransform : GDALGenImgProjTransform;
    o->pTransformerArg = transform;
    GDALWarpOperationH operation = GDALCreateWarpOperation(o);
    const bool done = operation != nullptr && GDALChunkAndWarpImage(operation, 0, 0, to.ncols, to.nrows) == CE_None;
    if (operation != nullptr)
        GDALDestroyWarpOperation(operation);
    GDALDestroyWarpOptions(o);
    GDALDestroyTransformer(transform);
    return done;
}

}  // namespace

bool sameGdalCoordinateSystem(const std::string& a, const std::string& b)
{
    const QuietGdal quiet;
    return SpatialReference(a).sameAs(SpatialReference(b));
}

Footprint gdalFootprint(const MemoryGrid& from, const MemoryGrid& to, bool reproject)
{
    const QuietGdal quiet;
    double x0 = from.xllcorner, y0 = from.yllcorner;
    double x1 = x0 + from.ncols * from.cellsize, y1 = y0 + from.nrows * from.cellsize;
    if (reproject) {
        const SpatialReference source(from.projection), target(to.projection);
        const Transformation t(source, target);
        // 21 points along each edge: a projected edge bends.
        if (t.get() == nullptr || !OCTTransformBounds(t.get(), x0, y0, x1, y1, &x0, &y0, &x1, &y1, 21))
            return Footprint::unknown;
    }
    const double east = to.xllcorner + to.ncols * to.cellsize, north = to.yllcorner + to.nrows * to.cellsize;
    const bool overlaps = std::min(x1, east) > std::max(x0, to.xllcorner) &&
                          std::min(y1, north) > std::max(y0, to.yllcorner);
    return overlaps ? Footprint::overlaps : Footprint::disjoint;
}

bool warpGdalGrid(const MemoryGrid& from, const MemoryGrid& to, Resampling resampling, bool reproject, std::string& why)
{
    const QuietGdal quiet;
    GDALDatasetH source = memoryDataset(from, reproject);
    GDALDatasetH target = memoryDataset(to, reproject);
    const bool done = source != nullptr && target != nullptr &&
                      runWarp(source, target, from, to, resampling, reproject);
    if (!done)
        why = lastGdalMessage().empty() ? "GDAL's warper failed" : lastGdalMessage();
    if (source != nullptr)
        GDALClose(source);
    if (target != nullptr)
        GDALClose(target);
    return done;
}
