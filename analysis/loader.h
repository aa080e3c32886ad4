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

#include <string>

#include "model/gdal_module.h"

extern bool multFiles;  // a comparison data set is loaded into rd
extern int FILES;       // files of the data set loaded: 0 none yet, 1 a DEM alone, 2 with comparison data

// Loader options, set by the programs' switches; resetLoader puts them back.
// With alignComparisonGrid a comparison grid whose size, corner, cellsize or coordinate
// system differs from the DEM's is resampled onto the DEM's grid points (off at start);
// a DEM comparison by alignResampling (bilinear at start), sparse and contour data from
// the nearest point (analysis/align_comparison.h).
extern bool alignComparisonGrid;
extern Resampling alignResampling;

enum class LoadOutcome {
    Loaded,
    DemRefused,         // the reader refused the DEM (or there is no DEM to add to)
    ComparisonRefused,  // the reader refused the comparison file
    SizesDiffer,        // both were read, but their grids differ in rows or columns
    OutOfMemory,        // a grid the memory cannot hold, refused before it was read, or
                        // an allocation of the read or the passes that failed
    // With alignComparisonGrid: the comparison lies wholly outside the DEM, or could not be
    // resampled (memory, GDAL). The loader has printed the "ERROR: " line naming the file.
    NoOverlap,
    NotAligned,
};

// The contour interval a comparison set's read starts from: a contour file's is
// inferred from its heights (0 here), a second DEM's or a sparse file's is the one
// the user gave.
int presetInterval(int fileType, int interval);

// Reads demName and, with fileCount 2 and a DEM that was read, comparisonName (its interval starting from
// comparisonInterval), then builds the mesh and the analyses. With one file rd keeps
// its grid and takes comparisonInterval as its interval. comparisonType (DEM, SPARSEF
// or CONTF of model/error.h; 1 is DEM) chooses how an aligned comparison is resampled.
//
// A comparison set's own nodata points (its nodata line or raster nodata value) hold no
// value (NaN) once read, when masking is on or alignment is: they are never comparison
// points then. An aligned comparison takes the DEM's header and holds NaN where it gives
// no value. Loading forgets a coregistration of the comparison set before, and a new DEM
// the checkpoints held (analysis/current_reference.h).
LoadOutcome start(const char* demName, int exaggeration, const char* comparisonName, int comparisonInterval,
                  int fileCount, int comparisonType = 1);

// Reads new comparison data beside the DEM already loaded and rebuilds with the
// difference pass.
LoadOutcome addFile(const char* comparisonName, int exaggeration, int comparisonInterval, int comparisonType = 1);

// The rebuild chain on mt with the given exaggeration; the difference pass runs only
// when withDifference is set. Does nothing without a DEM.
void rebuild(int exaggeration, bool withDifference);

// Switches nodata masking and cells in degrees and rebuilds the data set shown with
// them: its height range, mesh and passes; a change of masking drops the height classes.
// Cells in degrees that start switched on for a geographic raster go with it; a choice
// made here stays for every later file.
void changeOptions(bool mask, bool degrees);

// The comparison set in rd as it was named: its file, its type (DEM, SPARSEF or CONTF) and
// the interval its read started from (presetInterval's). name is "" while there is none.
struct ComparisonSource {
    std::string name;
    int type = 0;
    int interval = 0;
};
const ComparisonSource& comparisonSource();

// The DEM in mt as it was named; "" while there is none.
const std::string& demSourceName();

// Whether rd holds a comparison DEM on mt's grid: the one kind of comparison set that can be
// coregistered.
bool demComparisonLoaded();

// Whether the comparison set in rd reads otherwise under the other masking: its file gives a
// nodata value, whose points masking makes no value, and alignment, which makes them so
// either way, is off.
bool comparisonFollowsMasking();

// Reads the comparison set in rd again from its file, with the options in force (alignment,
// resampling, masking), beside the DEM as addFile does: the set shown stays when the read is
// refused. Loaded, and nothing read, without a comparison set.
LoadOutcome reloadComparison(int exaggeration);

void resetLoader();
