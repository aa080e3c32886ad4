#include "view/renderer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/mesh.h"
#include "model/mountain.h"
#include "view/checkpoint_needles.h"
#include "view/coarse_frame.h"
#include "view/kept_preview.h"
#include "view/mesh_batch.h"
#include "view/picked_cell.h"
#include "view/triangle_look.h"
#include "view/view_state.h"

namespace {

// About as many cells as the drag preview of a large grid draws.
const double PREVIEW_CELLS = 250000;

}  // namespace

int frameStep(int rows, int cols, bool buttonHeld)
{
    if (!buttonHeld || std::int64_t(rows) * cols > PREVIEW_POINTS)
        return 1;
    return rows * cols / PREVIEW_POINTS + 1;
}

int previewStep(int rows, int cols, bool buttonHeld)
{
    if (!buttonHeld || std::int64_t(rows) * cols <= PREVIEW_POINTS)
        return 0;
    const double cells = double(std::max(rows - 1, 0)) * double(std::max(cols - 1, 0));
    return std::max(1, static_cast<int>(std::ceil(std::sqrt(cells / PREVIEW_CELLS))));
}

namespace {

void drawSunSphere()
{
    glPushMatrix();
    glTranslatef(position0[0], 0, position0[2] - 1);
    glColor3f(1, 1, 0);
    glDisable(GL_LIGHTING);
    glutSolidSphere(0.03, 30, 30);
    if (lighting)
        glEnable(GL_LIGHTING);
    glPopMatrix();
}

// Edges of a coarse cell drawn in the preview, each edge of the grid once: a cell
// draws its top and left edge (of its first triangle), and only the cells at the last row
// and column close the grid with the bottom and right edge (of their second triangle).
// The diagonals are left out: under a software GL lines cost about twice what filled
// triangles do, and a coarse cell spans a pixel or two at the scale of the whole grid.
enum Edges : unsigned { NONE = 0, FIRST = 1, BOTTOM = 2, RIGHT = 4 };

// Walks the cells of one frame, fills the batch and draws the extras in between. A
// needle is lit with the normal given last, so the drawer keeps the normal and colour
// immediate mode would have left, and leaves them behind for the next frame.
//
// Unlit, a colour reaches the pixels without lighting in between, and Mesa rounds it
// differently at some pixels depending on how immediate mode handed it over (the first
// primitive after its vertex store was flushed, at the start of the mesh or after a
// cube; a colour given between a needle and its triangle) than when arrays hand it over.
// Unlit frames are therefore given in immediate mode call for call as they always were;
// lit frames come out the same either way.
class MeshDrawer {
public:
    MeshDrawer(mountain& model, bool outlines)
        : m(model),
          mesh(model),
          looks(model),
          outline(outlines && drawTriangles),
          immediate(!lighting && !outline),
          batch(mode())
    {
        glGetFloatv(GL_CURRENT_NORMAL, normal);
    }

    // Every step-th row and column (coarse cells span step cells, clamped at the last row
    // and column and at the profile cut, and take the looks of their first cell, and the
    // levels of the coarse mesh where one is given); of the triangles, every
    // triangleStep-th in mesh order.
    void cells(int step, int triangleStep, const CoarseMesh* coarse = nullptr)
    {
        const int lastRow = m.nrows - 1, lastCol = m.ncols - 1;
        const int rowEnd = plotProfile ? std::min(lastRow, m.nrows - 2 - profileYpos) : lastRow;
        const bool masking = m.masking();  // masked cells are not drawn, nor their extras
        MeshTriangle pair[2];
        for (int r0 = 0; r0 < lastRow; r0 += step) {
            const bool cut = plotProfile && m.nrows - r0 - 2 <= profileYpos;
            const int r1 = cut ? std::min(r0 + step, lastRow) : std::min(r0 + step, rowEnd);
            for (int c0 = 0; c0 < lastCol; c0 += step) {
                const int c1 = std::min(c0 + step, lastCol);
                if (masking && masked(r0, r1, c0, c1))
                    continue;
                const std::size_t cell = std::size_t(r0) * std::size_t(lastCol) + std::size_t(c0);
                const CellLevels levels =
                    coarse ? coarse->at(r0 / step, c0 / step) : CellLevels{m.curveLevels[cell], m.diffLevels[cell]};
                mesh.span(r0, r1, c0, c1, pair);
                const unsigned closing = (r1 == rowEnd ? BOTTOM : NONE) | (c1 == lastCol ? RIGHT : NONE);
                for (int i = 0; i < 2; i++) {
                    // An outline needs the second triangle only for closing edges and needles.
                    if (outline && i == 1 && closing == NONE && !drawDiff)
                        continue;
                    if ((2 * cell + i) % triangleStep == 0)
                        triangle(pair[i], levels, r0, c0 + i, i == 1, cut, i == 0 ? FIRST : closing);
                }
            }
        }
    }

