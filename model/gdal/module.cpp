// The module's entry point: the one GdalModule, with GDAL's drivers registered.

#include <cpl_conv.h>
#include <gdal.h>

#include "model/gdal/file_guard.h"
#include "model/gdal/gdal_parts.h"

namespace {

// Enough for a band of rows of 256 x 256 tiles across a grid 60000 cells wide.
const GIntBig readCacheBytes = 64LL << 20;

class Module : public GdalModule {
public:
    Module()
    {
        GDALAllRegister();
        installFileGuard();
        // Every raster is read once, band of rows after band of rows, into the model's own
        // grid: blocks left in GDAL's cache (5 % of the machine's memory by default) are a
        // second copy of the grid at the peak. A user's own GDAL_CACHEMAX still holds.
        if (CPLGetConfigOption("GDAL_CACHEMAX", nullptr) == nullptr)
            GDALSetCacheMax64(readCacheBytes);
    }

    RasterKind identifyRaster(const std::string& path, bool trusted) override
    {
        return identifyGdalRaster(path, trusted);
    }
    std::unique_ptr<RasterSource> openRaster(const std::string& path, const std::string& driver, bool trusted,
                                             std::string& why) override
    {
        return openGdalRaster(path, driver, trusted, why);
    }
    bool writeByteGeoTiff(const std::string& path, const ByteRaster& raster, std::string& why) override
    {
        return writeGdalByteGeoTiff(path, raster, why);
    }
    bool writeFloatGeoTiff(const std::string& path, const FloatRaster& raster, std::string& why) override
    {
        return writeGdalFloatGeoTiff(path, raster, why);
    }
    bool placesGeoJson(const PlaceFile& file, std::string& text, std::string& why) override
    {
        return gdalPlacesGeoJson(file, text, why);
    }
    bool readPlaces(const std::string& bytes, PlaceFile& file, std::string& why) override
    {
        return readGdalPlaces(bytes, file, why);
    }
    std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& rgb, int width, int height,
                                        std::string& why) override
    {
        return encodeGdalPng(rgb, width, height, why);
    }
    bool sameCoordinateSystem(const std::string& a, const std::string& b) override
    {
        return sameGdalCoordinateSystem(a, b);
    }
    Footprint footprint(const MemoryGrid& from, const MemoryGrid& to, bool reproject) override
    {
        return gdalFootprint(from, to, reproject);
    }
    bool warp(const MemoryGrid& from, const MemoryGrid& to, Resampling resampling, bool reproject,
              std::string& why) override
    {
        return warpGdalGrid(from, to, resampling, reproject, why);
    }
    CheckpointSet readVectorCheckpoints(const std::string& path, const std::string& demProjection,
                                        std::size_t maxPoints) override
    {
        return readGdalVectorCheckpoints(path, demProjection, maxPoints);
    }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) GdalModule* karvoGdalModule()
{
    static Module module;
    return &module;
}
