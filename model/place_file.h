#pragma once
// Places files (GeoJSON, see PlaceFile in model/gdal_module.h) on disk: made and read by
// GDAL in its module, written and read here with the care every user-named file gets.

#include <string>

#include "model/gdal_module.h"

// The largest places file read: a list of places takes a few hundred bytes a place, and
// GDAL holds a GeoJSON file's whole tree in memory.
const long long largestPlaceFile = 16LL << 20;

// Writes file to path through a temporary file beside it, renamed when complete. false
// with the reason ("" when the system gives none) when GDAL cannot make the text or the
// file cannot be written; path is then as it was. Refusing to write over an input is the
// caller's (outputOverInput).
bool writePlaceFile(const std::string& path, const PlaceFile& file, std::string& why);

// Reads a places file from a regular file of at most largestPlaceFile bytes. false with
// the reason, to follow the file's name: inputProblem's reasons, "is larger than 16 MB",
// or "is no GeoJSON places file (GDAL's message)".
bool readPlaceFile(const std::string& path, PlaceFile& file, std::string& why);
