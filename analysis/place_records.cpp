#include "analysis/place_records.h"

#include <charconv>
#include <cstdlib>

namespace {

double shortestDecimal(float v)
{
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text - 1, v);
    *end.ptr = '\0';
    return std::strtod(text, nullptr);
}

}  // namespace

PlaceRecord placeRecord(const Place& place)
{
    PlaceRecord r;
    r.kind = placeKindName(place.kind);
    r.rank = place.rank;
    r.row = place.row;
    r.col = place.col;
    r.x = place.x;
    r.y = place.y;
    r.height = shortestDecimal(place.height);
    r.value = shortestDecimal(place.value());
    r.level = place.level();
    r.cells = place.cells;
    return r;
}

PlaceFile placesFile(const std::vector<Place>& places, const std::string& projection)
{
    PlaceFile file;
    file.projection = projection;
    for (const Place& p : places)
        file.records.push_back(placeRecord(p));
    return file;
}
