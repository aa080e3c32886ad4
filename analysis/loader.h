#pragma once
// Loading a data set: the DEM into mt, comparison data into rd, then the rebuild chain
// in its fixed order (mesh, normals, curvature levels, difference levels). The passes
// grade the cells the mesh scaling has made room for, so they run after it.
//
// Files are read into models aside and taken into mt and rd only when every file was
// read and the grids fit together, and the data set shown stays aside until the passes
// have run on the new one: a file that is refused, or a data set that runs out of memory
// on the way, changes nothing, so what the viewer shows stays. Every refusal has printed
// its "ERROR: " line.

extern bool multFiles;  // a comparison data set is loaded into rd
extern int FILES;       // files of the data set loaded: 0 none yet, 1 a DEM alone, 2 with comparison data

enum class LoadOutcome {
    Loaded,
    DemRefused,         // the reader refused the DEM (or there is no DEM to add to)
    ComparisonRefused,  // the reader refused the comparison file
    SizesDiffer,        // both were read, but their grids differ in rows or columns
    OutOfMemory,        // a grid the memory cannot hold, refused before it was read, or
                        // an allocation of the read or the passes that failed
};

// The contour interval a comparison set's read starts from: a contour file's is
// inferred from its heights (0 here), a second DEM's or a sparse file's is the one
// the user gave.
int presetInterval(int fileType, int interval);

// Reads demName and, with fileCount 2 and a DEM that was read, comparisonName (its interval starting from
// comparisonInterval), then builds the mesh and the analyses. With one file rd keeps
// its grid and takes comparisonInterval as its interval.
LoadOutcome start(const char* demName, int exaggeration, const char* comparisonName, int comparisonInterval,
                  int fileCount);

// Reads new comparison data beside the DEM already loaded and rebuilds with the
// difference pass.
LoadOutcome addFile(const char* comparisonName, int exaggeration, int comparisonInterval);

// The rebuild chain on mt with the given exaggeration; the difference pass runs only
// when withDifference is set. Does nothing without a DEM.
void rebuild(int exaggeration, bool withDifference);

// Switches nodata masking and cells in degrees and rebuilds the data set shown with
// them: its height range, mesh and passes; a change of masking drops the height classes.
// Cells in degrees that start switched on for a geographic raster go with it; a choice
// made here stays for every later file.
void changeOptions(bool mask, bool degrees);

void resetLoader();
