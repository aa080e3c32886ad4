#pragma once
// Small grid files for tests: written from inline tables or from analytic surfaces
// whose right answers are known without running the code under test.

#include <functional>
#include <string>
#include <vector>

#include "model/grid_writer.h"

// Writes text to path as it is.
void writeText(const std::string& path, const std::string& text);

// A grid file with the given values (row-major) and a plain header.
std::string gridText(int rows, int cols, const std::vector<float>& values, double cellsize = 1);
void writeGridValues(const std::string& path, int rows, int cols, const std::vector<float>& values,
                     double cellsize = 1);

// Row-major values of f(row, col).
std::vector<float> surface(int rows, int cols, const std::function<double(int, int)>& f);

// Row-major values of f(x, y) at the pixel centres of the grid header describes, row 0
// north: x = xllcorner + (c + 0.5) cellsize, y = yllcorner + (nrows - r - 0.5) cellsize.
std::vector<float> field(const GridHeader& header, const std::function<double(double, double)>& f);

// Standard surfaces.
std::vector<float> flat(int rows, int cols, float height);
std::vector<float> plane(int rows, int cols, double base, double perRow, double perCol);
std::vector<float> spike(int rows, int cols, float base, int row, int col, float height);

// The sample data generated into the build tree.
std::string sampleFile(const std::string& name);
