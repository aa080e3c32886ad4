#include "analysis/loader.h"

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/height_classes.h"
#include "model/error.h"
#include "model/mountain.h"

bool multFiles = false;
int FILES = 0;

namespace {

bool sameSize(const mountain& a, const mountain& b) { return a.nrows == b.nrows && a.ncols == b.ncols; }

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
                  int fileCount)
{
    mountain dem;
    rawdata comparison;
    comparison.setContourInt(comparisonInterval);
    if (!readAside(dem, demName, 1))
        return LoadOutcome::DemRefused;
    if (fileCount == 2 && !readAside(comparison, comparisonName, 2))
        return LoadOutcome::ComparisonRefused;
    if (fileCount == 2 && !sameSize(dem, comparison))
        return LoadOutcome::SizesDiffer;

    // The old heights and levels go before the new ones are made.
    mt.swapGrid(dem);
    dem.releaseGrid();
    mt.releaseLevels();
    allocated = false;
    if (mt.masking())
        mt.computeRange();
    if (mt.geographic)
        cellsInDegrees = true;  // a raster that says its cells are in degrees
    resetHeightClasses();  // the table counted the old heights
    if (fileCount == 2) {
        rd.swapGrid(comparison);
        comparison.releaseGrid();
    } else {
        rd.setContourInt(comparisonInterval);
        clearDifference();
    }
    multFiles = fileCount == 2;
    FILES = fileCount;
    rebuild(exaggeration, multFiles);
    return LoadOutcome::Loaded;
}

LoadOutcome addFile(const char* comparisonName, int exaggeration, int comparisonInterval)
{
    rawdata comparison;
    comparison.setContourInt(comparisonInterval);
    if (mt.grid == nullptr)
        return LoadOutcome::DemRefused;
    if (!readAside(comparison, comparisonName, 2))
        return LoadOutcome::ComparisonRefused;
    if (!sameSize(mt, comparison))
        return LoadOutcome::SizesDiffer;
    rd.swapGrid(comparison);
    comparison.releaseGrid();
    multFiles = true;
    FILES = 2;
    rebuild(exaggeration, true);
    return LoadOutcome::Loaded;
}

void changeOptions(bool mask, bool degrees)
{
    maskNodata = mask;
    cellsInDegrees = degrees;
    if (mt.grid == nullptr)
        return;
    mt.computeRange();
    rebuild(static_cast<int>(mt.exageration), multFiles);
}

void resetLoader()
{
    multFiles = false;
    FILES = 0;
}
