#include "model/loader.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "model/mesh.h"
#include "model/mountain.h"

bool multFiles = false;
bool pairRefused = false;

namespace {

// Records a band may hold to stay in the core's own cache while four passes go over it.
const std::size_t bandBytes = std::size_t(256) << 10;

bool sameSize(const mountain& a, const mountain& b) { return a.nrows == b.nrows && a.ncols == b.ncols; }

// After a refused pair the grids in mt and rd do not belong together, and the mesh
// and results of the previous data set no longer fit them: drop everything built.
void dropBuiltResults()
{
    pairRefused = true;
    mt.releaseMesh();
    allocated = false;
    for (int& count : mt.curveCounts)
        count = 0;
    mt.totalSq = mt.maxCurve = 0;
    cArrayCount = 0;
    cArrayMax = cArrayMin = 0;
    setStats(0, 0, 0, 0, 0, 0);
    clearDifference();
}

}  // namespace

void rebuild(int exaggeration, bool withDifference)
{
    if (pairRefused || mt.grid == nullptr)
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

void start(const char* demName, int exaggeration, const char* comparisonName, int /*fileType*/, bool& sizesMatch,
           int fileCount)
{
    const char* names[2] = {demName, comparisonName};
    mt.readgridfile(names, 1);
    if (fileCount == 2) {
        multFiles = true;
        rd.readgridfile(names, 2);
        sizesMatch = sameSize(mt, rd);
    } else {
        multFiles = false;
        sizesMatch = true;
    }
    if (!sizesMatch) {
        dropBuiltResults();
        return;
    }
    pairRefused = false;
    rebuild(exaggeration, fileCount == 2);
}

void addFile(const char* comparisonName, int exaggeration, bool& sizesMatch)
{
    multFiles = true;
    const char* names[2] = {nullptr, comparisonName};
    rd.readgridfile(names, 2);
    sizesMatch = mt.grid != nullptr && sameSize(mt, rd);
    if (!sizesMatch) {
        multFiles = false;
        clearDifference();
        return;
    }
    pairRefused = false;
    rebuild(exaggeration, true);
}
