#include "analysis/current_places.h"

#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "model/mountain.h"

std::vector<Place> currentWorstPlaces(PlaceKind kind, int n)
{
    if (mt.grid == nullptr)
        return {};
    WorstPlacesInput in;
    in.dem = mt.view();
    // rd keeps an earlier comparison grid when a DEM is opened alone.
    const GridView comparison = rd.view();
    if (multFiles && comparisonMatchesDem())
        in.comparison = &comparison;
    in.unit = units;
    in.interval = rd.getContourInt();
    return worstPlaces(in, kind, n);
}
