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
    std::vector<std::string> given = spec.options;
    if (given.empty() && std::string(spec.driver) == "GTiff")
        given.push_back("COMPRESS=DEFLATE");
    std::vector<char*> options;
    for (std::string& o : given)
        options.push_back(o.data());
    options.push_back(nullptr);
    GDALDatasetH d = GDALCreate(GDALGetDriverByName(spec.driver), path.c_str(), spec.cols, spec.rows, 1,
                                GDALGetDataTypeByName(spec.type), options.data());
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
    if (spec.scale != 1 || spec.offset != 0) {
        GDALSetRasterScale(band, spec.scale);
        GDALSetRasterOffset(band, spec.offset);
    }
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
