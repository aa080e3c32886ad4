#pragma once
// The pieces of the GDAL module, each in a file of its own; module.cpp hands them out.

#include "model/gdal_module.h"

RasterKind identifyGdalRaster(const std::string& path, bool trusted);
// The name GDAL is given for path: an untrusted relative name as "./name", so that GDAL
// takes no part of it for a driver's prefix ("NETCDF:", "GTIFF_DIR:").
std::string gdalName(const std::string& path, bool trusted);
std::unique_ptr<RasterSource> openGdalRaster(const std::string& path, const std::string& driver, bool trusted,
                                             std::string& why);
bool writeGdalByteGeoTiff(const std::string& path, const ByteRaster& raster, std::string& why);
