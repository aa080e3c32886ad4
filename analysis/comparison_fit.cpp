#include "analysis/comparison_fit.h"

#include <cmath>
#include <limits>

#include "analysis/align_comparison.h"
#include "model/mountain.h"

void settleValues(mountain& m)
{
    long long nonFinite = 0;
    for (int r = 0; r < m.nrows; r++)
        for (int c = 0; c < m.ncols; c++)
            nonFinite += std::isfinite(m.grid[r][c]) ? 0 : 1;
    m.nonFinite = nonFinite;
    m.reset();
    m.computeRange();
}

namespace {

// The aligned values in comparison's place, under dem's header.
void takeAligned(mountain& comparison, const mountain& dem, GridRows& values)
{
    comparison.releaseGrid();
    comparison.grid = values.release();
    comparison.nrows = dem.nrows;
    comparison.ncols = dem.ncols;
    comparison.xllcorner = dem.xllcorner;
    comparison.yllcorner = dem.yllcorner;
    comparison.cellsize = dem.cellsize;
    comparison.xllRead = dem.xllRead;
    comparison.yllRead = dem.yllRead;
    comparison.cellsizeRead = dem.cellsizeRead;
    comparison.projection = dem.projection;
    comparison.geographic = dem.geographic;
    // The file's nodata value names no point of the resampled values: NaN does.
    comparison.hasNodata = false;
    comparison.nodata_value = 0;
    comparison.nodataRead = 0;
    settleValues(comparison);
}

}  // namespace

long long clearNodataPoints(mountain& comparison)
{
    if (!comparison.hasNodata || comparison.grid == nullptr)
        return 0;
    const float nodata = comparison.nodata_value;
    long long changed = 0;
    for (int r = 0; r < comparison.nrows; r++) {
        float* row = comparison.grid[r];
        for (int c = 0; c < comparison.ncols; c++)
            if (row[c] == nodata) {
                row[c] = std::numeric_limits<float>::quiet_NaN();
                changed++;
            }
    }
    if (changed > 0)
        settleValues(comparison);
    return changed;
}

ComparisonFit fitComparison(mountain& comparison, const mountain& dem, int fileType, const ComparisonFitting& how,
                            std::string& problem)
{
    if (how.align) {
        AlignedComparison a = alignComparison(gridFrame(dem), comparisonGrid(comparison), fileType, how.resampling);
        if (!a.problem.empty()) {
            problem = a.problem;
            return a.overlaps ? ComparisonFit::NotAligned : ComparisonFit::NoOverlap;
        }
        if (a.resampled) {
            takeAligned(comparison, dem, a.values);
            return ComparisonFit::Fits;
        }
    }
    if (how.align || how.maskNodata)
        clearNodataPoints(comparison);
    const bool sameSize = comparison.nrows == dem.nrows && comparison.ncols == dem.ncols;
    return sameSize ? ComparisonFit::Fits : ComparisonFit::SizesDiffer;
}
