#pragma once
// Loading a data set: the DEM into mt, comparison data into rd, then the rebuild chain
// in its fixed order (mesh, normals, curvature colours, difference colours). The colour
// passes write into the triangle records, so they always run after the mesh.

extern bool multFiles;  // a comparison data set is loaded into rd

// True from a refused pair (DEM and comparison grids of different sizes) until the next
// load that succeeds: the model then holds no mesh and no analysis results, and the
// view draws nothing of the mixed grids.
extern bool pairRefused;

// Reads demName into mt and, with fileCount 2, comparisonName into rd. sizesMatch tells
// whether the pair can be used; only then are the mesh and the analyses built.
// fileType is not used here: the caller has already preset rd's contour interval.
void start(const char* demName, int exaggeration, const char* comparisonName, int fileType, bool& sizesMatch,
           int fileCount);

// Reads new comparison data beside the DEM already loaded and rebuilds. A grid of
// another size than the DEM's is refused through sizesMatch: the DEM's mesh and
// curvature stay, and no difference results are left from any comparison set.
void addFile(const char* comparisonName, int exaggeration, bool& sizesMatch);

// The rebuild chain on mt with the given exaggeration; the difference pass runs only
// when withDifference is set. Does nothing without a DEM or while a refused pair is held.
void rebuild(int exaggeration, bool withDifference);
