#include "model/mountain.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "model/error.h"
#include "model/grid_window.h"
#include "model/ground_cell.h"
#include "model/large_memory.h"
#include "model/memory_need.h"
#include "model/raster_reader.h"

mountain mt;
rawdata rd;

bool DEBUG = false;
bool maskNodata = false;
bool cellsInDegrees = false;
bool allocated = false;
bool sparseData = false;

mountain::~mountain() { discard(); }

void mountain::getCoord(float& x, float& y, float& size) const
{
    x = xllcorner;
    y = yllcorner;
    size = cellsize;
}

float mountain::eastWestShare() const
{
    if (shareMemo.nrows != nrows || shareMemo.yllcorner != yllRead || shareMemo.cellsize != cellsizeRead) {
        shareMemo.nrows = nrows;
        shareMemo.yllcorner = yllRead;
        shareMemo.cellsize = cellsizeRead;
        shareMemo.share = static_cast<float>(::eastWestShare(nrows, yllRead, cellsizeRead));
    }
    return shareMemo.share;
}

void mountain::reset()
{
    zmin = std::numeric_limits<float>::infinity();
    zmax = -std::numeric_limits<float>::infinity();
}

void mountain::vertExagPlus() { exageration += 1.0f; }

void mountain::vertExagMinus()
{
    if (exageration > 0)
        exageration -= 1.0f;
}

void mountain::vertExagReset() { exageration = 1.0f; }

void mountain::releaseGrid()
{
    releaseRows(grid);
    grid = nullptr;
}

void mountain::releaseLevels()
{
    freeVector(curveLevels);
    freeVector(diffLevels);
    triangleCount = 0;
}

void mountain::discard()
{
    releaseGrid();
    releaseLevels();
    nrows = ncols = 0;
    xllcorner = yllcorner = cellsize = nodata_value = 0;
    xllRead = yllRead = cellsizeRead = nodataRead = 0;
    hasNodata = geographic = false;
    nonFinite = 0;
    projection.clear();
    scalefactor = movex = movey = zcenter = zscale = 0;
    reset();
    exageration = 1.0f;
}

void mountain::swapGrid(mountain& other)
{
    std::swap(nrows, other.nrows);
    std::swap(ncols, other.ncols);
    std::swap(xllcorner, other.xllcorner);
    std::swap(yllcorner, other.yllcorner);
    std::swap(cellsize, other.cellsize);
    std::swap(nodata_value, other.nodata_value);
    std::swap(xllRead, other.xllRead);
    std::swap(yllRead, other.yllRead);
    std::swap(cellsizeRead, other.cellsizeRead);
    std::swap(nodataRead, other.nodataRead);
    std::swap(hasNodata, other.hasNodata);
    std::swap(nonFinite, other.nonFinite);
    std::swap(geographic, other.geographic);
    std::swap(projection, other.projection);
    std::swap(grid, other.grid);
    std::swap(zmin, other.zmin);
    std::swap(zmax, other.zmax);
}

void rawdata::swapGrid(rawdata& other)
{
    mountain::swapGrid(other);
    std::swap(contourInt, other.contourInt);
}

bool mountain::cellMasked(int r, int c) const
{
    if (!masking())
        return false;
    return !validPoint(r, c) || !validPoint(r + 1, c) || !validPoint(r, c + 1) || !validPoint(r + 1, c + 1) ||
           (r >= 1 && c >= 1 && (!validPoint(r - 1, c) || !validPoint(r, c - 1)));
}

void mountain::computeRange()
{
    float low = std::numeric_limits<float>::infinity(), high = -low;
    for (int r = 0; r < nrows; r++)
        for (int c = 0; c < ncols; c++) {
            if (!validPoint(r, c))
                continue;
            const float v = grid[r][c];
            if (v > high)
                high = v;
            if (low > v)
                low = v;
        }
    if (low <= high) {
        zmin = low;
        zmax = high;
    }
}

bool mountain::looksGeographic() const
{
    const float east = xllcorner + ncols * cellsize, north = yllcorner + nrows * cellsize;
    return cellsize > 0 && cellsize < 0.01f && xllcorner >= -180 && east <= 180 && yllcorner >= -90 && north <= 90;
}

float** allocate(int rows, int cols)
{
    // The row table and the rows in one block, the rows after the table.
    const std::size_t tableBytes = (std::size_t(rows) * sizeof(float*) + 63) / 64 * 64;
    const std::size_t heights = std::size_t(rows) * std::size_t(cols);
    if (heights > (SIZE_MAX - tableBytes) / sizeof(float))
        error(ARRAY1);
    void* block = allocateLarge(tableBytes + heights * sizeof(float), true);
    if (block == nullptr)
        error(ARRAY2);
    float** table = static_cast<float**>(block);
    float* first = reinterpret_cast<float*>(static_cast<char*>(block) + tableBytes);
    for (int r = 0; r < rows; r++)
        table[r] = first + std::size_t(r) * cols;
    return table;
}

void releaseRows(float** rows) { releaseLarge(rows); }

bool comparisonMatchesDem()
{
    return rd.grid != nullptr && mt.grid != nullptr && rd.nrows == mt.nrows && rd.ncols == mt.ncols;
}

void resetModel()
{
    mt.discard();
    rd.discard();
    rd.contourInt = 0;
    DEBUG = false;
    maskNodata = false;
    cellsInDegrees = false;
    allocated = false;
    sparseData = false;
    trustRasters = false;
    gridUse = GridUse();
    resetGridWindow();
}
