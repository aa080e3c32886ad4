#pragma once
// The pieces of the GDAL module, each in a file of its own; module.cpp hands them out.

#include "model/gdal_module.h"

std::unique_ptr<RasterSource> openGdalRaster(const std::string& path, std::string& why);
bool writeGdalByteGeoTiff(const std::string& path, const ByteRaster& raster, std::string& why);
bool sameGdalCoordinateSystem(const std::string& a, const std::string& b);
Footprint gdalFootprint(const MemoryGrid& from, const MemoryGrid& to, bool reproject);
bool warpGdalGrid(const MemoryGrid& from, const MemoryGrid& to, Resampling resampling, bool reproject,
                  std::string& why);
CheckpointSet readGdalVectorCheckpoints(const std::string& path, const std::string& demProjection,
                                        std::size_t maxPoints);
