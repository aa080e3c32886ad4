#pragma once
// The reference data judged beside the data set loaded, for the viewer: the one checkpoint
// set it holds and the statements over it and over the comparison set (karvo-report keeps
// its own). The points are in the DEM's coordinate system, so the loader drops them when
// another DEM comes.

#include <string>
#include <vector>

#include "analysis/checkpoint_results.h"
#include "model/checkpoint_file.h"

struct LoadedCheckpoints {
    std::string file;                // as the user named it
    std::vector<Checkpoint> points;  // in file order; empty: no set held
    bool hasClasses = false;
};

extern LoadedCheckpoints loadedCheckpoints;

// Reads path against mt's coordinate system (model/checkpoint_file.h). When it gives
// checkpoints they replace the set held, otherwise that set stays. Returns the reader's
// answer for its skipped rows and problem; its points have moved into the set.
CheckpointSet loadCheckpoints(const std::string& path);
bool checkpointsLoaded();
// Drops the set held; the module's reset.
void clearCheckpoints();

// The contour interval the checkpoints are graded against and tested with: the comparison
// set's when one lies on mt's grid, otherwise 20, karvo-report's default.
double loadedCheckpointInterval();

// The set held, judged against mt as it is now (with the masking in force).
CheckpointResults loadedCheckpointResults();

// What the Statistics window adds after its report, when a comparison set lies on mt's grid:
// a line saying that it is coregistered when it is, and the NMAS test over the comparison
// points; then the checkpoint figures when a set is held. "" with neither.
std::string currentReferenceText();
