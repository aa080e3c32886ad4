#pragma once
// Small rasters written through GDAL for the tests, beside the text grids of
// grid_files.h.

#include <string>
#include <vector>

struct RasterSpec {
    int rows = 0, cols = 0;
    double transform[6] = {0, 1, 0, 0, 0, -1};  // GDAL's geotransform
    bool hasNodata = false;
    double nodata = -9999;
    int epsg = 0;              // 0: no coordinate system
    const char* type = "Float32";  // GDAL's name of the band's data type
    const char* driver = "GTiff";
    std::vector<std::string> options;  // creation options; a GeoTIFF's default to deflate
    double scale = 1, offset = 0;      // the band's, written when not 1 and 0
};

// A one-band raster of the given row-major values, stored as they are (a raw value of
// 206 in a signed-byte band is -50).
void writeRaster(const std::string& path, const RasterSpec& spec, const std::vector<float>& values);

// Band 1 of a raster as floats, its geotransform and nodata value; false when GDAL
// cannot open it.
struct RasterRead {
    int rows = 0, cols = 0;
    double transform[6] = {0, 0, 0, 0, 0, 0};
    bool hasNodata = false;
    double nodata = 0;
    std::string projection;
    std::string type;
    std::vector<float> values;
};
bool readRasterBack(const std::string& path, RasterRead& out);
