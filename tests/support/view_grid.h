#pragma once
// A grid of values held for a test, with the row pointers and the GridView the kernels
// take: cell lengths equal to the cellsize, no masking unless set.

#include <vector>

#include "model/grid_view.h"

struct ViewGrid {
    std::vector<float> values;
    std::vector<float*> rows;
    GridView view;

    ViewGrid(int nrows, int ncols, std::vector<float> v, double xll = 0, double yll = 0, double cellsize = 1)
        : values(std::move(v)), rows(static_cast<std::size_t>(nrows))
    {
        for (int r = 0; r < nrows; r++)
            rows[std::size_t(r)] = values.data() + std::size_t(r) * std::size_t(ncols);
        view.rows = rows.data();
        view.nrows = nrows;
        view.ncols = ncols;
        view.xllcorner = xll;
        view.yllcorner = yll;
        view.cellsize = view.groundX = view.groundY = cellsize;
    }
    ViewGrid(const ViewGrid&) = delete;
    ViewGrid& operator=(const ViewGrid&) = delete;
    float* const* data() const { return rows.data(); }
};
