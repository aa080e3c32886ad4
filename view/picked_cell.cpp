#include "view/picked_cell.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "model/mesh.h"
#include "model/mountain.h"
#include "view/view_state.h"

namespace {

struct FrameCamera {
    bool kept = false;
    GLdouble model[16];
    GLdouble projection[16];
    GLint viewport[4];
};

PickedCell picked;
FrameCamera camera;
PickListener listener = nullptr;

const int REACH = 3;  // pixels around a click searched for the surface
const float CROSS_ARM = 7;  // pixels from the centre
const float CROSS_COLOUR[3] = {1, 0, 1};  // magenta: no height, slope or error colour

void changed()
{
    if (listener != nullptr)
        listener();
}

bool onGrid(int row, int col) { return mt.grid != nullptr && row >= 0 && col >= 0 && row < mt.nrows && col < mt.ncols; }

// Where grid point (row, col) of mt stands in the scene, as the mesh draws it.
void scenePoint(int row, int col, float point[3])
{
    const MeshGeometry mesh(mt);
    point[0] = mesh.x(col);
    point[1] = -mesh.y(row);
    point[2] = mesh.z(mt.grid[row][col]);
}

// The pixel nearest to (x, y), within REACH pixels, where the frame drew something, and
// its depth: a surface drawn as points leaves gaps between them that a click on it may
// fall into. false where only the far plane, the background, is drawn.
bool nearestDepth(int& x, int& y, GLdouble& depth)
{
    const GLint* v = camera.viewport;
    const int x0 = std::max(x - REACH, v[0]), y0 = std::max(y - REACH, v[1]);
    const int x1 = std::min(x + REACH, v[0] + v[2] - 1), y1 = std::min(y + REACH, v[1] + v[3] - 1);
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    GLfloat block[(2 * REACH + 1) * (2 * REACH + 1)];
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, y0, w, h, GL_DEPTH_COMPONENT, GL_FLOAT, block);
    int best = -1, bestX = x, bestY = y;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            const int distance = (x0 + i - x) * (x0 + i - x) + (y0 + j - y) * (y0 + j - y);
            if (block[j * w + i] < 1 && (best < 0 || distance < best)) {
                best = distance;
                depth = block[j * w + i];
                bestX = x0 + i;
                bestY = y0 + j;
            }
        }
    x = bestX;
    y = bestY;
    return best >= 0;
}

int nearest(double at, int count) { return std::clamp(static_cast<int>(std::lround(at)), 0, count - 1); }

}  // namespace

PickedCell pickedCell() { return picked; }

void pickCell(int row, int col)
{
    if (!onGrid(row, col))
        return;
    picked = {true, row, col};
    changed();
}

void centreViewOnCell(int row, int col)
{
    if (!onGrid(row, col))
        return;
    scenePoint(row, col, viewCentre);
    eyevalue = std::max(eyevalue, CENTRED_EYE);
    changed();
}

void clearPickedCell()
{
    if (!picked.picked)
        return;
    picked = {};
    changed();
}

void setPickListener(PickListener l) { listener = l; }

void rememberFrameCamera()
{
    glGetDoublev(GL_MODELVIEW_MATRIX, camera.model);
    glGetDoublev(GL_PROJECTION_MATRIX, camera.projection);
    glGetIntegerv(GL_VIEWPORT, camera.viewport);
    camera.kept = true;
}

bool gridPointAt(int x, int y, int& row, int& col)
{
    const GLint* v = camera.viewport;
    if (!camera.kept || mt.grid == nullptr || x < v[0] || y < v[1] || x >= v[0] + v[2] || y >= v[1] + v[3])
        return false;
    GLdouble depth = 1;
    if (!nearestDepth(x, y, depth))
        return false;
    GLdouble sx = 0, sy = 0, sz = 0;
    if (gluUnProject(x + 0.5, y + 0.5, depth, camera.model, camera.projection, camera.viewport, &sx, &sy, &sz) !=
        GL_TRUE)
        return false;
    const MeshGeometry mesh(mt);
    const double c = mesh.colOf(static_cast<float>(sx)), r = mesh.rowOf(static_cast<float>(-sy));
    // The axes reach past the grid; a point on them off the grid is no point of it.
    if (!(r > -0.5 && c > -0.5 && r < mt.nrows - 0.5 && c < mt.ncols - 0.5))
        return false;
    row = nearest(r, mt.nrows);
    col = nearest(c, mt.ncols);
    return true;
}

void drawPickedCross()
{
    if (!picked.picked || !camera.kept || !onGrid(picked.row, picked.col))
        return;
    float point[3];
    scenePoint(picked.row, picked.col, point);
    GLdouble wx = 0, wy = 0, wz = 0;
    if (gluProject(point[0], point[1], point[2], camera.model, camera.projection, camera.viewport, &wx, &wy, &wz) !=
        GL_TRUE)
        return;
    const GLint* v = camera.viewport;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(v[0], v[0] + v[2], v[1], v[1] + v[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glLineWidth(2);
    glColor3fv(CROSS_COLOUR);
    const float x = static_cast<float>(std::floor(wx)) + 0.5f, y = static_cast<float>(std::floor(wy)) + 0.5f;
    glBegin(GL_LINES);
    glVertex2f(x - CROSS_ARM, y);
    glVertex2f(x + CROSS_ARM + 1, y);
    glVertex2f(x, y - CROSS_ARM);
    glVertex2f(x, y + CROSS_ARM + 1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void resetPickedCell()
{
    picked = {};
    camera = {};
    listener = nullptr;
}
