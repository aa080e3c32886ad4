// Which driver reads a raster. An untrusted raster (the default) is read only by drivers
// that read the pixels of the one file named, with at most a header, world file or
// projection beside it of the same name:
//
//   GTiff     GeoTIFF, BigTIFF and cloud-optimised GeoTIFF
//   HFA       ERDAS Imagine (.img); the spill and overview files it may name are held
//             to the guard's rule (file_guard.h)
//   ENVI      ENVI raw raster with its .hdr
//   EHdr      ESRI .bil/.bip/.bsq/.flt with its .hdr
//   netCDF    classic netCDF only: a netCDF-4 file is HDF5, whose datasets can be stored
//             in other files or link to them, which GDAL's file guard does not see
//   SRTMHGT   SRTM .hgt tiles
//   USGSDEM   USGS ASCII DEM and CDED
//   PNG       PNG, 8 or 16 bits
//   DTED      DTED levels 0-2
//   GSBG, GS7BG  Golden Software (Surfer) binary grids
//   BT        VTP binary terrain
//
// Not VRT (its sources are any files or URLs), nor the drivers that read a directory of
// files, a database or a web service, nor any /vsi path: those only with --trust-raster.

#include <cpl_vsi.h>
#include <gdal.h>

#include <cstring>

#include "model/gdal/file_guard.h"
#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"

namespace {

const char* const allowedDrivers[] = {"GTiff", "HFA", "ENVI", "EHdr",  "netCDF", "SRTMHGT", "USGSDEM",
                                      "PNG",   "DTED", "GSBG", "GS7BG", "BT",     nullptr};
const char* const virtualDrivers[] = {"VRT", nullptr};

const char* const untrustedVrt = "a VRT raster may read other files or the network; --trust-raster reads it";
const char* const untrustedNetcdf4 = "a netCDF-4 (HDF5) raster may read other files; --trust-raster reads it";
const char* const untrustedVirtualPath = "a /vsi path reads through GDAL's virtual file systems; --trust-raster reads it";

// Classic netCDF starts "CDF" and its version 1, 2 or 5; netCDF-4 is an HDF5 file.
bool classicNetcdf(const std::string& name)
{
    VSILFILE* file = VSIFOpenL(name.c_str(), "rb");
    unsigned char start[4] = {0, 0, 0, 0};
    const bool read = file != nullptr && VSIFReadL(start, 1, 4, file) == 4;
    if (file != nullptr)
        VSIFCloseL(file);
    return read && std::memcmp(start, "CDF", 3) == 0 && (start[3] == 1 || start[3] == 2 || start[3] == 5);
}

}  // namespace

std::string gdalName(const std::string& path, bool trusted)
{
    return trusted || path.empty() || path[0] == '/' ? path : "./" + path;
}

RasterKind identifyGdalRaster(const std::string& path, bool trusted)
{
    const QuietGdal quiet;
    RasterKind kind;
    if (!trusted && path.compare(0, 4, "/vsi") == 0) {
        kind.refusal = untrustedVirtualPath;
        return kind;
    }
    const GuardedRead guard(path, trusted);
    const std::string name = gdalName(path, trusted);
    if (GDALDriverH driver = GDALIdentifyDriverEx(name.c_str(), GDAL_OF_RASTER, trusted ? nullptr : allowedDrivers,
                                                  nullptr)) {
        kind.driver = GDALGetDriverShortName(driver);
        if (!trusted && kind.driver == "netCDF" && !classicNetcdf(name)) {
            kind.driver.clear();
            kind.refusal = untrustedNetcdf4;
        }
    } else if (!trusted && GDALIdentifyDriverEx(name.c_str(), GDAL_OF_RASTER, virtualDrivers, nullptr) != nullptr) {
        kind.refusal = untrustedVrt;
    }
    return kind;
}
