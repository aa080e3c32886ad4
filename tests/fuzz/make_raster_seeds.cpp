// Writes the seed corpus of the raster fuzzer into the directory named on the command
// line: small rasters in each format the reader allows untrusted, written by GDAL and
// put into the fuzzer's input form (raster_fuzz_input.h). An SRTM tile is left out: the
// smallest is 2.8 MB, beyond what the fuzzer reads.

#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_srs_api.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fuzz/raster_fuzz_input.h"

namespace {

struct Seed {
    const char* seed;    // the seed's file name
    const char* driver;  // GDAL's driver
    const char* name;    // one of rasterfuzz::names
    GDALDataType type;
    int rows, cols;
    std::vector<const char*> options;  // creation options
    bool geographic = false;
    bool southUp = false;
    double scale = 1, offset = 0;
    bool nodata = true;
};

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::size_t nameIndex(const char* name)
{
    for (std::size_t i = 0; i < rasterfuzz::nameCount; i++)
        if (std::string(rasterfuzz::names[i]) == name)
            return i;
    return 0;
}

// A small hill in memory, copied into the seed's format.
GDALDatasetH hill(const Seed& s)
{
    GDALDatasetH mem = GDALCreate(GDALGetDriverByName("MEM"), "", s.cols, s.rows, 1, s.type, nullptr);
    const double size = s.geographic ? 1.0 / (s.cols - 1) : 25;
    const double west = s.geographic ? 6 : 612000, north = s.geographic ? 46 : 5143000;
    double transform[6] = {west, size, 0, s.southUp ? north - s.rows * size : north, 0, s.southUp ? size : -size};
    GDALSetGeoTransform(mem, transform);
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(srs, s.geographic ? 4326 : 32632);
    GDALSetSpatialRef(mem, srs);
    OSRDestroySpatialReference(srs);
    GDALRasterBandH band = GDALGetRasterBand(mem, 1);
    if (s.nodata)
        GDALSetRasterNoDataValue(band, s.type == GDT_Byte ? 0 : -9999);
    if (s.scale != 1 || s.offset != 0) {
        GDALSetRasterScale(band, s.scale);
        GDALSetRasterOffset(band, s.offset);
    }
    std::vector<double> values;
    for (int r = 0; r < s.rows; r++)
        for (int c = 0; c < s.cols; c++)
            values.push_back(std::round(100 * std::exp(-((r - 4) * (r - 4) + (c - 5) * (c - 5)) / 8.0)) + r);
    values[3] = s.type == GDT_Byte ? 0 : -9999;  // a nodata point
    if (GDALRasterIO(band, GF_Write, 0, 0, s.cols, s.rows, values.data(), s.cols, s.rows, GDT_Float64, 0, 0) != CE_None)
        std::cerr << "make-raster-seeds: " << CPLGetLastErrorMsg() << "\n";
    return mem;
}

bool writeSeed(const Seed& s, const std::string& work, const std::string& out)
{
    const std::string path = work + "/" + s.name;
    std::vector<const char*> options = s.options;
    options.push_back(nullptr);
    GDALDatasetH mem = hill(s);
    GDALDatasetH copy = GDALCreateCopy(GDALGetDriverByName(s.driver), path.c_str(), mem, FALSE,
                                       const_cast<char**>(options.data()), nullptr, nullptr);
    GDALClose(mem);
    if (copy == nullptr) {
        std::cerr << "make-raster-seeds: " << s.seed << ": " << CPLGetLastErrorMsg() << "\n";
        return false;
    }
    GDALClose(copy);
    const std::string header = work + "/" + rasterfuzz::sidecar;
    const bool hasHeader = access(header.c_str(), R_OK) == 0;
    const std::string headerBytes = hasHeader ? bytesOf(header) : "";
    std::ofstream seed(out + "/" + s.seed, std::ios::binary);
    seed << rasterfuzz::join(nameIndex(s.name), bytesOf(path), hasHeader ? &headerBytes : nullptr);
    for (const char* name : rasterfuzz::names)
        std::remove((work + "/" + name).c_str());
    std::remove(header.c_str());
    std::remove((work + "/dem.prj").c_str());
    return static_cast<bool>(seed);
}

std::vector<Seed> seeds()
{
    return {
        {"float.tif", "GTiff", "dem.tif", GDT_Float32, 9, 11, {}},
        {"south_up.tif", "GTiff", "dem.tif", GDT_Float32, 9, 11, {}, false, true},
        {"deflate_tiled.tif", "GTiff", "dem.tif", GDT_Int16, 9, 11, {"COMPRESS=DEFLATE", "TILED=YES", "BLOCKXSIZE=16", "BLOCKYSIZE=16"}},
        {"lzw_predictor.tif", "GTiff", "dem.tif", GDT_Float32, 9, 11, {"COMPRESS=LZW", "PREDICTOR=3"}},
        {"scaled.tif", "GTiff", "dem.tif", GDT_Int16, 9, 11, {}, false, false, 0.5, 100},
        {"signed_bytes.tif", "GTiff", "dem.tif", GDT_Byte, 9, 11, {"PIXELTYPE=SIGNEDBYTE"}},
        {"bigtiff.tif", "GTiff", "dem.tif", GDT_UInt16, 9, 11, {"BIGTIFF=YES"}},
        {"degrees.tif", "GTiff", "dem.tif", GDT_Float64, 9, 11, {}, true},
        {"imagine.img", "HFA", "dem.img", GDT_Int16, 9, 11, {}},
        {"imagine_compressed.img", "HFA", "dem.img", GDT_Float32, 9, 11, {"COMPRESSED=YES"}},
        {"classic.nc", "netCDF", "dem.nc", GDT_Float32, 9, 11, {"FORMAT=NC"}},
        {"grey.png", "PNG", "dem.png", GDT_Byte, 9, 11, {}},
        {"grey16.png", "PNG", "dem.png", GDT_UInt16, 9, 11, {}},
        {"usgs.dem", "USGSDEM", "dem.dem", GDT_Int16, 9, 11, {"PRODUCT=DEFAULT"}, true},
        {"level0.dt0", "DTED", "dem.dt0", GDT_Int16, 121, 121, {}, true},
        {"surfer6.grd", "GSBG", "dem.grd", GDT_Float32, 9, 11, {}},
        {"surfer7.grd", "GS7BG", "dem.grd", GDT_Float64, 9, 11, {}},
        {"terrain.bt", "BT", "dem.bt", GDT_Int16, 9, 11, {}},
        {"esri.bil", "EHdr", "dem.bil", GDT_Int16, 9, 11, {}},
        {"esri.flt", "EHdr", "dem.flt", GDT_Float32, 9, 11, {}},
        {"envi.dat", "ENVI", "dem.dat", GDT_Float32, 9, 11, {}},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-raster-seeds DIRECTORY\n";
        return 2;
    }
    GDALAllRegister();
    CPLSetConfigOption("GDAL_PAM_ENABLED", "NO");
    char work[] = "/tmp/karvo-raster-seeds-XXXXXX";
    if (mkdtemp(work) == nullptr)
        return 1;
    int written = 0;
    for (const Seed& s : seeds())
        written += writeSeed(s, work, argv[1]);
    rmdir(work);
    std::cerr << "make-raster-seeds: " << written << " seeds\n";
    return written > 0 ? 0 : 1;
}
