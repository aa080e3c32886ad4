#include "view/checkpoint_needles.h"

#include <GL/gl.h>

#include <vector>

#include "analysis/checkpoints.h"
#include "analysis/current_reference.h"
#include "analysis/difference.h"
#include "model/mesh.h"
#include "model/mountain.h"
#include "view/view_state.h"

namespace {

struct Needle {
    float x, y, surface, top;  // in view units, y not yet mirrored
    Rgb colour;
};

std::vector<Needle> needles()
{
    const GridView dem = mt.view();
    const MeshGeometry mesh(mt);
    const std::vector<Checkpoint>& points = loadedCheckpoints.points;
    const std::vector<CheckpointHeight> heights = demHeightsAt(dem, points);
    const double interval = loadedCheckpointInterval();
    // The rows the profile cuts away carry no needles.
    const double lastRow = plotProfile ? mt.nrows - 2 - profileYpos : mt.nrows - 1;
    std::vector<Needle> out;
    for (std::size_t i = 0; i < points.size(); i++) {
        if (heights[i].status != CheckpointStatus::tested)
            continue;
        // The checkpoint's place in fractional columns and rows from grid point (0, 0).
        const double col = (points[i].x - dem.x(0)) / dem.cellsize, row = (dem.y(0) - points[i].y) / dem.cellsize;
        if (row > lastRow)
            continue;
        out.push_back({mesh.xAt(col), mesh.yAt(row), mesh.z(static_cast<float>(heights[i].dem)),
                       mesh.z(static_cast<float>(points[i].z)), checkpointNeedleColour(heights[i].d, interval)});
    }
    return out;
}

}  // namespace

Rgb checkpointNeedleColour(double d, double interval)
{
    const int level = differenceLevel(static_cast<float>(d), static_cast<float>(interval));
    return level == 0 ? Rgb{1, 1, 1} : decodeColour(differenceLevelColour(level));
}

void drawCheckpointNeedles()
{
    if (!checkpointsLoaded() || mt.grid == nullptr)
        return;
    const std::vector<Needle> all = needles();
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POINT_BIT);
    glDisable(GL_LIGHTING);
    glLineWidth(2);
    glPointSize(5);
    glBegin(GL_LINES);
    for (const Needle& n : all) {
        glColor3f(n.colour.red, n.colour.green, n.colour.blue);
        glVertex3f(n.x, -n.y, n.surface);
        glVertex3f(n.x, -n.y, n.top);
    }
    glEnd();
    glBegin(GL_POINTS);
    for (const Needle& n : all) {
        glColor3f(n.colour.red, n.colour.green, n.colour.blue);
        glVertex3f(n.x, -n.y, n.top);
    }
    glEnd();
    glPopAttrib();
}
