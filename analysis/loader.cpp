#include "analysis/loader.h"

#include <iostream>
#include <new>
#include <string>

#include "analysis/comparison_coregistration.h"
#include "analysis/comparison_fit.h"
#include "analysis/current_reference.h"
#include "analysis/current_review.h"
#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/height_classes.h"
#include "model/error.h"
#include "model/memory_need.h"
#include "model/mountain.h"

bool multFiles = false;
int FILES = 0;
bool alignComparisonGrid = false;
Resampling alignResampling = Resampling::bilinear;

namespace {

ComparisonSource source;
std::string loadedDemName;

// Cells in degrees that the loader switched on for a geographic raster, not the user: they
// go with that file, so a metric DEM opened next is not scaled as degrees.
bool degreesForFile = false;

// Reads a file into a model aside: Loaded, or the outcome of a refusal, with the model
// to be dropped.
LoadOutcome readAside(mountain& into, const char* name, int index, LoadOutcome refused)
{
    const char* names[2] = {name, name};
    try {
        ReadingFailuresReturn failuresReturn;
        into.readgridfile(names, index);
        return LoadOutcome::Loaded;
    } catch (const ModelExit& exit) {
        return exit.outOfMemory ? LoadOutcome::OutOfMemory : refused;
    } catch (const std::bad_alloc&) {
        std::cout << "ERROR: file \"" << name << "\": not enough memory to read it" << std::endl;
        return LoadOutcome::OutOfMemory;
    }
}

// The rebuild chain on mt; false when an allocation failed (its line printed when one
// is named, as the file's).
bool rebuilt(int exaggeration, bool withDifference, const char* name)
{
    try {
        ReadingFailuresReturn failuresReturn;  // the mesh's NO_TRI returns here
        rebuild(exaggeration, withDifference);
        return true;
    } catch (const ModelExit&) {
        return false;
    } catch (const std::bad_alloc&) {
        if (name != nullptr)
            std::cout << "ERROR: file \"" << name << "\": not enough memory to analyse a grid of " << mt.nrows
                      << " rows and " << mt.ncols << " columns" << std::endl;
        return false;
    }
}

// The data set shown while a new one is built, to come back if the passes run out of
// memory on the new one: its grids (swapped into dem and comparison) and settings.
struct Shown {
    mountain dem;
    rawdata comparison;
    bool demTaken = false;         // dem holds mt's grid
    bool comparisonTaken = false;  // comparison holds rd's grid
    int interval = 0;
    bool degrees = false;
    bool degreesOfFile = false;
    bool multiple = false;
    int exaggeration = 1;

    Shown() : interval(rd.getContourInt()), degrees(cellsInDegrees), degreesOfFile(degreesForFile),
              multiple(multFiles),
              exaggeration(static_cast<int>(mt.exageration))
    {
    }

    void putBack()
    {
        if (demTaken) {
            mt.swapGrid(dem);
            mt.releaseLevels();
            allocated = false;
        }
        if (comparisonTaken)
            rd.swapGrid(comparison);
        rd.setContourInt(interval);
        cellsInDegrees = degrees;
        degreesForFile = degreesOfFile;
        multFiles = multiple;
        if (!rebuilt(exaggeration, multFiles, nullptr)) {
            mt.discard();  // what was shown fitted before; nothing is left that could be shown
            rd.discard();
            multFiles = false;
        }
    }
};

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
    gridUse.comparison = fileCount == 2;
    LoadOutcome read = readAside(dem, demName, 1, LoadOutcome::DemRefused);
    if (read == LoadOutcome::Loaded && fileCount == 2)
        read = readAside(comparison, comparisonName, 2, LoadOutcome::ComparisonRefused);
    if (read == LoadOutcome::Loaded && fileCount == 2)
        read = fitToDem(comparison, dem, comparisonName, comparisonType);
    if (read != LoadOutcome::Loaded)
        return read;

    // The old levels go before the new ones are made; the old heights wait aside.
    Shown shown;
    mt.swapGrid(dem);
    shown.dem.swapGrid(dem);
    shown.demTaken = true;
    mt.releaseLevels();
    allocated = false;
    if (degreesForFile)
        cellsInDegrees = false;
    degreesForFile = mt.geographic && !cellsInDegrees;  // a raster that says its cells are in degrees
    if (degreesForFile)
        cellsInDegrees = true;
    if (fileCount == 2) {
        rd.swapGrid(comparison);
        shown.comparison.swapGrid(comparison);
        shown.comparisonTaken = true;
    } else {
        rd.setContourInt(comparisonInterval);
        clearDifference();
    }
    multFiles = fileCount == 2;
    if (!rebuilt(exaggeration, multFiles, demName)) {
        shown.putBack();
        return LoadOutcome::OutOfMemory;
    }
    FILES = fileCount;
    resetHeightClasses();  // the table counted the old heights
    forgetCoregistration();
    clearCheckpoints();
    resetPlaceReview();
    loadedDemName = demName;
    source = fileCount == 2 ? ComparisonSource{comparisonName, comparisonType, comparisonInterval} : ComparisonSource();
    return LoadOutcome::Loaded;
}

LoadOutcome addFile(const char* comparisonName, int exaggeration, int comparisonInterval, int comparisonType)
{
    rawdata comparison;
    comparison.setContourInt(comparisonInterval);
    if (mt.grid == nullptr)
        return LoadOutcome::DemRefused;
    gridUse.comparison = true;
    LoadOutcome read = readAside(comparison, comparisonName, 2, LoadOutcome::ComparisonRefused);
    if (read == LoadOutcome::Loaded)
        read = fitToDem(comparison, mt, comparisonName, comparisonType);
    if (read != LoadOutcome::Loaded)
        return read;
    Shown shown;
    rd.swapGrid(comparison);
    shown.comparison.swapGrid(comparison);
    shown.comparisonTaken = true;
    multFiles = true;
    if (!rebuilt(exaggeration, true, comparisonName)) {
        shown.putBack();
        return LoadOutcome::OutOfMemory;
    }
    FILES = 2;
    forgetCoregistration();
    source = {comparisonName, comparisonType, comparisonInterval};
    return LoadOutcome::Loaded;
}

const ComparisonSource& comparisonSource() { return source; }

const std::string& demSourceName() { return loadedDemName; }

bool demComparisonLoaded() { return multFiles && comparisonMatchesDem() && source.type == DEM; }

bool comparisonFollowsMasking() { return multFiles && !source.name.empty() && !alignComparisonGrid && rd.hasNodata; }

LoadOutcome reloadComparison(int exaggeration)
{
    if (!multFiles || source.name.empty())
        return LoadOutcome::Loaded;
    const ComparisonSource named = source;  // addFile sets source anew
    return addFile(named.name.c_str(), exaggeration, named.interval, named.type);
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
    FILES = 0;
    degreesForFile = false;
    source = ComparisonSource();
    loadedDemName.clear();
    alignComparisonGrid = false;
    alignResampling = Resampling::bilinear;
}
