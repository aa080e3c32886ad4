#include "analysis/loader.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/height_classes.h"
#include "model/error.h"
#include "model/mesh.h"
#include "model/mountain.h"

bool multFiles = false;

namespace {

// Records a band may hold to stay in the core's own cache while four passes go over it.
const std::size_t bandBytes = std::size_t(256) << 10;

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
    if (DEBUG) {
        // The trace shows the passes one after the other.
        mt.convert_to_triangles(exaggeration);
        mt.compute_normals();
        mt.compute_curve_color();
        if (withDifference)
            mt.compute_diff_color();
        return;
    }
    // Each band of cell rows goes through all passes while its records are in the cache;
    // each pass still walks the cells in mesh order, so the results are those of the
    // passes run one after the other.
    MeshPass mesh(mt, exaggeration);
    NormalsPass normals(mt);
    CurvaturePass curvature(mt);
    std::optional<DifferencePass> difference;
    if (withDifference)
        difference.emplace(mt);
    const int cellRows = std::max(mt.nrows - 1, 0);
    const std::size_t rowBytes = sizeof(triangle) * 2 * static_cast<std::size_t>(std::max(mt.ncols - 1, 1));
    const int band = static_cast<int>(std::max<std::size_t>(1, bandBytes / rowBytes));
    for (int first = 0; first < cellRows; first += band) {
        const int end = std::min(first + band, cellRows);
        mesh.cellRows(first, end);
        normals.cellRows(first, end);
        curvature.cellRows(first, end);
        if (difference)
            difference->cellRows(first, end);
    }
    mesh.finish();
    curvature.finish();
    if (difference)
        difference->finish();
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

    // The old heights and mesh go before the new mesh is made.
    mt.swapGrid(dem);
    dem.releaseGrid();
    mt.releaseMesh();
    allocated = false;
    resetHeightClasses();  // the table counted the old heights
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
    rebuild(exaggeration, true);
    return LoadOutcome::Loaded;
}

void resetLoader() { multFiles = false; }
