// Prints how long the 3D view takes for one full frame (display()) on generated grids,
// filled triangles with lighting on, with and without an overlay, and for the preview
// frame drawn while the left button is held. Run it under an X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/frame-benchmark

#include <FL/Fl.H>
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "model/mountain.h"
#include "model/grid_writer.h"
#include "view/my_window.h"
#include "view/renderer.h"
#include "view/view_state.h"

namespace {

std::string writeTerrain(const std::string& dir, int size)
{
    GridHeader header;
    header.nrows = header.ncols = size;
    header.cellsize = 10;
    std::vector<float> heights(static_cast<std::size_t>(size) * size);
    for (int r = 0; r < size; r++)
        for (int c = 0; c < size; c++)
            heights[static_cast<std::size_t>(r) * size + c] =
                static_cast<float>(1500 + 400 * std::sin(r * 0.013) * std::cos(c * 0.011) + 3 * std::sin(r * 0.7 + c));
    const std::string path = dir + "/terrain" + std::to_string(size) + ".grd";
    writeGridFile(path, header, heights);
    return path;
}

double medianFrameMs(MyWindow& view, int frames)
{
    std::vector<double> times;
    view.make_current();
    view.draw();  // the first frame after an Open sets the projection for the rest
    for (int i = 0; i < frames; i++) {
        const auto t0 = std::chrono::steady_clock::now();
        display();
        glFinish();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    char pattern[] = "/tmp/karvo-frames-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    MyWindow view(0, 0, MAX, MAX, "frame benchmark");
    view.show();
    while (!view.shown())
        Fl::wait(0.01);
    view.make_current();
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("GL renderer: %s\n", renderer ? renderer : "unknown");
    std::printf("%-12s %-28s %12s\n", "grid", "frame", "median ms");
    for (int size : {500, 1000}) {
        const std::string path = writeTerrain(dir, size);
        resetModel();
        resetAnalysis();
        resetView();
        drawTriangles = true;
        float x, y, s;
        // The reading line would break the table.
        std::fflush(stdout);
        const int console = dup(1);
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, 1);
        view.Begin(10, true, 1, path.c_str(), nullptr, 1, 3, 4100, 0, x, y, s);
        std::fflush(stdout);
        dup2(console, 1);
        close(nowhere);
        close(console);
        const int frames = size > 500 ? 5 : 9;
        const std::string grid = std::to_string(size) + " x " + std::to_string(size);
        std::printf("%-12s %-28s %12.1f\n", grid.c_str(), "full, no overlay", medianFrameMs(view, frames));
        drawCurveColor = true;
        std::printf("%-12s %-28s %12.1f\n", grid.c_str(), "full, curvature overlay", medianFrameMs(view, frames));
        drawCurveColor = false;
        buttonState = true;
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        std::printf("%-12s %-28s %12.1f\n", grid.c_str(), "drag preview (outlines)", medianFrameMs(view, frames));
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        buttonState = false;
        std::remove(path.c_str());
    }
    rmdir(dir.c_str());
    return 0;
}
