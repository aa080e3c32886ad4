#pragma once
// A comparison grid on another grid or in another coordinate system, resampled onto the
// DEM's grid points so that the two can be compared point by point.
//
// Grid point (r, c) stands at the centre of its pixel, row 0 north (model/grid_view.h);
// resampling reads the comparison at the DEM's pixel centres through GDAL's warper. A DEM
// comparison is interpolated (bilinear by default); sparse points and contour lines are
// values at points and lines, not surfaces, and are taken from the nearest comparison
// point. A DEM point the comparison gives no value (outside its coverage, or where its
// nodata points leave the resampling without one) gets NaN, which is no comparison value
// under the rule that a value above 0 carries data (NaN > 0 is false). With bilinear and
// cubic resampling a point whose neighbours are partly nodata is interpolated from the
// others (GDAL renormalises their weights); only a point without any valid neighbour of
// weight above 0 gets NaN.

#include <string>

#include "model/gdal_module.h"
#include "model/grid_rows.h"

class mountain;

// A grid's place: size, corner and cellsize as read, and its coordinate system.
struct GridFrame {
    int nrows = 0, ncols = 0;
    double xllcorner = 0, yllcorner = 0, cellsize = 0;
    std::string projection;  // WKT; "" (a text grid) is taken to be the other grid's system
};

struct ComparisonGrid {
    const float* const* rows = nullptr;  // rows[r][c], row 0 north
    GridFrame frame;
    bool hasNodata = false;  // points holding nodata carry no value, whatever the masking
    float nodata = 0;
};

struct AlignedComparison {
    // false: the comparison lies wholly outside the DEM; problem then says so.
    bool overlaps = true;
    // false: both grids have the same size, corner, cellsize and coordinate system; values
    // is then empty and the comparison is to be used as it is.
    bool resampled = false;
    bool reprojected = false;  // both grids have a coordinate system and they differ
    long long points = 0;      // DEM points the comparison gives a value (not NaN)
    GridRows values;           // the DEM's nrows x ncols, row 0 north, NaN for no value
    std::string problem;       // "" or why it could not be aligned, to follow the file's name
};

// The comparison on the DEM's grid. fileType is DEM, SPARSEF or CONTF (model/error.h);
// resampling is used for DEM only. Needs memory for the DEM's grid of floats, plus a copy
// of the comparison when its rows are not one block, plus the warper's 64 MB; refuses
// with a problem when the system has less available. Corners and cellsizes within a
// millionth of the cellsize count as equal.
AlignedComparison alignComparison(const GridFrame& dem, const ComparisonGrid& comparison, int fileType,
                                  Resampling resampling);

// The frame and the comparison of a model as read (xllRead, yllRead, cellsizeRead,
// projection; its nodata value when it has one).
GridFrame gridFrame(const mountain& m);
ComparisonGrid comparisonGrid(const mountain& m);
