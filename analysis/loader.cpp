#include "analysis/loader.h"

#include <iostream>
#include <string>

#include "analysis/comparison_coregistration.h"
#include "analysis/comparison_fit.h"
#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/height_classes.h"
#include "model/error.h"
#include "model/mountain.h"

bool multFiles = false;
bool alignComparisonGrid = false;
Resampling alignResampling = Resampling::bilinear;

namespace {

// Cells in degrees that the loader switched on for a geographic raster, not the user: they
// go with that file, so a metric DEM opened next is not scaled as degrees.
bool degreesForFile = false;

// Reads a file into a model aside; false, with the model to be dropped, when the reader
// refused it.
bool readAside(mountain& into, const char* name, int index)
{
    const char* names[2] = {name, name};
    try {
        ReadingFailuresReturn failuresReturn;
        into.readgridfile(names, index);
        return true;
    } catch (const ModelExit&) {
        return false;
    }
}

// The comparison read aside, fitted to dem; a refusal of the alignment says why here, as
// the reader says its own.
LoadOutcome fitToDem(mountain& comparison, const mountain& dem, const char* name, int type)
{
    std::string problem;
    const ComparisonFitting how{alignComparisonGrid, alignResampling, maskNodata};
    const ComparisonFit fit = fitComparison(comparison, dem, type, how, problem);
    if (!problem.empty())
        std::cout << "ERROR: file \"" << name << "\": " << problem << std::endl;
    switch (fit) {
    case ComparisonFit::Fits: return LoadOutcome::Loaded;
    case ComparisonFit::SizesDiffer: return LoadOutcome::SizesDiffer;
    case ComparisonFit::NoOverlap: return LoadOutcome::NoOverlap;
    case ComparisonFit::NotAligned: break;
    }
    return LoadOutcome::NotAligned;
}

}  // namespace

int presetInterval(int fileType, int interval) { return fileType == CONTF ? 0 : interval; }

void rebuild(int exaggeration, bool withDifference)
{
    if (mt.grid == nullptr)
        return;
    mt.convert_to_triangles(exaggeration);
    mt.compute_normals();
    mt.compute_curve_color();
    if (withDifference)
        mt.compute_diff_color();
}

LoadOutcome start(const char* demName, int exaggeration, const char* comparisonName, int comparisonInterval,
                  int fileCount, int comparisonType)
{
    mountain dem;
    rawdata comparison;
    comparison.setContourInt(comparisonInterval);
    if (!readAside(dem, demName, 1))
        return LoadOutcome::DemRefused;
    if (fileCount == 2 && !readAside(comparison, comparisonName, 2))
        return LoadOutcome::ComparisonRefused;
    if (fileCount == 2) {
        const LoadOutcome fit = fitToDem(comparison, dem, comparisonName, comparisonType);
        if (fit != LoadOutcome::Loaded)
            return fit;
    }

    // The old heights and levels go before the new ones are made.
    mt.swapGrid(dem);
    dem.releaseGrid();
    mt.releaseLevels();
    allocated = false;
    if (degreesForFile)
        cellsInDegrees = false;
    degreesForFile = mt.geographic && !cellsInDegrees;  // a raster that says its cells are in degrees
    if (degreesForFile)
        cellsInDegrees = true;
    resetHeightClasses();  // the table counted the old heights
    forgetCoregistration();
    if (fileCount == 2) {
        rd.swapGrid(comparison);
        comparison.releaseGrid();
    } else {
        rd.setContourInt(comparisonInterval);
        clearDifference();
    }
    multFiles = fileCount == 2;
    rebuild(exaggeration, multFiles);
    return LoadOutcome::Loaded;
}

LoadOutcome addFile(const char* comparisonName, int exaggeration, int comparisonInterval, int comparisonType)
{
    rawdata comparison;
    comparison.setContourInt(comparisonInterval);
    if (mt.grid == nullptr)
        return LoadOutcome::DemRefused;
    if (!readAside(comparison, comparisonName, 2))
        return LoadOutcome::ComparisonRefused;
    const LoadOutcome fit = fitToDem(comparison, mt, comparisonName, comparisonType);
    if (fit != LoadOutcome::Loaded)
        return fit;
    forgetCoregistration();
    rd.swapGrid(comparison);
    comparison.releaseGrid();
    multFiles = true;
    rebuild(exaggeration, true);
    return LoadOutcome::Loaded;
}

void changeOptions(bool mask, bool degrees)
{
    if (degrees != cellsInDegrees)
        degreesForFile = false;  // the user's own choice, for every later file too
    const bool masked = mt.masking();
    maskNodata = mask;
    cellsInDegrees = degrees;
    if (mt.masking() != masked)
        resetHeightClasses();  // the table counted the points of the other setting
    if (mt.grid == nullptr)
        return;
    mt.computeRange();
    rebuild(static_cast<int>(mt.exageration), multFiles);
}

void resetLoader()
{
    multFiles = false;
    degreesForFile = false;
    alignComparisonGrid = false;
    alignResampling = Resampling::bilinear;
}
