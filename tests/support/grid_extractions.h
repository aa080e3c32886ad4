#pragma once
// The extractions the grid reader makes from a grid file, in its order, run on any
// stream: on a std::istringstream they are what the standard operators take from the
// bytes, the reference the model's GridText must equal whatever its block sizes. The
// reader's checks and messages are not here: only what it takes from the text.

#include <cstddef>
#include <cstring>
#include <istream>
#include <limits>
#include <string>
#include <vector>

#include "model/grid_text.h"
#include "model/mountain.h"

// A header number as a float and, from the same characters, as a double.
inline bool readNumber(GridText& in, float& value, double& exact) { return bool(in.readNumber(value, exact)); }

inline bool readNumber(std::istream& in, float& value, double& exact)
{
    in >> std::ws;
    const std::istream::pos_type at = in.tellg();
    if (!(in >> value))
        return false;
    // The double takes the same characters, and leaves the stream as the float did.
    in.seekg(at);
    in >> exact;
    return true;
}

inline long long readHeights(GridText& in, float* const* rows, int nrows, int ncols, float& zmin, float& zmax)
{
    return in.readHeights(rows, nrows, ncols, zmin, zmax);
}

inline long long readHeights(std::istream& in, float* const* rows, int nrows, int ncols, float& zmin, float& zmax)
{
    for (long long i = 0; i < static_cast<long long>(nrows) * ncols; i++) {
        float& v = rows[i / ncols][i % ncols];
        if (!(in >> v))
            return i;
        if (v > zmax)
            zmax = v;
        if (zmin > v)
            zmin = v;
    }
    return static_cast<long long>(nrows) * ncols;
}

struct GridExtractions {
    std::string record;  // every value taken and the stream's state after it, bit for bit
    int cols = 0, rows = 0;
    float corner[3] = {0, 0, 0};     // xllcorner, yllcorner, cellsize
    double exact[4] = {0, 0, 0, 0};  // the same and the nodata value, as doubles
    float nodata = 0;
    std::vector<float> heights;  // those read, row-major
    float zmin = std::numeric_limits<float>::infinity(), zmax = -std::numeric_limits<float>::infinity();
};

// The heights of a grid of the header's size, or of 64 x 64 when that is not positive
// or above mostCells.
template <typename Stream>
GridExtractions extractGrid(Stream& in, long long mostCells)
{
    GridExtractions x;
    auto state = [&] { x.record += in ? (in.eof() ? 'e' : 'g') : 'f'; };
    auto hex = [&](const void* p, std::size_t n) {
        const unsigned char* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; i++) {
            x.record += "0123456789abcdef"[b[i] >> 4];
            x.record += "0123456789abcdef"[b[i] & 15];
        }
        x.record += ' ';
    };
    int* sizes[2] = {&x.cols, &x.rows};
    for (int i = 0; i < 5; i++) {
        std::string word;
        in >> word;
        x.record += word + ' ';
        state();
        if (i < 2) {
            in >> *sizes[i];
            hex(sizes[i], sizeof(int));
        } else {
            readNumber(in, x.corner[i - 2], x.exact[i - 2]);
            hex(&x.corner[i - 2], sizeof(float));
            hex(&x.exact[i - 2], sizeof(double));
        }
        state();
        x.record += std::to_string(in.get()) + ' ';
        state();
    }
    char first = 0;
    if (in >> first) {
        if (first == 'n' || first == 'N') {
            std::string rest;
            in >> rest;
            readNumber(in, x.nodata, x.exact[3]);
            hex(&x.nodata, sizeof(float));
            hex(&x.exact[3], sizeof(double));
        } else {
            in.putback(first);
        }
    }
    state();
    int rows = x.rows, cols = x.cols;
    if (rows <= 0 || cols <= 0 || static_cast<long long>(rows) * cols > mostCells)
        rows = cols = 64;
    x.heights.assign(static_cast<std::size_t>(rows) * cols, -7.0f);
    std::vector<float*> pointers;
    for (int r = 0; r < rows; r++)
        pointers.push_back(x.heights.data() + std::size_t(r) * cols);
    const long long stored = readHeights(in, pointers.data(), rows, cols, x.zmin, x.zmax);
    x.heights.resize(static_cast<std::size_t>(stored));
    // Not the state after them: a stream meets the end of the text after a last height
    // the reader takes without looking further.
    x.record += std::to_string(stored) + ' ';
    hex(&x.zmin, sizeof x.zmin);
    hex(&x.zmax, sizeof x.zmax);
    hex(x.heights.data(), sizeof(float) * x.heights.size());
    return x;
}

// Where a grid the reader accepted differs from what the extractions took, bit for bit;
// empty when nowhere.
inline std::string differenceFrom(const mountain& m, const GridExtractions& x)
{
    auto same = [](const void* a, const void* b, std::size_t n) { return std::memcmp(a, b, n) == 0; };
    const float corner[3] = {m.xllcorner, m.yllcorner, m.cellsize};
    const double exact[4] = {m.xllRead, m.yllRead, m.cellsizeRead, m.nodataRead};
    if (m.ncols != x.cols || m.nrows != x.rows)
        return "size";
    if (!same(corner, x.corner, sizeof corner) || !same(exact, x.exact, sizeof exact) ||
        !same(&m.nodata_value, &x.nodata, sizeof x.nodata))
        return "header numbers";
    if (x.heights.size() != std::size_t(m.nrows) * std::size_t(m.ncols))
        return "height count";
    for (int r = 0; r < m.nrows; r++)
        if (!same(m.grid[r], x.heights.data() + std::size_t(r) * m.ncols, sizeof(float) * std::size_t(m.ncols)))
            return "heights of row " + std::to_string(r);
    if (!same(&m.zmin, &x.zmin, sizeof x.zmin) || !same(&m.zmax, &x.zmax, sizeof x.zmax))
        return "height range";
    return "";
}
