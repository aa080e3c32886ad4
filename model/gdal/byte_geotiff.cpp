#include <gdal.h>

#include <vector>

#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"

bool writeGdalByteGeoTiff(const std::string& path, const ByteRaster& raster, std::string& why)
{
    const QuietGdal quiet;
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    const char* options[] = {"COMPRESS=DEFLATE", nullptr};
    GDALDatasetH map = driver == nullptr ? nullptr
                                         : GDALCreate(driver, path.c_str(), raster.ncols, raster.nrows, 1, GDT_Byte,
                                                      const_cast<char**>(options));
    if (map == nullptr) {
        why = lastGdalMessage();
        return false;
    }
    GDALSetGeoTransform(map, const_cast<double*>(raster.transform));
    if (!raster.projection.empty())
        GDALSetProjection(map, raster.projection.c_str());
    GDALRasterBandH band = GDALGetRasterBand(map, 1);
    if (raster.hasNodata)
        GDALSetRasterNoDataValue(band, raster.nodata);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(raster.ncols));
    bool written = true;
    for (int r = 0; r < raster.nrows && written; r++) {
        raster.row(r, row.data());
        written =
            GDALRasterIO(band, GF_Write, 0, r, raster.ncols, 1, row.data(), raster.ncols, 1, GDT_Byte, 0, 0) == CE_None;
    }
    GDALClose(map);  // flushes: a full disk shows here
    if (written && CPLGetLastErrorType() != CE_Failure)
        return true;
    why = lastGdalMessage();
    return false;
}
