#include "analysis/checkpoint_results.h"

#include <utility>

CheckpointResults checkpointResults(const GridView& dem, std::string file, std::vector<Checkpoint> points,
                                    bool withClasses, double interval)
{
    CheckpointResults c;
    c.file = std::move(file);
    c.points = std::move(points);
    c.heights = demHeightsAt(dem, c.points);
    c.report = checkpointFigures(c.points, c.heights, withClasses);
    c.nmas = nmasOfCheckpoints(c.heights, interval);
    return c;
}
