// Draws one frame of the 3D view for a data set and display settings and writes its
// pixels as a binary PPM, so that two builds can be compared pixel for pixel:
//   render-snapshot OUT.ppm DEM [COMPARISON TYPE INTERVAL] [SETTING...]
// TYPE is 1 (DEM), 2 (sparse) or 3 (contour). SETTINGs: fill, unlit, curvature,
// diffcolour, needles, contours, points, ramp, slope, classes, axes, sun, top, drag,
// profile=ROW, exaggeration=E, unit=U, mask (nodata masking), degrees (cells in
// degrees). Run it under an X server.

#include <FL/Fl.H>
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/curvature.h"
#include "model/mountain.h"
#include "view/my_window.h"
#include "view/view_state.h"

namespace {

bool apply(MyWindow& view, const std::string& setting)
{
    const std::size_t eq = setting.find('=');
    const std::string name = setting.substr(0, eq);
    const double value = eq == std::string::npos ? 0 : std::atof(setting.c_str() + eq + 1);
    if (name == "fill")
        drawTriangles = true;
    else if (name == "unlit")
        view.light(nullptr);
    else if (name == "curvature")
        drawCurveColor = true;
    else if (name == "diffcolour")
        drawDiffColor = true;
    else if (name == "needles")
        drawDiff = true;
    else if (name == "contours")
        drawContours = true;
    else if (name == "points")
        drawPoints = true;
    else if (name == "ramp")
        drawColors = true;
    else if (name == "slope")
        colorSlope = true;
    else if (name == "classes")
        view.heights(nullptr);
    else if (name == "axes")
        drawAxes = true;
    else if (name == "sun")
        drawSun = true;
    else if (name == "top")
        view.TopButton_callback(nullptr);
    else if (name == "drag") {
        Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
        view.handle(FL_PUSH);
    }
    else if (name == "profile") {
        plotProfile = true;
        profileYpos = static_cast<int>(value);
    } else if (name == "exaggeration")
        view.changeVert(static_cast<int>(value), FILES);
    else if (name == "unit")
        view.modCurveErr(static_cast<float>(value));
    else if (name == "mask" || name == "degrees") {
        bool mask = false, degrees = false;
        view.getOptions(mask, degrees);
        view.changeOptions(mask || name == "mask", degrees || name == "degrees");
    }
    else
        return false;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: render-snapshot OUT.ppm DEM [COMPARISON TYPE INTERVAL] [SETTING...]\n");
        return 2;
    }
    int next = 3;
    const char* comparison = nullptr;
    int type = 3, interval = 0;
    if (argc >= 6 && std::atoi(argv[4]) > 0) {
        comparison = argv[3];
        type = std::atoi(argv[4]);
        interval = std::atoi(argv[5]);
        next = 6;
    }
    MyWindow view(0, 0, MAX, MAX, "render snapshot");
    view.show();
    while (!view.shown())
        Fl::wait(0.01);
    view.make_current();

    // The console lines of the load and the passes go to standard error.
    std::fflush(stdout);
    const int console = dup(1);
    dup2(2, 1);
    float x, y, s;
    const bool loaded = view.Begin(50, true, comparison ? 2 : 1, argv[2], comparison, 1, type, 1800, interval, x, y,
                                   s) == LoadOutcome::Loaded;
    for (int i = next; i < argc; i++)
        if (!apply(view, argv[i]))
            std::fprintf(stderr, "unknown setting %s\n", argv[i]);
    std::fflush(stdout);
    dup2(console, 1);
    if (!loaded) {
        std::fprintf(stderr, "not loaded\n");
        return 1;
    }

    view.make_current();
    view.draw();  // the first frame sets the projection for the next
    view.draw();
    glFinish();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(MAX) * MAX * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, MAX, MAX, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr)
        return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", MAX, MAX);
    for (int row = MAX - 1; row >= 0; row--)
        std::fwrite(rgb.data() + static_cast<std::size_t>(row) * MAX * 3, 1, MAX * 3, out);
    std::fclose(out);
    return 0;
}
