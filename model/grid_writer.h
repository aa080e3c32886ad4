#pragma once
// Writes grid files in the format the model reads: the sparse data set, karvo-report's
// files, the sample data and the test fixtures all write through here.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/large_memory.h"

struct GridHeader {
    int nrows = 0;
    int ncols = 0;
    double xllcorner = 0;
    double yllcorner = 0;
    double cellsize = 1;
    bool hasNodata = false;
    double nodata = -9999;
};

// Header lines, then one line per row with the values in the stream's default float
// format and one space after every value.
void writeGrid(std::ostream& out, const GridHeader& header, const std::vector<float>& values);
bool writeGridFile(const std::string& path, const GridHeader& header, const std::vector<float>& values);
void writeHeader(std::ostream& out, const GridHeader& header);
// The rows of a grid: one line per row, one space after every value, in the stream's
// float format.
void writeGridBody(std::ostream& out, int nrows, int ncols, const std::vector<float>& values);

class mountain;

// The shortest text that reads back as the same float ("0" for zero, "1500.1" for
// 1500.1f), where the default format would cut a height to six digits.
std::string exactFloat(float value);
// The shortest text that reads back as the same double ("612345.37", "25").
std::string exactDouble(double value);

// A grid file with m's five header lines (no nodata line) and the given row-major values:
// the corner and cellsize as read, by exactDouble, the values by exactFloat, so that the
// model reads back exactly these floats.
void writeExactGrid(std::ostream& out, const mountain& m, const std::vector<float>& values);
bool writeExactGridFile(const std::string& path, const mountain& m, const std::vector<float>& values);

// A map of per-cell levels for a GIS: a GeoTIFF of m's size (Byte, deflate) whose pixel
// (r, c) holds the level of the cell whose first corner is (r, c), and 255, its nodata
// value, in the last row and column and in masked cells; georeferenced with m's corner,
// cellsize as read and coordinate system. false when the file cannot be written.
bool writeLevelMap(const std::string& path, const mountain& m, const LargeVector<std::uint8_t>& levels);

// A grid of values on m's grid points as a GeoTIFF (Float32, deflate) whose nodata value
// is NaN: rows[r][c] at m's point (r, c), georeferenced with m's corner and cellsize as
// read and its coordinate system. false when the file cannot be written; why then holds
// the reason when one is known.
bool writeFloatGridFile(const std::string& path, const mountain& m, const float* const* rows, std::string& why);
