#pragma once
// The worst places of a DEM: where its curvature or its difference from the comparison set
// is largest, one place per blunder rather than one per cell.
//
// A cell (r, c) has the figures of its first corner, as the passes grade them:
//   curvature   kappa = |Laplacian| at (r, c) in height units, level 1-3 above 1, 2 and 3
//               units; cells of the first row and column have none
//   difference  d = DEM - comparison at (r, c) where the comparison value is above 0, level
//               1-4 by |d| / interval above 5, 10, 15 and 20 percent
// The last row and column of points belong to no cell; masked cells (cellMasked) have no
// figures. Without masking that leaves out only cells reading a height that is not finite,
// which the passes grade (NaN as level 0, an infinity as the top level).
//
// Places of one kind are formed from the cells at level 1 or above of that kind, taken by
// their value (kappa, or |d|) largest first, ties by row, then column: a cell whose row and
// column both lie within 3 of the first cell of a place already formed joins the first
// such place; any other cell forms a new place. A blunder lifts its neighbours' curvature
// too, so it makes one place, not nine.

#include <vector>

#include "model/grid_view.h"

enum class PlaceKind { curvature, difference };

// "curvature" or "difference", as the places file names the kinds.
const char* placeKindName(PlaceKind kind);

struct Place {
    PlaceKind kind = PlaceKind::curvature;
    int rank = 0;      // 1 for the worst
    int row = 0, col = 0;  // the first cell's first corner
    double x = 0, y = 0;   // that point's map coordinates (GridView::x, GridView::y)
    float height = 0;      // the DEM there
    int cells = 0;         // the cells the place gathered, its first included (1 to 49)
    // Both kinds' figures of the first cell, for the information strip: a difference
    // place in the first row or column has no curvature, and without comparison data
    // there (value 0 or less, or no set) a curvature place has no difference.
    bool hasCurvature = false;
    float curvature = 0;  // kappa, height units
    int curvatureLevel = 0;
    bool hasDifference = false;
    float difference = 0;  // d = DEM - comparison, signed, height units
    int differenceLevel = 0;

    // The figure the place was ranked by: kappa, or the signed d (ranked by |d|).
    float value() const { return kind == PlaceKind::curvature ? curvature : difference; }
    int level() const { return kind == PlaceKind::curvature ? curvatureLevel : differenceLevel; }
};

struct WorstPlacesInput {
    GridView dem;  // with the masking rule in force
    // The comparison set's values, the DEM's size; nullptr, or another size, means none.
    const GridView* comparison = nullptr;
    float unit = 1;    // the curvature unit
    int interval = 0;  // the comparison set's contour interval
};

// The first n places of one kind, worst first, ranked 1 to n or fewer; none when n < 1
// or (for the difference) without comparison data.
//
// Cost: one pass over the grid keeping the best 49n cells (a place gathers at most 7 x 7
// cells, so the first n places form within them), then only the places' neighbourhoods.
// Memory: about 1.2 kB per place asked for.
std::vector<Place> worstPlaces(const WorstPlacesInput& in, PlaceKind kind, int n);

// The figures of grid point (r, c), which must lie in the grid, as those of a curvature
// place of one cell (rank 0): what the strip shows of a point picked in the view. A masked
// cell, and a point of the last row or column (no cell's first corner), has no figures.
Place cellFigures(const WorstPlacesInput& in, int r, int c);
