#pragma once
// A comparison set read aside, made ready to stand beside the DEM before the loader takes
// it: resampled onto the DEM's grid when asked and needed, and its own nodata points made
// no value. Called by the loader; reads no option, they come as arguments.

#include <string>

#include "model/gdal_module.h"

class mountain;

enum class ComparisonFit {
    Fits,         // comparison has the DEM's rows and columns
    SizesDiffer,  // not aligned, and of another size
    NoOverlap,    // aligning: it lies wholly outside the DEM
    NotAligned,   // aligning: it could not be resampled
};

struct ComparisonFitting {
    bool align = false;     // resample a grid that differs from the DEM's onto it
    Resampling resampling = Resampling::bilinear;  // for a DEM comparison
    bool maskNodata = false;
};

// With align, a comparison whose size, corner, cellsize or coordinate system differs from
// dem's is replaced by its values at dem's grid points (NaN where it gives none) and takes
// dem's header, without a nodata value. A comparison that is not resampled keeps its
// values, except that with align or maskNodata its nodata points become NaN. problem is
// "" or, for NoOverlap and NotAligned, why, to follow the file's name.
ComparisonFit fitComparison(mountain& comparison, const mountain& dem, int fileType, const ComparisonFitting& how,
                            std::string& problem);

// The count of heights that are not finite and the height range, taken again after the
// values of m changed.
void settleValues(mountain& m);

// Points holding the nodata value become NaN (comparison has one); the count of heights
// that are not finite and the height range follow. Returns how many changed.
long long clearNodataPoints(mountain& comparison);
