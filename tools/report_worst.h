#pragma once
// karvo-report's worst places (--worst N, --worst-geojson FILE): the two lists after the
// report, as text lines or as the JSON report's "worst" member, and the places file.

#include <iosfwd>
#include <string>
#include <vector>

#include "analysis/worst_places.h"

struct WorstLists {
    std::vector<Place> curvature, difference;
    bool comparison = false;  // there is a difference list (comparison data is loaded)
};

// The first n places of each kind in the data set loaded.
WorstLists currentWorstLists(int n, bool comparison);

// After a blank line, per kind a heading and one line a place:
//   "Worst places by curvature:"
//   "   1  row 12  col 40  x 612345.5  y 5123456.5  height 1523.4  curvature 48.5  level 3  cells 4"
// the difference places with "difference" (DEM - comparison) for "curvature", and
// "Worst places by difference: none" when a kind has none.
std::string worstText(const WorstLists& lists);

// {"curvature": [...], "difference": [...] or null without comparison data}, each place
// {"rank", "row", "col", "x", "y", "height", "value", "level", "cells"}; heights and values
// as the shortest decimals of their floats, a value that is not finite as null.
std::string worstJson(const WorstLists& lists);

// Writes both lists, curvature first, as a GeoJSON FeatureCollection of points in the DEM's
// coordinate system. false, with "Cannot write FILE: reason" on err, when it cannot.
bool writeWorstGeoJson(const std::string& path, const WorstLists& lists, std::ostream& err);
