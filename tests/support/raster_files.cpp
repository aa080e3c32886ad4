#include "tests/support/raster_files.h"

#include <gdal.h>
#include <ogr_srs_api.h>

namespace {

void registerDrivers()
{
    static const bool done = (GDALAllRegister(), true);
    (void)done;
}

}  // namespace

void writeRaster(const std::string& path, const RasterSpec& spec, const std::vector<float>& values)
{
    registerDrivers();
    const char* options[] = {"COMPRESS=DEFLATE", nullptr};
    GDALDatasetH d = GDALCreate(GDALGetDriverByName("GTiff"), path.c_str(), spec.cols, spec.rows, 1,
                                GDALGetDataTypeByName(spec.type), const_cast<char**>(options));
    double transform[6];
    std::copy(spec.transform, spec.transform + 6, transform);
    GDALSetGeoTransform(d, transform);
    if (spec.epsg != 0) {
        OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
        OSRImportFromEPSG(srs, spec.epsg);
        GDALSetSpatialRef(d, srs);
        OSRDestroySpatialReference(srs);
    }
    GDALRasterBandH band = GDALGetRasterBand(d, 1);
    if (spec.hasNodata)
        GDALSetRasterNoDataValue(band, spec.nodata);
    std::vector<float> copy(values);
    [[maybe_unused]] const CPLErr written = GDALRasterIO(band, GF_Write, 0, 0, spec.cols, spec.rows, copy.data(), spec.cols, spec.rows, GDT_Float32,
                       0, 0);
    GDALClose(d);
}

bool readRasterBack(const std::string& path, RasterRead& out)
{
    registerDrivers();
    GDALDatasetH d = GDALOpen(path.c_str(), GA_ReadOnly);
    if (d == nullptr)
        return false;
    out.cols = GDALGetRasterXSize(d);
    out.rows = GDALGetRasterYSize(d);
    GDALGetGeoTransform(d, out.transform);
    out.projection = GDALGetProjectionRef(d);
    GDALRasterBandH band = GDALGetRasterBand(d, 1);
    int has = 0;
    out.nodata = GDALGetRasterNoDataValue(band, &has);
    out.hasNodata = has != 0;
    out.type = GDALGetDataTypeName(GDALGetRasterDataType(band));
    out.values.resize(static_cast<std::size_t>(out.rows) * out.cols);
    const bool ok = GDALRasterIO(band, GF_Read, 0, 0, out.cols, out.rows, out.values.data(), out.cols, out.rows,
                                 GDT_Float32, 0, 0) == CE_None;
    GDALClose(d);
    return ok;
}
