#pragma once
// Writes grid files in the format the model reads, for the sample data, the test
// fixtures and karvo-report's output.

#include <iosfwd>
#include <string>
#include <vector>

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