    GLenum mode() const { return !drawTriangles ? GL_POINTS : outline ? GL_LINES : GL_TRIANGLES; }
    void keepIn(std::vector<std::vector<MeshVertex>>* bands) { batch.keepIn(bands); }

    void finish()
    {
        batch.flush();
        restoreNormal();
        if (coloured && !immediate)
            glColor3f(colour.red, colour.green, colour.blue);
    }

private:
    // A coarse cell reads its far corners too, which the rule of its first cell leaves out.
    bool masked(int r0, int r1, int c0, int c1) const
    {
        if (m.cellMasked(r0, c0))
            return true;
        const bool coarse = r1 > r0 + 1 || c1 > c0 + 1;
        return coarse && (!m.validPoint(r0, c1) || !m.validPoint(r1, c0) || !m.validPoint(r1, c1));
    }

    void triangle(const MeshTriangle& t, const CellLevels& levels, int row, int col, bool second, bool cut,
                  unsigned edges)
    {
        const TriangleLook l = looks.look(levels, row, col, second);
        if (l.cube)
            cube(t.v[1]);
        if (l.needle)
            needle(t, l);
        colour = l.colour;
        coloured = true;
        if (cut)
            return;
        if (immediate)
            immediateTriangle(l.colour, t, !l.needle);
        else if (!outline)
            batch.add(l.colour, t);
        else if (edges == FIRST) {
            batch.addEdge(l.colour, t, 0, 2);
            batch.addEdge(l.colour, t, 0, 1);
        } else {
            if (edges & BOTTOM)
                batch.addEdge(l.colour, t, 1, 2);
            if (edges & RIGHT)
                batch.addEdge(l.colour, t, 0, 2);
        }
        givenNormal(t, normal);
    }

    static void givenNormal(const MeshTriangle& t, float* n)
    {
        n[0] = -t.normal[0];
        n[1] = t.normal[1];
        n[2] = -t.normal[2];
    }

    // GL's current normal must be what immediate mode would have left; in immediate mode
    // it is already.
    void restoreNormal() const
    {
        if (!immediate)
            glNormal3fv(normal);
    }

    void cube(const float* at)
    {
        batch.flush();
        restoreNormal();
        glColor3f(0.9f, 0.6f, 0.6f);
        glPushMatrix();
        glTranslatef(at[0], -at[1], at[2]);
        glutSolidCube(0.005);
        glPopMatrix();
        glGetFloatv(GL_CURRENT_NORMAL, normal);
    }

    // A needle has given the triangle its colour already.
    void immediateTriangle(const Rgb& c, const MeshTriangle& t, bool giveColour) const
    {
        if (giveColour)
            glColor3f(c.red, c.green, c.blue);
        glBegin(drawTriangles ? GL_TRIANGLES : GL_POINTS);
        glNormal3f(-t.normal[0], t.normal[1], -t.normal[2]);
        for (int i = 0; i < (drawTriangles ? 3 : 1); i++)
            glVertex3f(t.v[i][0], -t.v[i][1], t.v[i][2]);
        glEnd();
    }

