#pragma once
// The points a DEM is compared with its comparison set at, when both are on one grid.

#include "model/grid_view.h"

// A comparison value carries data when it is above 0 (NaN, no value, does not). The point
// is compared when, in addition, its DEM height is finite and, while nodata is masked, it
// is not left out: it begins no masked cell, or, in the last row and column, which begin
// no cell, it is a height itself.
inline bool comparedAt(const GridView& dem, const float* const* comparison, int r, int c)
{
    if (!(comparison[r][c] > 0) || !dem.valid(r, c))
        return false;
    if (!dem.maskValue)
        return true;
    if (r + 1 < dem.nrows && c + 1 < dem.ncols)
        return !cellMasked(dem, r, c);
    return true;
}
