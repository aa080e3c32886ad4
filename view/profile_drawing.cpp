// Draws the profile overlay: a translucent grey plane at the cut, the white staircase
// of the profile row, and the comparison ticks.

#include <GL/gl.h>

#include <iostream>

#include "analysis/profile.h"
#include "model/mountain.h"
#include "view/view_state.h"

void mountain::profilePlot()
{
    const ProfileGeometry g = profileGeometry(profileYpos);
    if (!g.valid)
        return;
    glDisable(GL_LIGHTING);
    // Blending stays enabled: every other colour in the scene is opaque.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glColor4f(0.5f, 0.5f, 0.5f, 0.4f);
    glBegin(GL_POLYGON);
    glVertex3f(-1, g.yCut, g.zLow);
    glVertex3f(-1, g.yCut, g.zHigh);
    glVertex3f(1, g.yCut, g.zHigh);
    glVertex3f(1, g.yCut, g.zLow);
    glEnd();

    if (DEBUG)
        std::cout << "profileYpos: " << profileYpos << " gridy: " << g.row << "  yval: " << g.y
                  << "  yvalCut: " << g.yCut << std::endl;

    glColor3f(1, 1, 1);
    glBegin(GL_LINE_STRIP);
    std::size_t nextBreak = 0;
    for (std::size_t i = 0; i + 1 < g.steps.size(); i += 2) {
        if (nextBreak < g.breaks.size() && g.breaks[nextBreak] == i / 2) {
            glEnd();
            glBegin(GL_LINE_STRIP);
            nextBreak++;
        }
        glVertex3f(g.steps[i], g.y, g.steps[i + 1]);
    }
    glEnd();

    for (const ProfileTick& t : g.ticks) {
        glColor3f(t.red, t.green, t.blue);
        glBegin(GL_LINE_STRIP);
        glVertex3f(t.x, g.y, t.zFrom);
        glVertex3f(t.x, g.y, t.zTo);
        glEnd();
    }
    if (lighting)
        glEnable(GL_LIGHTING);
}
