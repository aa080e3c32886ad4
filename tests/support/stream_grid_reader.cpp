#include "tests/support/stream_grid_reader.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>

#include "model/error.h"
#include "model/input_file.h"
#include "model/memory_need.h"
#include "model/mountain.h"
#include "model/numeric.h"

namespace {

std::string readingFile;

std::string inQuotes(const std::string& name) { return "\"" + name + "\""; }

template <typename T>
std::string text(T value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

template <typename T>
bool readKeyword(std::istream& in, const char* keyword, T& value, bool& numberRead)
{
    std::string word;
    in >> word;
    if (word != keyword)
        return false;
    value = T();
    numberRead = static_cast<bool>(in >> value);
    in.get();
    return true;
}

template <typename T>
bool readKeyword(std::istream& in, const char* keyword, T& value)
{
    bool numberRead = false;
    return readKeyword(in, keyword, value, numberRead);
}

// `in >> value`, then the same text once more as a double (when the float was read).
bool readBoth(std::istream& in, float& value, double& exact)
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

bool readKeyword(std::istream& in, const char* keyword, float& value, double& exact, bool& numberRead)
{
    std::string word;
    in >> word;
    if (word != keyword)
        return false;
    value = 0;
    numberRead = readBoth(in, value, exact);
    in.get();
    return true;
}

bool readKeyword(std::istream& in, const char* keyword, float& value, double& exact)
{
    bool numberRead = false;
    return readKeyword(in, keyword, value, exact, numberRead);
}

[[noreturn]] void refuseUnreadable(const char* what, float held)
{
    const bool beyond = std::fabs(held) == std::numeric_limits<float>::max();
    refuse("file " + inQuotes(readingFile) + ": " + what +
           (beyond ? " is beyond the range of a float\n" : " is missing or not a number\n"));
}

void refuseUnusableHeader(const mountain& m)
{
    const std::string file = "file " + inQuotes(readingFile) + ": ";
    if (m.ncols <= 0)
        refuse(file + "ncols " + text(m.ncols) + " is not a positive number of columns\n");
    if (m.nrows <= 0)
        refuse(file + "nrows " + text(m.nrows) + " is not a positive number of rows\n");
    if (!(m.cellsize > 0) || !std::isfinite(m.cellsize))
        refuse(file + "cellsize " + text(m.cellsize) + " is not a positive finite distance\n");
    const std::int64_t cells = std::int64_t(m.nrows) * m.ncols;
    const std::int64_t triangles = (std::int64_t(m.nrows) - 1) * (2 * std::int64_t(m.ncols) - 2);
    const std::int64_t limit = std::numeric_limits<int>::max();
    // 2 x ncols: the records of a row of cells, counted in an int by every pass, also
    // where a single row has no cells and so no triangles.
    if (cells > limit || triangles > limit || 2 * std::int64_t(m.ncols) > limit)
        refuse(file + "a grid of " + text(m.nrows) + " rows and " + text(m.ncols) +
               " columns is too large to hold\n");
}

[[noreturn]] void refuseShortFile(long long read, long long wanted)
{
    refuse("file " + inQuotes(readingFile) + " ends or holds a non-number after " + text(read) + " of " +
           text(wanted) + " heights\n");
}

void readgrid(mountain& m, std::istream& in)
{
    if (DEBUG)
        std::cout << "Resolution (cellsize): " << m.cellsize << std::endl;
    std::cout << "Reading DEM data, " << m.nrows << " rows and " << m.ncols << " columns..." << std::endl;
    m.grid = allocate(m.nrows, m.ncols);
    for (int r = 0; r < m.nrows; r++) {
        float* row = m.grid[r];
        for (int c = 0; c < m.ncols; c++) {
            if (!(in >> row[c]))
                refuseShortFile(static_cast<long long>(r) * m.ncols + c, static_cast<long long>(m.nrows) * m.ncols);
            if (row[c] > m.zmax)
                m.zmax = row[c];
            if (m.zmin > row[c])
                m.zmin = row[c];
        }
    }
}

void readrawdata(mountain& m, std::istream& in)
{
    std::cout << "Reading sparse data, " << m.nrows << " rows and " << m.ncols << " columns..." << std::endl;
    sparseData = true;
    m.grid = allocate(m.nrows, m.ncols);
    bool inferring = m.getContourInt() == 0;
    for (int r = 0; r < m.nrows; r++) {
        float* row = m.grid[r];
        for (int c = 0; c < m.ncols; c++) {
            if (!(in >> row[c]))
                refuseShortFile(static_cast<long long>(r) * m.ncols + c, static_cast<long long>(m.nrows) * m.ncols);
            const float v = row[c];
            if (v > m.zmax)
                m.zmax = v;
            if (m.zmin > v)
                m.zmin = v;
            if (!inferring)
                continue;
            const int level = truncateToInt(v);
            if (m.getContourInt() == 0) {
                if (v != 0)
                    m.setContourInt(level);
            } else if (level > m.getContourInt()) {
                m.setContourInt(saturatingDifference(level, m.getContourInt()));
                inferring = false;
            }
        }
    }
}

}  // namespace

void streamReadGridFile(mountain& m, const char* const* names, int index)
{
    const char* name = names[index - 1];
    readingFile = name;
    const std::string problem = inputProblem(name);
    std::ifstream in;
    if (problem.empty())
        in.open(name);
    if (problem == "not found" || (problem.empty() && !in.is_open())) {
        std::cout << "ERROR: file \"" << name << "\" not found" << std::endl;
        endProcess();
    }
    if (!problem.empty())
        refuse("file " + inQuotes(name) + ": " + problem + "\n");
    if (DEBUG)
        std::cout << "Reading file '" << name << "'..." << std::endl;

    m.releaseGrid();
    m.reset();  // a read starts its height range afresh
    m.xllRead = m.yllRead = m.cellsizeRead = m.nodataRead = 0;
    if (!readKeyword(in, "ncols", m.ncols))
        error(NCOLS);
    if (!readKeyword(in, "nrows", m.nrows))
        error(NROWS);
    bool cellsizeRead = false;
    if (!readKeyword(in, "xllcorner", m.xllcorner, m.xllRead) || !readKeyword(in, "yllcorner", m.yllcorner, m.yllRead) ||
        !readKeyword(in, "cellsize", m.cellsize, m.cellsizeRead, cellsizeRead))
        error(BAD_KEYWORD);
    if (!cellsizeRead)
        refuseUnreadable("cellsize", m.cellsize);
    if (DEBUG)
        std::cout << "cellsize: " << m.cellsize << std::endl;

    char first;
    if (in >> first) {
        if (first == 'n' || first == 'N') {
            std::string rest;
            m.nodata_value = 0;
            if (!(in >> rest) || !readBoth(in, m.nodata_value, m.nodataRead))
                refuseUnreadable("nodata value", m.nodata_value);
        } else {
            in.putback(first);
            m.nodata_value = 0;
        }
    } else {
        m.nodata_value = 0;
    }
    if (DEBUG) {
        if (m.nodata_value == 0)
            std::cout << "nodata_value = none" << std::endl;
        else
            std::cout << "nodata_value = " << m.nodata_value << std::endl;
    }
    refuseUnusableHeader(m);
    GridUse use = gridUse;
    use.comparison = use.comparison || index != 1;
    const std::string tooLarge = memoryProblem(m.nrows, m.ncols, use, memoryLimit());
    if (!tooLarge.empty())
        refuseMemory("file " + inQuotes(readingFile) + ": " + tooLarge + "\n");

    if (index == 1)
        readgrid(m, in);
    else
        readrawdata(m, in);
}
