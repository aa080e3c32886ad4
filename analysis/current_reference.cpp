#include "analysis/current_reference.h"

#include <utility>

#include "analysis/comparison_coregistration.h"
#include "analysis/loader.h"
#include "analysis/reference_text.h"
#include "model/mountain.h"

LoadedCheckpoints loadedCheckpoints;

namespace {

// karvo-report's --interval when none is given.
const double defaultInterval = 20;

bool comparisonOnGrid() { return multFiles && comparisonMatchesDem(); }

}  // namespace

CheckpointSet loadCheckpoints(const std::string& path)
{
    CheckpointSet set = readCheckpoints(path, mt.projection);
    if (set.problem.empty() && !set.points.empty())
        loadedCheckpoints = {path, std::move(set.points), set.hasClasses};
    set.points.clear();
    return set;
}

bool checkpointsLoaded() { return !loadedCheckpoints.points.empty(); }

void clearCheckpoints() { loadedCheckpoints = LoadedCheckpoints(); }

double loadedCheckpointInterval() { return comparisonOnGrid() ? rd.getContourInt() : defaultInterval; }

CheckpointResults loadedCheckpointResults()
{
    const LoadedCheckpoints& held = loadedCheckpoints;
    return checkpointResults(mt.view(), held.file, held.points, held.hasClasses, loadedCheckpointInterval());
}

std::string currentReferenceText()
{
    std::string out;
    if (comparisonOnGrid() && comparisonCoregistered())
        out += "\nThe comparison figures are computed on the coregistered reference (shift and bias removed)";
    if (comparisonOnGrid())
        out += nmasText(nmasOfComparison(mt.view(), rd.grid, rd.getContourInt()), "points");
    if (checkpointsLoaded() && mt.grid != nullptr)
        out += checkpointText(loadedCheckpointResults());
    return out;
}
