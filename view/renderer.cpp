#include "view/renderer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "analysis/height_classes.h"
#include "analysis/slope.h"
#include "model/colour_codes.h"
#include "analysis/loader.h"
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

void normal(const triangle& t) { glNormal3f(-t.normal[0], t.normal[1], -t.normal[2]); }

// Point mode: a triangle is a single point at its first vertex.
void point(const triangle& t)
{
    glBegin(GL_POINTS);
    normal(t);
    vertex(t.v1);
    glEnd();
}

// Base colour of a triangle, the first rule that applies.
void baseColour(mountain& m, const triangle& t, int tIndex, int row, int col, bool comparable)
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
            glTranslatef(t.v2[0], -t.v2[1], t.v2[2]);
            glutSolidCube(0.005);
            glPopMatrix();
        }
        glColor3fv(MountainGreen);
        return;
    }
    glColor3fv(vegetationHigh(m.grid[row][col], row, col) ? MountainGreenHigh : MountainGreen);
}

// Overlay colour, the first rule that applies; later rules are not consulted.
void overlayColour(mountain& m, int tIndex, int row, int col)
{
    const triangle& t = m.triangles[tIndex];
    const float height = m.grid[row][col];
    if (drawCurveColor && isErrorColour(t.curveColor)) {
        setColor(t.curveColor);
    } else if (drawDiffColor && isErrorColour(t.diffColor)) {
        setColor(t.diffColor);
    } else if (drawDiff && isErrorColour(t.diffColor)) {
        m.drawDiffSurf(row, col, tIndex);
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
    static int incr = 1;
    if (triangles == nullptr || grid == nullptr)
        return;
    incr = frameStep(nrows, ncols, buttonState);
    const bool comparable = comparisonMatchesDem();
    for (int t = 0; t < triangleCount; t += incr) {
        int row, col;
        triangleLookupPoint(t, ncols, row, col);
        const triangle& tri = triangles[t];
        baseColour(*this, tri, t, row, col, comparable);
        overlayColour(*this, t, row, col);
        if (plotProfile && nrows - row - 2 <= profileYpos)
            continue;
        if (drawTriangles) {
            glBegin(GL_TRIANGLES);
            normal(tri);
            vertex(tri.v1);
            vertex(tri.v2);
            vertex(tri.v3);
            glEnd();
        } else {
            point(tri);
        }
    }
}

void mountain::drawDiffSurf(int row, int col, int t)
{
    if (!comparisonMatchesDem())
        return;
    const float d = getElev(row, col) - rd.getGrid(row, col);
    if (d > 0)
        glColor3f(0.3f, 0.3f, 0.9f);
    else if (d < 0)
        glColor3f(0.9f, 0.3f, 0.3f);
    const float offset = 0.5f;
    const float length = zscale * std::fabs(d) + 0.05f;
    const triangle& tri = triangles[t];
    if (drawTriangles) {
        glBegin(GL_LINES);
        glVertex3f(tri.v2[0], -tri.v2[1], tri.v2[2] + offset);
        glVertex3f(tri.v2[0], -tri.v2[1], tri.v2[2] + offset + length);
        glEnd();
    } else {
        point(tri);
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
