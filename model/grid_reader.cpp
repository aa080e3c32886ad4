// The grid file reader. A grid file is whitespace-separated text:
//
//   ncols 4
//   nrows 3
//   xllcorner 0.0
//   yllcorner 0.0
//   cellsize 25
//   NODATA_value -9999        (optional: any word starting with 'n' or 'N')
//   h(0,0) h(0,1) ... h(2,3)  (row 0 first; line layout does not matter)
//
// Keywords are lower case and in this fixed order. Values after the first
// nrows x ncols are ignored. GridText reads every token as the standard stream
// operators would, so the header rules below read as they would on a std::istream.

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "model/error.h"
#include "model/grid_text.h"
#include "model/grid_window.h"
#include "model/memory_need.h"
#include "model/mountain.h"
#include "model/numeric.h"
#include "model/raster_reader.h"

namespace {

std::string readingFile;  // named in the refusals of readgrid and readrawdata
std::optional<WindowRead> textPiece;  // the window's piece of the text grid being read

std::string inQuotes(const std::string& name) { return "\"" + name + "\""; }

template <typename T>
std::string text(T value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

// Reads the keyword, then the number after it, then drops the one character that
// follows the number (normally the line end). false when the word is another one;
// numberRead tells whether a number followed. A number that cannot be read fails the
// stream, so the keyword after it is not found either; only the last one, cellsize,
// has to be checked itself.
template <typename T>
bool readKeyword(GridText& in, const char* keyword, T& value, bool& numberRead)
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
bool readKeyword(GridText& in, const char* keyword, T& value)
{
    bool numberRead = false;
    return readKeyword(in, keyword, value, numberRead);
}

// A header number as a float and, from the same text, as a double.
bool readKeyword(GridText& in, const char* keyword, float& value, double& exact, bool& numberRead)
{
    std::string word;
    in >> word;
    if (word != keyword)
        return false;
    value = 0;
    numberRead = static_cast<bool>(in.readNumber(value, exact));
    in.get();
    return true;
}

bool readKeyword(GridText& in, const char* keyword, float& value, double& exact)
{
    bool numberRead = false;
    return readKeyword(in, keyword, value, exact, numberRead);
}

// A header number that cannot be read: nothing or a word where it should be (the value
// is then 0), or a number beyond the float range (the largest float of its sign).
[[noreturn]] void refuseUnreadable(const char* what, float held)
{
    const bool beyond = std::fabs(held) == std::numeric_limits<float>::max();
    refuse("file " + inQuotes(readingFile) + ": " + what +
           (beyond ? " is beyond the range of a float\n" : " is missing or not a number\n"));
}

// Sizes the rest of the model cannot hold are refused before anything is allocated:
// the cell count and the triangle count are ints throughout.
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

// Only a regular file is read: a FIFO would block the reader, a device feed it without end.
[[noreturn]] void refuseInput(const std::string& problem)
{
    if (problem == "not found") {
        std::cout << "ERROR: file " << inQuotes(readingFile) << " not found" << std::endl;
        endProcess();
    }
    refuse("file " + inQuotes(readingFile) + ": " + problem + "\n");
}

// The optional nodata line: any word starting with 'n' or 'N', then the value.
void readNodataLine(GridText& in, mountain& m)
{
    m.nodata_value = 0;
    char first;
    if (!(in >> first))
        return;
    if (first != 'n' && first != 'N') {
        in.putback(first);
        return;
    }
    std::string rest;
    in >> rest;
    if (!in.readNumber(m.nodata_value, m.nodataRead))
        refuseUnreadable("nodata value", m.nodata_value);
    m.hasNodata = true;
}

// What the grid will take is worked out before any of it is taken: a header of a few
// bytes can ask for more memory than the machine has.
void refuseUnfitting(const mountain& m, int index)
{
    GridUse use = gridUse;
    use.comparison = use.comparison || index != 1;
    const std::string problem = memoryProblem(m.nrows, m.ncols, use, memoryLimit());
    if (!problem.empty())
        refuseMemory("file " + inQuotes(readingFile) + ": " + problem + "\n");
}

[[noreturn]] void refuseShortFile(long long read, long long wanted)
{
    refuse("file " + inQuotes(readingFile) + " ends or holds a non-number after " + text(read) + " of " +
           text(wanted) + " heights\n");
}

// Both readers take the range of the finite heights as they go; a masked nodata value is
// left out after the read. A grid without any valid height has no range and is refused.
void settleRange(mountain& m)
{
    if (m.nodataMasked()) {
        m.reset();
        m.computeRange();
    }
    if (!(m.zmin <= m.zmax))
        refuse("file " + inQuotes(readingFile) + ": has no valid height\n");
}

// Only a raster holds them: the text grammar takes no letter but an exponent's, and a
// number beyond the float range is refused. Counted eight at a time, which the compiler
// turns into vector instructions, so that the pass costs little beside the read.
long long nonFiniteHeights(const float* const* rows, int nrows, int ncols)
{
    const float largest = std::numeric_limits<float>::max();
    long long count = 0;
    for (int r = 0; r < nrows; r++) {
        const float* row = rows[r];
        int c = 0;
        for (; c + 8 <= ncols; c += 8) {
            int eight = 0;
            for (int k = 0; k < 8; k++)
                eight += !(std::fabs(row[c + k]) <= largest);
            count += eight;
        }
        for (; c < ncols; c++)
            count += !(std::fabs(row[c]) <= largest);
    }
    return count;
}

// With a window in force for this read: the piece of the grid it takes, the header moved
// onto it (size and corner), recorded for the report.
std::optional<WindowRead> takeWindow(mountain& m, int index)
{
    if (!readWindow || (index != 1 && !windowComparison))
        return std::nullopt;
    std::optional<WindowRead> piece = windowPiece(*readWindow, m.nrows, m.ncols);
    if (!piece)
        refuse("file " + inQuotes(readingFile) + ": " + windowProblem(*readWindow, m.nrows, m.ncols) + "\n");
    piece->file = readingFile;
    piece->xllcorner = m.xllRead;
    piece->yllcorner = m.yllRead;
    m.xllRead += piece->firstCol * m.cellsizeRead;
    m.yllRead += (m.nrows - piece->firstRow - piece->rows) * m.cellsizeRead;
    m.xllcorner = static_cast<float>(m.xllRead);
    m.yllcorner = static_cast<float>(m.yllRead);
    m.nrows = piece->rows;
    m.ncols = piece->cols;
    (index == 1 ? demWindowRead : comparisonWindowRead) = piece;
    return piece;
}

// The piece's rows of a text grid: the rows before it are scanned a block at a time, the
// columns outside it dropped, and nothing after its last row is read. The range is that
// of the piece's heights. Returns the heights read, as readHeights does.
long long readTextPiece(GridText& in, mountain& m, const WindowRead& piece)
{
    const int width = piece.gridCols;
    const int block = std::max(1, (1 << 20) / width);
    std::vector<float> scratch(std::size_t(block) * std::size_t(width));
    std::vector<float*> rows(static_cast<std::size_t>(block));
    const int end = piece.firstRow + piece.rows;
    long long read = 0;
    for (int r = 0; r < end;) {
        const int n = std::min(block, end - r);
        for (int i = 0; i < n; i++)
            rows[i] = scratch.data() + std::size_t(i) * std::size_t(width);
        float low = 0, high = 0;
        const long long got = in.readHeights(rows.data(), n, width, low, high);
        read += got;
        if (got < static_cast<long long>(n) * width)
            return read;
        for (int i = std::max(0, piece.firstRow - r); i < n; i++) {
            float* row = m.grid[r + i - piece.firstRow];
            std::copy(rows[i] + piece.firstCol, rows[i] + piece.firstCol + piece.cols, row);
            for (const float* v = row; v < row + piece.cols; v++) {
                if (*v > m.zmax)
                    m.zmax = *v;
                if (m.zmin > *v)
                    m.zmin = *v;
            }
        }
        r += n;
    }
    return read;
}

// The heights of a text grid into m's rows, the whole grid or the window's piece.
void readTextHeights(GridText& in, mountain& m, const std::optional<WindowRead>& piece)
{
    const long long wanted = piece ? static_cast<long long>(piece->firstRow + piece->rows) * piece->gridCols
                                   : static_cast<long long>(m.nrows) * m.ncols;
    const long long read = piece ? readTextPiece(in, m, *piece) : in.readHeights(m.grid, m.nrows, m.ncols, m.zmin, m.zmax);
    if (read < wanted)
        refuseShortFile(read, wanted);
}

}  // namespace

void mountain::readgridfile(const char* const* names, int index)
{
    const char* name = names[index - 1];
    readingFile = name;
    GridText in(name);
    const bool gdalSource = !in.is_open() && namesGdalSource(name);
    if (!in.is_open() && !gdalSource)
        refuseInput(in.problem());
    if (DEBUG)
        std::cout << "Reading file '" << name << "'..." << std::endl;

    releaseGrid();
    xllRead = yllRead = cellsizeRead = nodataRead = 0;
    hasNodata = geographic = false;
    nonFinite = 0;
    projection.clear();
    reset();
    textPiece.reset();
    {
        RasterFile raster(name);
        if (raster.isOpen()) {
            readRaster(raster, index);
            return;
        }
    }
    if (gdalSource)
        refuseInput(in.problem());
    if (!readKeyword(in, "ncols", ncols))
        error(NCOLS);
    if (!readKeyword(in, "nrows", nrows))
        error(NROWS);
    bool cellsizeGiven = false;
    if (!readKeyword(in, "xllcorner", xllcorner, xllRead) || !readKeyword(in, "yllcorner", yllcorner, yllRead) ||
        !readKeyword(in, "cellsize", cellsize, cellsizeRead, cellsizeGiven))
        error(BAD_KEYWORD);
    if (!cellsizeGiven)
        refuseUnreadable("cellsize", cellsize);
    if (DEBUG)
        std::cout << "cellsize: " << cellsize << std::endl;

    readNodataLine(in, *this);
    if (DEBUG) {
        if (nodata_value == 0)
            std::cout << "nodata_value = none" << std::endl;
        else
            std::cout << "nodata_value = " << nodata_value << std::endl;
    }
    refuseUnusableHeader(*this);
    textPiece = takeWindow(*this, index);
    refuseUnfitting(*this, index);

    if (index == 1)
        readgrid(in);
    else
        readrawdata(in);
}

void mountain::readgrid(GridText& in)
{
    if (DEBUG)
        std::cout << "Resolution (cellsize): " << cellsize << std::endl;
    std::cout << "Reading DEM data, " << nrows << " rows and " << ncols << " columns..." << std::endl;
    grid = allocate(nrows, ncols);
    readTextHeights(in, *this, textPiece);
    settleRange(*this);
}

void mountain::readrawdata(GridText& in)
{
    std::cout << "Reading sparse data, " << nrows << " rows and " << ncols << " columns..." << std::endl;
    sparseData = true;
    grid = allocate(nrows, ncols);
    readTextHeights(in, *this, textPiece);
    settleRange(*this);
    inferContourInterval();
}

void mountain::readRaster(RasterFile& raster, int index)
{
    raster.header(*this);
    refuseUnusableHeader(*this);
    if (const std::optional<WindowRead> piece = takeWindow(*this, index))
        raster.readPiece(piece->firstRow, piece->firstCol);
    refuseUnfitting(*this, index);
    if (index == 1) {
        std::cout << "Reading DEM data, " << nrows << " rows and " << ncols << " columns..." << std::endl;
    } else {
        std::cout << "Reading sparse data, " << nrows << " rows and " << ncols << " columns..." << std::endl;
        sparseData = true;
    }
    grid = allocate(nrows, ncols);
    raster.readHeights(grid, nrows, ncols, zmin, zmax);
    nonFinite = nonFiniteHeights(grid, nrows, ncols);
    settleRange(*this);
    if (index != 1)
        inferContourInterval();
}

void mountain::inferContourInterval()
{
    // The contour interval is inferred only when nobody preset it: the first non-zero
    // value gives a first guess, the first later value that is higher turns the guess
    // into the distance between the two contour levels. A refused file ends the read
    // before this, so running it after the read sees the values in the same order.
    if (getContourInt() != 0)
        return;
    for (int r = 0; r < nrows; r++) {
        const float* row = grid[r];
        for (int c = 0; c < ncols; c++) {
            const float v = row[c];
            if (nonFinite > 0 && !std::isfinite(v))
                continue;  // no height, no level
            const int level = truncateToInt(v);
            if (getContourInt() == 0) {
                if (v != 0)
                    setContourInt(level);
            } else if (level > getContourInt()) {
                setContourInt(saturatingDifference(level, getContourInt()));
                return;
            }
        }
    }
}
