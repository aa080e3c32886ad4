#include "model/mountain.h"

#include <new>
#include <utility>

#include "model/error.h"

mountain mt;
rawdata rd;

bool DEBUG = false;
bool allocated = false;
bool sparseData = false;

mountain::~mountain() { discard(); }

void mountain::getCoord(float& x, float& y, float& size) const
{
    x = xllcorner;
    y = yllcorner;
    size = cellsize;
}

void mountain::reset()
{
    zmin = 35000.0f;
    zmax = -1000.0f;
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
    releaseRows(grid, nrows);
    grid = nullptr;
}

void mountain::releaseLevels()
{
    curveLevels = {};
    diffLevels = {};
    triangleCount = 0;
}

void mountain::discard()
{
    releaseGrid();
    releaseLevels();
    classes = {};
    nrows = ncols = 0;
    xllcorner = yllcorner = cellsize = nodata_value = 0;
    scalefactor = movex = movey = zcenter = zscale = 0;
    reset();
    exageration = 1.0f;
    classMin = classMax = classInterval = 0;
    for (int& count : curveCounts)
        count = 0;
    for (int& count : diffCounts)
        count = 0;
    totalSq = maxCurve = 0;
}

void mountain::swapGrid(mountain& other)
{
    std::swap(nrows, other.nrows);
    std::swap(ncols, other.ncols);
    std::swap(xllcorner, other.xllcorner);
    std::swap(yllcorner, other.yllcorner);
    std::swap(cellsize, other.cellsize);
    std::swap(nodata_value, other.nodata_value);
    std::swap(grid, other.grid);
    std::swap(zmin, other.zmin);
    std::swap(zmax, other.zmax);
}

void rawdata::swapGrid(rawdata& other)
{
    mountain::swapGrid(other);
    std::swap(contourInt, other.contourInt);
}

float** allocate(int rows, int cols)
{
    float** table = new (std::nothrow) float*[rows];
    if (table == nullptr)
        error(ARRAY1);
    for (int r = 0; r < rows; r++) {
        table[r] = new (std::nothrow) float[cols];
        if (table[r] == nullptr) {
            releaseRows(table, r);
            error(ARRAY2);
        }
    }
    return table;
}

void releaseRows(float** rows, int count)
{
    if (rows == nullptr)
        return;
    for (int r = 0; r < count; r++)
        delete[] rows[r];
    delete[] rows;
}

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
    allocated = false;
    sparseData = false;
}
