#include "tests/support/model_fixture.h"

#include "analysis/loader.h"

void setGrid(mountain& m, int rows, int cols, const std::vector<float>& values, float cellsize)
{
    m.releaseGrid();
    m.nrows = rows;
    m.ncols = cols;
    m.cellsize = cellsize;
    m.reset();
    m.grid = allocate(rows, cols);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++) {
            const float v = values[static_cast<std::size_t>(r) * cols + c];
            m.grid[r][c] = v;
            if (v > m.zmax)
                m.zmax = v;
            if (m.zmin > v)
                m.zmin = v;
        }
}

void buildDem(int rows, int cols, const std::vector<float>& values, float cellsize)
{
    setGrid(mt, rows, cols, values, cellsize);
    allocated = false;
    rebuild(1, false);
}
