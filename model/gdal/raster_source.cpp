// Rasters read through GDAL: band 1 as floats, the header from the geotransform, the band's
// nodata value and the coordinate system.

#include <gdal.h>
#include <ogr_srs_api.h>

#include "model/gdal/file_guard.h"
#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"

namespace {

class GdalRaster : public RasterSource {
public:
    GdalRaster(GDALDatasetH dataset, const std::string& path, bool trusted)
        : dataset(dataset), path(path), trusted(trusted)
    {
        readHeader();
    }
    ~GdalRaster() override { GDALClose(dataset); }

    const RasterHeader& header() const override { return head; }

    // Drivers open some files only when pixels are read (an ERDAS spill file): the
    // guard's rule holds here too.
    bool readPart(int first, int count, int firstCol, int cols, float* out, std::string& why) override
    {
        const QuietGdal quiet;
        const GuardedRead guard(path, trusted);
        const GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
        if (GDALRasterIO(band, GF_Read, firstCol, first, cols, count, out, cols, count, GDT_Float32, 0, 0) ==
            CE_None)
            return true;
        why = lastGdalMessage();
        return false;
    }

private:
    void readHeader()
    {
        head.ncols = GDALGetRasterXSize(dataset);
        head.nrows = GDALGetRasterYSize(dataset);
        head.bands = GDALGetRasterCount(dataset);
        head.georeferenced = GDALGetGeoTransform(dataset, head.transform) == CE_None;
        if (head.bands > 0) {
            const GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
            int has = 0;
            head.nodata = GDALGetRasterNoDataValue(band, &has);
            head.hasNodata = has != 0;
            head.scale = GDALGetRasterScale(band, &has);
            if (!has)
                head.scale = 1;
            head.offset = GDALGetRasterOffset(band, &has);
            if (!has)
                head.offset = 0;
            const char* pixels = GDALGetMetadataItem(band, "PIXELTYPE", "IMAGE_STRUCTURE");
            head.signedBytes = GDALGetRasterDataType(band) == GDT_Byte && pixels != nullptr &&
                               std::string(pixels) == "SIGNEDBYTE";
        }
        const OGRSpatialReferenceH srs = GDALGetSpatialRef(dataset);
        head.geographic = srs != nullptr && OSRIsGeographic(srs);
        const char* wkt = GDALGetProjectionRef(dataset);
        head.projection = wkt != nullptr ? wkt : "";
    }

    GDALDatasetH dataset;
    std::string path;
    bool trusted;
    RasterHeader head;
};

}  // namespace

std::unique_ptr<RasterSource> openGdalRaster(const std::string& path, const std::string& driver, bool trusted,
                                             std::string& why)
{
    const QuietGdal quiet;
    const GuardedRead guard(path, trusted);
    const char* const drivers[] = {driver.c_str(), nullptr};
    GDALDatasetH dataset =
        GDALOpenEx(gdalName(path, trusted).c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, drivers, nullptr, nullptr);
    if (dataset == nullptr) {
        why = lastGdalMessage();
        return nullptr;
    }
    return std::make_unique<GdalRaster>(dataset, path, trusted);
}
