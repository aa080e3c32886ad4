#pragma once
// The points a DEM is compared with its comparison set at, when both are on one grid.

#include "model/grid_view.h"

// The point rule of the RMSE and every accuracy figure: the DEM's height at the point is
// valid and the comparison has data there.
inline bool comparedAt(const GridView& dem, const float* const* comparison, int r, int c)
{
    return comparisonData(comparison[r][c]) && dem.valid(r, c);
}
