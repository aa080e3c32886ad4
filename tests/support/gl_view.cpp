#include "tests/support/gl_view.h"

#include <FL/Fl.H>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <iostream>

#include "analysis/analysis.h"
#include "model/mountain.h"
#include "tests/support/glut_init.h"
#include "tests/support/grid_files.h"
#include "view/view_state.h"

::testing::AssertionResult colourNear(const Pixel& p, float red, float green, float blue, int tolerance)
{
    const int want[3] = {int(std::lround(red * 255)), int(std::lround(green * 255)), int(std::lround(blue * 255))};
    const int got[3] = {p.red, p.green, p.blue};
    for (int i = 0; i < 3; i++)
        if (std::abs(want[i] - got[i]) > tolerance)
            return ::testing::AssertionFailure() << "pixel (" << p.red << ", " << p.green << ", " << p.blue
                                                 << ") is not near (" << want[0] << ", " << want[1] << ", "
                                                 << want[2] << ")";
    return ::testing::AssertionSuccess();
}

void ViewTest::SetUp()
{
    initGlutOnce();
    resetModel();
    resetAnalysis();
    resetView();
    view = std::make_unique<MyWindow>(0, 0, 650, 625, "view test");
    view->show();
    for (int i = 0; i < 100 && !view->shown(); i++)
        Fl::wait(0.01);
    Fl::wait(0.01);
}

void ViewTest::TearDown()
{
    view->hide();
    view.reset();
    Fl::wait(0);
    resetModel();
    resetAnalysis();
    resetView();
}

std::string ViewTest::grid(const std::string& name, int rows, int cols, const std::vector<float>& values,
                           double cellsize)
{
    const std::string path = dir.file(name);
    writeGridValues(path, rows, cols, values, cellsize);
    return path;
}

bool ViewTest::open(const std::string& dem, const std::string& comparison, int fileType, int interval,
                    int treeline, int slope)
{
    float xll = 0, yll = 0, size = 0;
    const bool two = !comparison.empty();
    testing::internal::CaptureStdout();
    const bool ok = view->Begin(slope, true, two ? 2 : 1, dem.c_str(), two ? comparison.c_str() : nullptr, 1,
                                fileType, treeline, interval, xll, yll, size) == LoadOutcome::Loaded;
    testing::internal::GetCapturedStdout();
    return ok;
}

void ViewTest::frame(bool once)
{
    view->make_current();
    view->draw();
    if (!once)
        view->draw();
    glFinish();
}

Pixel readPixel(Fl_Gl_Window& window, int x, int y)
{
    window.make_current();
    unsigned char rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

Pixel ViewTest::pixel(int x, int y) { return readPixel(*view, x, y); }

bool ViewTest::project(float x, float y, float z, int& wx, int& wy)
{
    view->make_current();
    GLdouble model[16], projection[16], wxd, wyd, wzd;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (gluProject(x, y, z, model, projection, viewport, &wxd, &wyd, &wzd) != GL_TRUE)
        return false;
    // A point or a thin line at a fractional position covers the pixel below it.
    wx = int(std::floor(wxd));
    wy = int(std::floor(wyd));
    return wx >= 0 && wy >= 0 && wx < MAX && wy < MAX;
}

bool ViewTest::projectGridPoint(float row, float col, int& wx, int& wy)
{
    const float x = (col * mt.cellsize - mt.movex) * mt.scalefactor;
    const float y = (row * mt.cellsize - mt.movey) * mt.scalefactor;
    const int r = std::min(int(row), mt.nrows - 1), c = std::min(int(col), mt.ncols - 1);
    const float z = (mt.grid[r][c] - mt.zcenter) * mt.zscale;
    return project(x, -y, z, wx, wy);
}
