#pragma once
// A checkpoint set judged against a DEM: the DEM's height at each point, the figures of the
// tested ones, the NMAS test over them and, when a target is given, the ASPRS test. What
// karvo-report prints for --checkpoints and the viewer's Statistics window shows.

#include <optional>
#include <string>
#include <vector>

#include "analysis/checkpoints.h"
#include "analysis/map_standards.h"
#include "model/grid_view.h"

struct CheckpointResults {
    std::string file;
    std::vector<Checkpoint> points;
    std::vector<CheckpointHeight> heights;
    CheckpointReport report;
    NmasTest nmas;
    std::optional<AsprsVertical> asprs;   // with a target RMSE
    std::optional<std::string> nvaClass;  // the class its pass/fail figures are over
};

// The heights, figures and NMAS test (contour interval `interval`) of points on dem; per
// class as well when withClasses. No ASPRS test: the caller adds it with its target.
CheckpointResults checkpointResults(const GridView& dem, std::string file, std::vector<Checkpoint> points,
                                    bool withClasses, double interval);
