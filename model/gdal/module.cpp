// The module's entry point: the one GdalModule, with GDAL's drivers registered.

#include <gdal.h>

#include "model/gdal/file_guard.h"
#include "model/gdal/gdal_parts.h"

namespace {

class Module : public GdalModule {
public:
    Module()
    {
        GDALAllRegister();
        installFileGuard();
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
};

}  // namespace

extern "C" __attribute__((visibility("default"))) GdalModule* karvoGdalModule()
{
    static Module module;
    return &module;
}
