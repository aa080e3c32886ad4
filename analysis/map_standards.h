#pragma once
// The vertical accuracy statements maps are held to, over the comparison points (a
// comparison set on the DEM's grid) or over the tested checkpoints. Heights and
// differences are in the DEM's height unit; d = reference - DEM.

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/checkpoints.h"
#include "model/grid_view.h"

// National Map Accuracy Standards, vertical: no more than 10 percent of the tested points
// may be off by more than half the contour interval.
struct NmasTest {
    double interval = 0;      // the contour interval
    long long tested = 0;     // points tested
    long long exceeding = 0;  // of them, points with |d| > interval / 2
    double share = 0;         // exceeding / tested, a fraction; 0 without a tested point
    bool meets = false;       // share <= 0.1, decided in whole numbers (10 x exceeding <=
                              // tested); false without a tested point or interval <= 0
};

NmasTest nmasOfCheckpoints(const std::vector<CheckpointHeight>& heights, double interval);
// Over the points comparedAt (analysis/compared_points.h); comparison has the DEM's size.
NmasTest nmasOfComparison(const GridView& dem, const float* const* comparison, double interval);

// ASPRS Positional Accuracy Standards (Edition 2), vertical, for an accuracy class of
// target RMSE X. The pass/fail figures are over the tested checkpoints of the
// non-vegetated class when one is named (matched without regard to case), otherwise
// over all tested checkpoints:
//   product RMSE = sqrt(RMSE^2 + Y^2), Y the checkpoints' own RMSE (0 when not known)
//   meets        product RMSE <= X (false without a checkpoint)
//   enough       at least 30 checkpoints, the standard's minimum
//   bias flag    |mean d| >= 0.25 X
// Every tested checkpoint, of whatever class, with |d| > 3 X is a possible blunder: it is
// listed, not left out of the figures.
struct AsprsVertical {
    double targetRmse = 0, checkpointRmse = 0;
    long long points = 0;       // checkpoints in the pass/fail figures
    double rmse = 0, mean = 0;  // of d over them
    double productRmse = 0;
    bool meets = false, enoughCheckpoints = false, biasFlag = false;
    std::vector<std::size_t> blunders;  // indices into the checkpoints, in file order
    std::vector<std::string> blunderIds;
};

AsprsVertical asprsVertical(const std::vector<Checkpoint>& points, const std::vector<CheckpointHeight>& heights,
                            double targetRmse, double checkpointRmse, const std::string& nvaClass);
