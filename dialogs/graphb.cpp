#include "dialogs/graphb.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "dialogs/graph_data.h"

Graphb::Graphb(int x, int y, int w, int h, const char* label, int, int largest, int smallest, int n,
               const int* counts, int flag)
    : Fl_Gl_Window(x, y, w, h, label),
      largest(largest),
      smallest(smallest),
      barCount(n),
      counts(counts != nullptr && n > 0 ? std::vector<int>(counts, counts + n) : std::vector<int>()),
      flag(flag)
{
    if (this->counts.empty())
        barCount = 0;
}

Graphb::~Graphb() = default;

void Graphb::InitializeGL() { glEnable(GL_DEPTH_TEST); }

void Graphb::draw()
{
    if (!valid())
        glViewport(0, 0, pixel_w(), pixel_h());
    glLoadIdentity();
    gluOrtho2D(0, 150, 0, 150);
    drawGraph();
}

int Graphb::handle(int event)
{
    redraw();
    return Fl_Gl_Window::handle(event);
}

void Graphb::drawGraph()
{
    glColor3f(1, 1, 1);
    glBegin(GL_POLYGON);
    glVertex2f(0, 0);
    glVertex2f(0, 160);
    glVertex2f(150, 160);
    glVertex2f(150, 0);
    glEnd();

    const int w = barWidth(barCount);
    const double scale = double(barScale(largest));
    // y(c) = c * 150 / R + 5: the tallest bar stays below 155.
    auto top = [scale](int c) { return float(c * 150.0 / scale + 5); };

    glColor3f(1, 0, 0);
    for (int i = 0; i < barCount; i++) {
        const float x0 = float(5 + i * w);
        glBegin(GL_POLYGON);
        glVertex2f(x0, 5);
        glVertex2f(x0, top(counts[i]));
        glVertex2f(x0 + w, top(counts[i]));
        glVertex2f(x0 + w, 5);
        glEnd();
    }

    // Each outline ends in a tick below the axis at the bar's right edge.
    glColor3f(0, 0, 0);
    for (int i = 0; i < barCount; i++) {
        const float x0 = float(5 + i * w);
        const float y = top(std::max(counts[i], 0));
        glBegin(GL_LINE_STRIP);
        glVertex2f(x0, 5);
        glVertex2f(x0, y);
        glVertex2f(x0 + w, y);
        glVertex2f(x0 + w, 5);
        glVertex2f(x0 + w, 0);
        glEnd();
    }

    glBegin(GL_LINE_STRIP);
    glVertex2f(5, 5);
    glVertex2f(155, 5);
    glEnd();
    glBegin(GL_LINE_STRIP);
    glVertex2f(5, 0);
    glVertex2f(5, 155);
    glEnd();

    // Ticks every tenth of the scale, where the Y-axis numbers stand.
    for (int i = 0; i <= 10; i++) {
        glBegin(GL_LINES);
        glVertex2f(0, float(15 * i + 5));
        glVertex2f(5, float(15 * i + 5));
        glEnd();
    }
}
