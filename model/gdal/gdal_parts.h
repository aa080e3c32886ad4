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
bool writeGdalFloatGeoTiff(const std::string& path, const FloatRaster& raster, std::string& why);
bool gdalPlacesGeoJson(const PlaceFile& file, std::string& text, std::string& why);
bool readGdalPlaces(const std::string& bytes, PlaceFile& file, std::string& why);
std::vector<std::uint8_t> encodeGdalPng(const std::vector<std::uint8_t>& rgb, int width, int height,
                                        std::string& why);
bool sameGdalCoordinateSystem(const std::string& a, const std::string& b);
Footprint gdalFootprint(const MemoryGrid& from, const MemoryGrid& to, bool reproject);
bool warpGdalGrid(const MemoryGrid& from, const MemoryGrid& to, Resampling resampling, bool reproject,
                  std::string& why);
CheckpointSet readGdalVectorCheckpoints(const std::string& path, const std::string& demProjection,
                                        std::size_t maxPoints);
