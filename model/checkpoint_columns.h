#pragma once
// The names a checkpoint file's columns (or a vector file's fields) go by. Header-only:
// the text table reader and the GDAL module's vector reader both match names with it.

#include <cctype>
#include <string>

enum class CheckpointColumn { other, x, y, z, id, landClass };

inline CheckpointColumn checkpointColumn(const std::string& name)
{
    std::string n;
    for (char ch : name)
        n += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (n == "x" || n == "easting" || n == "e" || n == "lon" || n == "longitude")
        return CheckpointColumn::x;
    if (n == "y" || n == "northing" || n == "n" || n == "lat" || n == "latitude")
        return CheckpointColumn::y;
    if (n == "z" || n == "h" || n == "elevation" || n == "height")
        return CheckpointColumn::z;
    if (n == "id" || n == "name")
        return CheckpointColumn::id;
    if (n == "class" || n == "landcover")
        return CheckpointColumn::landClass;
    return CheckpointColumn::other;
}