    // Upwards from the second vertex, starting above the surface; in point mode a point at
    // the first vertex.
    void needle(const MeshTriangle& t, const TriangleLook& l)
    {
        batch.flush();
        glColor3f(l.colour.red, l.colour.green, l.colour.blue);
        if (!drawTriangles) {
            givenNormal(t, normal);
            glBegin(GL_POINTS);
            glNormal3fv(normal);
            glVertex3f(t.v[0][0], -t.v[0][1], t.v[0][2]);
            glEnd();
            return;
        }
        const float offset = 0.5f;
        const float length = m.zscale * std::fabs(l.needleDifference) + 0.05f;
        restoreNormal();
        glBegin(GL_LINES);
        glVertex3f(t.v[1][0], -t.v[1][1], t.v[1][2] + offset);
        glVertex3f(t.v[1][0], -t.v[1][1], t.v[1][2] + offset + length);
        glEnd();
    }

    mountain& m;
    const MeshGeometry mesh;
    TriangleLooks looks;
    const bool outline;
    const bool immediate;
    MeshBatch batch;
    float normal[3];
    Rgb colour = {0, 0, 0};
    bool coloured = false;
};

}  // namespace

void mountain::drawgrid()
{
    if (grid == nullptr || curveLevels.size() != cellCount() || diffLevels.size() != cellCount())
        return;
    const int preview = previewStep(nrows, ncols, buttonState);
    if (preview == 0) {
        if (!keptPreview.bands.empty())
            forgetPreview();
        MeshDrawer drawer(*this, false);
        const CoarseMesh* coarse = stillLevelOfDetail(*this);
        drawer.cells(coarse ? coarse->step : 1, frameStep(nrows, ncols, buttonState), coarse);
        drawer.finish();
        return;
    }
    // Cubes and needles are drawn between the bands, and are not kept with them.
    const bool keep = !(comparisonMatchesDem() && (drawPoints || drawDiff));
    std::vector<std::uint64_t> key = previewKey(preview);
    if (keep && key == keptPreview.key) {
        for (const std::vector<MeshVertex>& band : keptPreview.bands)
            MeshBatch::draw(keptPreview.mode, band.data(), band.size());
        return;
    }
    forgetPreview();
    MeshDrawer drawer(*this, true);
    if (keep) {
        keptPreview.key = std::move(key);
        keptPreview.mode = drawer.mode();
        drawer.keepIn(&keptPreview.bands);
    }
    drawer.cells(preview, 1);
    drawer.finish();
}

void mountain::drawcoordsystem()
{
    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(-1.2f, 0, 0);
    glVertex3f(1.2f, 0, 0);
    glColor3f(0, 0, 1);
    glVertex3f(0, -1.2f, 0);
    glVertex3f(0, 1.2f, 0);
    glColor3f(1, 1, 0);
    glVertex3f(0, 0, -1.2f);
    glVertex3f(0, 0, 1.2f);
    glEnd();
    if (lighting)
        glEnable(GL_LIGHTING);
}

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0, 0, eyevalue, 0, 0, 0, 0, 1, 0);
    glRotatef(xrotation, 1, 0, 0);
    glRotatef(zrotation, 0, 0, 1);
    if (viewCentre[0] != 0 || viewCentre[1] != 0 || viewCentre[2] != 0)
        glTranslatef(-viewCentre[0], -viewCentre[1], -viewCentre[2]);
    rememberFrameCamera();
    if (drawAxes)
        mt.drawcoordsystem();
    glLightfv(GL_LIGHT0, GL_POSITION, position0);
    mt.drawgrid();
    if (drawContours)
        drawCheckpointNeedles();
    if (drawSun)
        drawSunSphere();
    if (plotProfile)
        mt.profilePlot();
    drawPickedCross();
}
