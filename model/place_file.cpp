#include "model/place_file.h"

#include <ostream>

#include "model/input_file.h"
#include "model/output_file.h"

bool writePlaceFile(const std::string& path, const PlaceFile& file, std::string& why)
{
    GdalModule* gdal = gdalModule(why);
    std::string text;
    if (gdal == nullptr || !gdal->placesGeoJson(file, text, why))
        return false;
    why.clear();
    return writeStreamSafely(path, [&](std::ostream& out) { out << text; });
}

bool readPlaceFile(const std::string& path, PlaceFile& file, std::string& why)
{
    std::string bytes;
    if (!readWholeFile(path, largestPlaceFile, "16 MB", bytes, why))
        return false;
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr)
        return false;
    PlaceFile read;
    if (!gdal->readPlaces(bytes, read, why)) {
        why = "is no GeoJSON places file" + (why.empty() ? std::string() : " (" + why + ")");
        return false;
    }
    file = std::move(read);
    return true;
}
