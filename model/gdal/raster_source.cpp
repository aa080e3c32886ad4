// Rasters read through GDAL: band 1 as floats, the header from the geotransform, the band's
// nodata value and the coordinate system.

#include <gdal.h>
#include <ogr_srs_api.h>

#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"

namespace {

class GdalRaster : public RasterSource {
public:
    explicit GdalRaster(GDALDatasetH dataset) : dataset(dataset) { readHeader(); }
    ~GdalRaster() override { GDALClose(dataset); }

    const RasterHeader& header() const override { return head; }

    bool readRows(int first, int count, float* out, std::string& why) override
    {
        const QuietGdal quiet;
        const GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
        if (GDALRasterIO(band, GF_Read, 0, first, head.ncols, count, out, head.ncols, count, GDT_Float32, 0, 0) ==
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
            int has = 0;
            head.nodata = GDALGetRasterNoDataValue(GDALGetRasterBand(dataset, 1), &has);
            head.hasNodata = has != 0;
        }
        const OGRSpatialReferenceH srs = GDALGetSpatialRef(dataset);
        head.geographic = srs != nullptr && OSRIsGeographic(srs);
        const char* wkt = GDALGetProjectionRef(dataset);
        head.projection = wkt != nullptr ? wkt : "";
    }

    GDALDatasetH dataset;
    RasterHeader head;
};

}  // namespace

std::unique_ptr<RasterSource> openGdalRaster(const std::string& path, std::string& why)
{
    const QuietGdal quiet;
    GDALDatasetH dataset = GDALOpen(path.c_str(), GA_ReadOnly);
    if (dataset == nullptr) {
        why = lastGdalMessage();
        return nullptr;
    }
    return std::make_unique<GdalRaster>(dataset);
}
