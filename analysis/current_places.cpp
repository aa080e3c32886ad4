#include "analysis/current_places.h"

#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "model/mountain.h"

namespace {

// comparison is where the input's comparison view is kept while the input is used.
WorstPlacesInput currentInput(GridView& comparison)
{
    WorstPlacesInput in;
    in.dem = mt.view();
    // rd keeps an earlier comparison grid when a DEM is opened alone.
    comparison = rd.view();
    if (multFiles && comparisonMatchesDem())
        in.comparison = &comparison;
    in.unit = units;
    in.interval = rd.getContourInt();
    return in;
}

}  // namespace

std::vector<Place> currentWorstPlaces(PlaceKind kind, int n)
{
    if (mt.grid == nullptr)
        return {};
    GridView comparison;
    return worstPlaces(currentInput(comparison), kind, n);
}

Place currentCellFigures(int row, int col)
{
    if (mt.grid == nullptr || row < 0 || col < 0 || row >= mt.nrows || col >= mt.ncols)
        return {};
    GridView comparison;
    return cellFigures(currentInput(comparison), row, col);
}
