#include "view/renderer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/height_classes.h"
#include "analysis/slope.h"
#include "model/colour_codes.h"
#include "model/mesh.h"
#include "model/mountain.h"
#include "model/numeric.h"
#include "view/colours.h"
#include "view/view_state.h"

void triangleLookupPoint(int t, int cols, int& row, int& col)
{
    const int perRow = 2 * (cols - 1);
    row = t / perRow;
    const int k = t % perRow;
    col = k % 2 == 0 ? k / 2 : (k + 1) / 2;
}

int frameStep(int rows, int cols, bool buttonHeld)
{
    return buttonHeld ? rows * cols / 100000 + 1 : 1;
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

void vertex(const float* v) { glVertex3f(v[0], -v[1], v[2]); }

void normal(const MeshTriangle& t) { glNormal3f(-t.normal[0], t.normal[1], -t.normal[2]); }

// Point mode: a triangle is a single point at its first vertex.
void point(const MeshTriangle& t)
{
    glBegin(GL_POINTS);
    normal(t);
    vertex(t.v[0]);
    glEnd();
}

// Base colour of a triangle, the first rule that applies.
void baseColour(mountain& m, const MeshTriangle& t, int tIndex, int row, int col, bool comparable)
{
    const bool hasData = comparable && rd.grid[row][col] > 0;
    if (drawContours && hasData) {
        glColor3f(0.7f, 0.7f, 0.7f);
        return;
    }
    if (drawPoints && hasData) {
        if (tIndex % 2 == 0) {
            glColor3f(0.9f, 0.6f, 0.6f);
            glPushMatrix();
            glTranslatef(t.v[1][0], -t.v[1][1], t.v[1][2]);
            glutSolidCube(0.005);
            glPopMatrix();
        }
        glColor3fv(MountainGreen);
        return;
    }
    glColor3fv(vegetationHigh(m.grid[row][col], row, col) ? MountainGreenHigh : MountainGreen);
}

// The needle of a difference: from the triangle's second vertex upwards, blue where the
// DEM lies above the comparison, red where below.
void drawDiffSurf(mountain& m, const MeshTriangle& t, int row, int col)
{
    if (!comparisonMatchesDem())
        return;
    const float d = m.getElev(row, col) - rd.getGrid(row, col);
    if (d > 0)
        glColor3f(0.3f, 0.3f, 0.9f);
    else if (d < 0)
        glColor3f(0.9f, 0.3f, 0.3f);
    const float offset = 0.5f;
    const float length = m.zscale * std::fabs(d) + 0.05f;
    if (drawTriangles) {
        glBegin(GL_LINES);
        glVertex3f(t.v[1][0], -t.v[1][1], t.v[1][2] + offset);
        glVertex3f(t.v[1][0], -t.v[1][1], t.v[1][2] + offset + length);
        glEnd();
    } else {
        point(t);
    }
}

// Overlay colour, the first rule that applies; later rules are not consulted.
void overlayColour(mountain& m, const MeshTriangle& t, std::size_t cell, int row, int col)
{
    const int curveColour = curvatureLevelColour(m.curveLevels[cell]);
    const int diffColour = differenceLevelColour(m.diffLevels[cell]);
    const float height = m.grid[row][col];
    if (drawCurveColor && isErrorColour(curveColour)) {
        setColor(curveColour);
    } else if (drawDiffColor && isErrorColour(diffColour)) {
        setColor(diffColour);
    } else if (drawDiff && isErrorColour(diffColour)) {
        drawDiffSurf(m, t, row, col);
    } else if (colorHeightClasses) {
        // Without a table for the current interval the base colour stays.
        const int interval = rd.getContourInt();
        if (interval > 0 && m.heightClassesFor(interval)) {
            const int count = m.classes[heightClass(height, interval)];
            glColor3f(heightClassRed(count, m.classMin, m.classMax), 0.6f, 0.3f);
        }
    } else if (drawColors) {
        setColors(truncateToInt(m.getZmax()), truncateToInt(m.getZmin()), truncateToInt(height));
    } else if (colorSlope) {
        setSlopeColor(colorSlopeDeg(row, col));
    }
}

}  // namespace

void mountain::drawgrid()
{
    if (grid == nullptr || curveLevels.size() != cellCount() || diffLevels.size() != cellCount())
        return;
    const int incr = frameStep(nrows, ncols, buttonState);
    const bool comparable = comparisonMatchesDem();
    const MeshGeometry mesh(*this);
    MeshTriangle pair[2];
    long long meshedCell = -1;
    for (int t = 0; t < triangleCount; t += incr) {
        int row, col;
        triangleLookupPoint(t, ncols, row, col);
        const std::size_t cell = static_cast<std::size_t>(t / 2);
        if (static_cast<long long>(cell) != meshedCell) {
            mesh.cell(row, static_cast<int>(cell % static_cast<std::size_t>(ncols - 1)), pair);
            meshedCell = static_cast<long long>(cell);
        }
        const MeshTriangle& tri = pair[t % 2];
        baseColour(*this, tri, t, row, col, comparable);
        overlayColour(*this, tri, cell, row, col);
        if (plotProfile && nrows - row - 2 <= profileYpos)
            continue;
        if (drawTriangles) {
            glBegin(GL_TRIANGLES);
            normal(tri);
            vertex(tri.v[0]);
            vertex(tri.v[1]);
            vertex(tri.v[2]);
            glEnd();
        } else {
            point(tri);
        }
    }
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
    if (drawAxes)
        mt.drawcoordsystem();
    glLightfv(GL_LIGHT0, GL_POSITION, position0);
    mt.drawgrid();
    if (drawSun)
        drawSunSphere();
    if (plotProfile)
        mt.profilePlot();
}
