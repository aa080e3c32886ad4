#pragma once
// A DEM judged at surveyed checkpoints: the DEM's height at each, and the accuracy figures
// of d = checkpoint height - DEM height (analysis/accuracy.h) over the tested ones.
//
// The DEM's height at (x, y) is interpolated bilinearly between the four grid points
// around it (pixel centres, model/grid_view.h):
//   u = (x - x(0)) / cellsize,  v = (y(0) - y) / cellsize,  c = floor(u), r = floor(v)
//   h = (1-fu)(1-fv) h(r,c) + fu (1-fv) h(r,c+1) + (1-fu) fv h(r+1,c) + fu fv h(r+1,c+1)
// with fu = u - c, fv = v - r. A checkpoint outside the rectangle the outer grid points
// span is "outside"; one on its east or south edge takes the last column or row. One where
// a grid point that carries weight (above 0) is no height (not finite, or the nodata value
// while masking) is "nodata". Neither is tested, and both are counted.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "analysis/accuracy.h"
#include "model/checkpoint_file.h"
#include "model/grid_view.h"

enum class CheckpointStatus { tested, outside, nodata };

struct CheckpointHeight {
    CheckpointStatus status = CheckpointStatus::outside;
    double dem = 0;  // the DEM's height, for a tested point
    double d = 0;    // checkpoint height - DEM height, for a tested point
};

// The DEM's height at every checkpoint, in the points' order.
std::vector<CheckpointHeight> demHeightsAt(const GridView& dem, const std::vector<Checkpoint>& points);

// A tested checkpoint with one of the largest |d|.
struct LargeResidual {
    std::size_t index = 0;  // into the checkpoints
    std::string id;
    double x = 0, y = 0, d = 0;
};

struct CheckpointFigures {
    std::size_t tested = 0, outside = 0, nodata = 0;
    std::optional<Accuracy> accuracy;    // over the tested checkpoints; none without one
    std::vector<LargeResidual> largest;  // the ten largest |d| (fewer if fewer tested), largest
                                         // first; equal |d| in file order
};

struct ClassFigures {
    std::string name;  // the class column's value, as read
    CheckpointFigures figures;
};

struct CheckpointReport {
    CheckpointFigures all;
    std::vector<ClassFigures> classes;  // by class name in byte order; empty without classes
};

// The figures of the checkpoints whose heights demHeightsAt gave; per class as well when
// withClasses (the file had a class column).
CheckpointReport checkpointFigures(const std::vector<Checkpoint>& points, const std::vector<CheckpointHeight>& heights,
                                   bool withClasses);

// One CSV line per checkpoint after a header line "id,x,y,z,dem_z,d,status": numbers in
// the shortest form that reads back to the same double, dem_z and d empty for a point not
// tested, status tested, outside or nodata; an id holding a comma, a quote or a line end
// is quoted.
void writeResiduals(std::ostream& out, const std::vector<Checkpoint>& points,
                    const std::vector<CheckpointHeight>& heights);
