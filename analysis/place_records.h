#pragma once
// Worst places as the records of a places file (model/place_file.h), for a GIS.

#include <string>
#include <vector>

#include "analysis/worst_places.h"
#include "model/gdal_module.h"

// The record of a place: its kind's name, rank, row, col, map coordinates, height, value
// (kappa, or the signed d), level and cells. Heights and values are floats; they are
// written as the shortest decimals that read back as those floats (1.1, not
// 1.100000023841858).
PlaceRecord placeRecord(const Place& place);

// A places file of the places in their order, in the coordinate system projection (WKT,
// "" for none); without status and note.
PlaceFile placesFile(const std::vector<Place>& places, const std::string& projection);
