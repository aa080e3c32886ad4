#pragma once
// Checkpoints: surveyed points anywhere on the DEM, with their own heights, read from a
// text table or from a vector file.
//
// A text table has a header line naming its columns (case-insensitive, in any order):
//   x      x, easting, e, lon, longitude
//   y      y, northing, n, lat, latitude
//   z      z, h, elevation, height
//   id     id, name                   (optional)
//   class  class, landcover           (optional)
// The separator is the first of comma, semicolon and tab that the header holds, otherwise
// runs of blanks; fields may be double-quoted. Blank lines and lines starting with '#' are
// passed over. With a separator other than the comma, a number may use a decimal comma.
// A table names no coordinate system: its points are taken to be in the DEM's.
//
// A file is read as a text table when its first line that is neither blank nor a '#'
// comment names an x and a y column; any other file is opened as a vector file through
// GDAL (GeoPackage, shapefile, GeoJSON, KML, ...), whose point features are the
// checkpoints: the height from a field named as z above, or, without one, the geometry's
// Z; the id from a field named as id above, otherwise the feature id. When the layer's
// coordinate system and the DEM's are both known, the points are carried into the DEM's
// (easting before northing, longitude before latitude whatever the definitions say).

#include <string>
#include <vector>

struct Checkpoint {
    std::string id;         // the id column, or the line number (text) or feature id (vector)
    double x = 0, y = 0;    // in the DEM's coordinate system
    double z = 0;           // in the DEM's height unit
    std::string landClass;  // the class column, "" without one
};

// A row that could not be read: where ("line 7", "feature 12", "feature 3 of layer
// roads") and why ("z \"n/a\" is not a number").
struct SkippedRow {
    std::string where, reason;
};

struct CheckpointSet {
    std::vector<Checkpoint> points;  // in file order
    std::vector<SkippedRow> skipped;
    bool hasClasses = false;   // the file has a class column (field)
    bool vectorFile = false;   // read through GDAL rather than as a text table
    bool transformed = false;  // the points were carried into the DEM's coordinate system
    std::string problem;       // "" or why the file gives no checkpoints, to follow its name
};

// The checkpoints of path, a regular file; demProjection is the DEM's coordinate system as
// WKT, "" when it has none. problem is set, and points empty, when the file cannot be read
// or holds no usable point ("holds no usable checkpoint").
CheckpointSet readCheckpoints(const std::string& path, const std::string& demProjection);

// The text table in text, as readCheckpoints reads it, without a file. At most maxPoints
// points are kept; past them problem says so and points is emptied.
CheckpointSet parseCheckpointTable(const std::string& text, std::size_t maxPoints);

// Whether text starts as a text table: its first line that is neither blank nor a comment
// names an x and a y column.
bool startsAsCheckpointTable(const std::string& text);
