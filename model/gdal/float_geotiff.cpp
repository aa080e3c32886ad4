#include <gdal.h>

#include <cmath>
#include <vector>

#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"

bool writeGdalFloatGeoTiff(const std::string& path, const FloatRaster& raster, std::string& why)
{
    const QuietGdal quiet;
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    // The floating point predictor keeps heights compressible: neighbours share their
    // sign, exponent and leading digits.
    const char* options[] = {"COMPRESS=DEFLATE", "PREDICTOR=3", nullptr};
    GDALDatasetH grid = driver == nullptr ? nullptr
                                          : GDALCreate(driver, path.c_str(), raster.ncols, raster.nrows, 1,
                                                       GDT_Float32, const_cast<char**>(options));
    if (grid == nullptr) {
        why = lastGdalMessage();
        return false;
    }
    GDALSetGeoTransform(grid, const_cast<double*>(raster.transform));
    if (!raster.projection.empty())
        GDALSetProjection(grid, raster.projection.c_str());
    GDALRasterBandH band = GDALGetRasterBand(grid, 1);
    GDALSetRasterNoDataValue(band, std::nan(""));
    std::vector<float> row(static_cast<std::size_t>(raster.ncols));
    bool written = true;
    for (int r = 0; r < raster.nrows && written; r++) {
        raster.row(r, row.data());
        written = GDALRasterIO(band, GF_Write, 0, r, raster.ncols, 1, row.data(), raster.ncols, 1, GDT_Float32, 0,
                               0) == CE_None;
    }
    GDALClose(grid);  // flushes: a full disk shows here
    if (written && CPLGetLastErrorType() != CE_Failure)
        return true;
    why = lastGdalMessage();
    return false;
}
