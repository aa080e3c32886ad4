#include "view/renderer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "model/mesh.h"
#include "model/mountain.h"
#include "view/mesh_batch.h"
#include "view/triangle_look.h"
#include "view/view_state.h"

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

// Walks the cells of one frame, fills the batch and draws the extras in between. The
// extras are drawn in immediate mode and read GL's current normal (a needle is lit with
// the normal given last), so the drawer keeps the normal and colour immediate mode would
// have left, and leaves them behind for the next frame.
class MeshDrawer {
public:
    explicit MeshDrawer(mountain& model)
        : m(model), mesh(model), looks(model), batch(drawTriangles ? GL_TRIANGLES : GL_POINTS)
    {
        glGetFloatv(GL_CURRENT_NORMAL, normal);
    }

    // Every triangleStep-th triangle in mesh order; those of the rows behind the profile
    // cut are left out, their extras are not.
    void cells(int triangleStep)
    {
        const int lastRow = m.nrows - 1, lastCol = m.ncols - 1;
        MeshTriangle pair[2];
        for (int r = 0; r < lastRow; r++) {
            const bool cut = plotProfile && m.nrows - r - 2 <= profileYpos;
            for (int c = 0; c < lastCol; c++) {
                const std::size_t cell = std::size_t(r) * std::size_t(lastCol) + std::size_t(c);
                mesh.cell(r, c, pair);
                for (int i = 0; i < 2; i++)
                    if ((2 * cell + i) % triangleStep == 0)
                        triangle(pair[i], cell, r, c + i, i == 1, cut);
            }
        }
    }

    void finish()
    {
        batch.flush();
        glNormal3fv(normal);
        if (coloured)
            glColor3f(colour.red, colour.green, colour.blue);
    }

private:
    void triangle(const MeshTriangle& t, std::size_t cell, int row, int col, bool second, bool cut)
    {
        const TriangleLook l = looks.look(cell, row, col, second);
        if (l.cube)
            cube(t.v[1]);
        if (l.needle)
            needle(t, l);
        colour = l.colour;
        coloured = true;
        if (cut)
            return;
        batch.add(l.colour, t);
        givenNormal(t, normal);
    }

    static void givenNormal(const MeshTriangle& t, float* n)
    {
        n[0] = -t.normal[0];
        n[1] = t.normal[1];
        n[2] = -t.normal[2];
    }

    void cube(const float* at)
    {
        batch.flush();
        glNormal3fv(normal);
        glColor3f(0.9f, 0.6f, 0.6f);
        glPushMatrix();
        glTranslatef(at[0], -at[1], at[2]);
        glutSolidCube(0.005);
        glPopMatrix();
        glGetFloatv(GL_CURRENT_NORMAL, normal);
    }

    // Upwards from the second vertex, starting above the surface.
    void needle(const MeshTriangle& t, const TriangleLook& l)
    {
        batch.flush();
        glColor3f(l.colour.red, l.colour.green, l.colour.blue);
        if (drawTriangles) {
            const float offset = 0.5f;
            const float length = m.zscale * std::fabs(l.needleDifference) + 0.05f;
            glNormal3fv(normal);
            glBegin(GL_LINES);
            glVertex3f(t.v[1][0], -t.v[1][1], t.v[1][2] + offset);
            glVertex3f(t.v[1][0], -t.v[1][1], t.v[1][2] + offset + length);
            glEnd();
        } else {
            givenNormal(t, normal);
            glBegin(GL_POINTS);
            glNormal3fv(normal);
            glVertex3f(t.v[0][0], -t.v[0][1], t.v[0][2]);
            glEnd();
        }
    }

    mountain& m;
    const MeshGeometry mesh;
    TriangleLooks looks;
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
    MeshDrawer drawer(*this);
    drawer.cells(frameStep(nrows, ncols, buttonState));
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
    if (drawAxes)
        mt.drawcoordsystem();
    glLightfv(GL_LIGHT0, GL_POSITION, position0);
    mt.drawgrid();
    if (drawSun)
        drawSunSphere();
    if (plotProfile)
        mt.profilePlot();
}
