#pragma once
// The sparse data set computed straight from its rules, for comparing the program with:
// every interior point strictly above its eight neighbours (the first 100 in row order),
// then rand() picks, row first, until there are n points; every chosen point carries its
// own DEM height and all others are 0.

#include <string>
#include <vector>

struct SparseReference {
    std::vector<float> values;   // row-major
    std::vector<float> maxima;   // heights of the maxima taken, in scan order
};

// Seeds rand() with seed before the picks (an unseeded program draws as seed 1 does).
SparseReference sparseReference(int rows, int cols, const std::vector<float>& heights, int n, unsigned seed);

// Rows of values in the stream's default format, one space after each.
std::string sparseBody(int rows, int cols, const std::vector<float>& values);

// What the run writes to standard error.
std::string sparseConsoleErr(const std::vector<float>& maxima);
