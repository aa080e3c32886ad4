#include "tools/report_worst.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "analysis/current_places.h"
#include "analysis/place_records.h"
#include "model/mountain.h"
#include "model/place_file.h"

namespace {

// The shortest decimal that reads back as v ("null" where there is none).
template <typename T>
std::string shortest(T v)
{
    if (!std::isfinite(v))
        return "null";
    char text[40];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, v);
    return std::string(text, end.ptr);
}

std::string placeLine(const Place& p)
{
    char rank[16];
    std::snprintf(rank, sizeof rank, "%4d", p.rank);
    return std::string(rank) + "  row " + std::to_string(p.row) + "  col " + std::to_string(p.col) + "  x " +
           shortest(p.x) + "  y " + shortest(p.y) + "  height " + shortest(p.height) + "  " +
           placeKindName(p.kind) + " " + shortest(p.value()) + "  level " + std::to_string(p.level()) + "  cells " +
           std::to_string(p.cells) + "\n";
}

std::string listText(const std::vector<Place>& places, PlaceKind kind)
{
    const std::string heading = std::string("\nWorst places by ") + placeKindName(kind) + ":";
    if (places.empty())
        return heading + " none\n";
    std::string out = heading + "\n";
    for (const Place& p : places)
        out += placeLine(p);
    return out;
}

std::string placeJson(const Place& p)
{
    return "{\"rank\": " + std::to_string(p.rank) + ", \"row\": " + std::to_string(p.row) +
           ", \"col\": " + std::to_string(p.col) + ", \"x\": " + shortest(p.x) + ", \"y\": " + shortest(p.y) +
           ", \"height\": " + shortest(p.height) + ", \"value\": " + shortest(p.value()) +
           ", \"level\": " + std::to_string(p.level()) + ", \"cells\": " + std::to_string(p.cells) + "}";
}

std::string listJson(const std::vector<Place>& places)
{
    std::string out = "[";
    for (std::size_t i = 0; i < places.size(); i++)
        out += (i ? ", " : "") + placeJson(places[i]);
    return out + "]";
}

}  // namespace

WorstLists currentWorstLists(int n, bool comparison)
{
    WorstLists lists;
    lists.comparison = comparison;
    lists.curvature = currentWorstPlaces(PlaceKind::curvature, n);
    if (comparison)
        lists.difference = currentWorstPlaces(PlaceKind::difference, n);
    return lists;
}

std::string worstText(const WorstLists& lists)
{
    std::string out = listText(lists.curvature, PlaceKind::curvature);
    if (lists.comparison)
        out += listText(lists.difference, PlaceKind::difference);
    return out;
}

std::string worstJson(const WorstLists& lists)
{
    return "{\"curvature\": " + listJson(lists.curvature) +
           ", \"difference\": " + (lists.comparison ? listJson(lists.difference) : std::string("null")) + "}";
}

bool writeWorstGeoJson(const std::string& path, const WorstLists& lists, std::ostream& err)
{
    std::vector<Place> both = lists.curvature;
    both.insert(both.end(), lists.difference.begin(), lists.difference.end());
    std::string why;
    if (writePlaceFile(path, placesFile(both, mt.projection), why))
        return true;
    err << "Cannot write " << path << (why.empty() ? "" : ": " + why) << "\n";
    return false;
}
