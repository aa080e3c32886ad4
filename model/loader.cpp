#include "model/loader.h"

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "model/mountain.h"

bool multFiles = false;
bool pairRefused = false;

namespace {

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
    mt.convert_to_triangles(exaggeration);
    mt.compute_normals();
    mt.compute_curve_color();
    if (withDifference)
        mt.compute_diff_color();
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
