// Prints how long the 3D view takes for one full frame (display()) on generated grids,
// filled triangles with lighting on, with and without an overlay, and for the preview
// frame drawn while the left button is held. Beside them the limit: the same flat-lit
// triangles in one colour, compiled once into one display list, drawn with the same
// camera and light; what the renderer adds to that is its own cost. Grids above four
// million cells add their still frame from the level of detail ("full" is drawn with "Full
// Resolution Frames"). Last, that frame of a 10000 x 10000 grid against the limit of
// 1000 x 1000, and the peak memory of the viewer holding it. Run it under an X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/frame-benchmark

#include <FL/Fl.H>
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/loader.h"
#include "model/memory_need.h"
#include "model/mesh.h"
#include "model/mountain.h"
#include "model/grid_writer.h"
#include "view/coarse_frame.h"
#include "view/my_window.h"
#include "view/renderer.h"
#include "view/view_state.h"

namespace {

float terrainHeight(int r, int c)
{
    return static_cast<float>(1500 + 400 * std::sin(r * 0.013) * std::cos(c * 0.011) + 3 * std::sin(r * 0.7 + c));
}

std::string writeTerrain(const std::string& dir, int size)
{
    GridHeader header;
    header.nrows = header.ncols = size;
    header.cellsize = 10;
    std::vector<float> heights(static_cast<std::size_t>(size) * size);
    for (int r = 0; r < size; r++)
        for (int c = 0; c < size; c++)
            heights[static_cast<std::size_t>(r) * size + c] = terrainHeight(r, c);
    const std::string path = dir + "/terrain" + std::to_string(size) + ".grd";
    writeGridFile(path, header, heights);
    return path;
}

template <typename Frame>
double medianMs(int frames, Frame frame)
{
    std::vector<double> times;
    for (int i = 0; i < frames; i++) {
        const auto t0 = std::chrono::steady_clock::now();
        frame();
        glFinish();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double medianFrameMs(MyWindow& view, int frames)
{
    view.make_current();
    view.draw();  // the first frame after an Open sets the projection for the rest
    return medianMs(frames, display);
}

// The mesh of mt as plain lit triangles in one colour, in one display list.
GLuint compileLimitList()
{
    const MeshGeometry mesh(mt);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glColor3fv(MountainGreen);
    glBegin(GL_TRIANGLES);
    MeshTriangle pair[2];
    for (int r = 0; r + 1 < mt.nrows; r++)
        for (int c = 0; c + 1 < mt.ncols; c++) {
            mesh.cell(r, c, pair);
            for (const MeshTriangle& t : pair) {
                glNormal3f(-t.normal[0], t.normal[1], -t.normal[2]);
                for (const float* v : t.v)
                    glVertex3f(v[0], -v[1], v[2]);
            }
        }
    glEnd();
    glEndList();
    return list;
}

// display() with the mesh replaced by the list.
double medianLimitMs(MyWindow& view, int frames)
{
    view.make_current();  // the frames before have set up the projection and the light
    const GLuint list = compileLimitList();
    const double ms = medianMs(frames, [list] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(0, 0, eyevalue, 0, 0, 0, 0, 1, 0);
        glRotatef(xrotation, 1, 0, 0);
        glRotatef(zrotation, 0, 0, 1);
        glLightfv(GL_LIGHT0, GL_POSITION, position0);
        glCallList(list);
    });
    glDeleteLists(list, 1);
    return ms;
}

void row(const std::string& grid, const char* frame, double ms)
{
    std::printf("%-12s %-28s %12.1f\n", grid.c_str(), frame, ms);
    std::fflush(stdout);
}

// The grid name is a column wider than the others.
void wideRow(const char* grid, const char* frame, double ms)
{
    std::printf("%s  %-26s %12.1f\n", grid, frame, ms);
    std::fflush(stdout);
}

// The terrain of size x size made in memory and taken into mt as a load does (the passes
// with it): a text file of 10^8 heights would take minutes to write and read.
void makeTerrain(int size)
{
    resetModel();
    resetAnalysis();
    resetView();
    gridUse.drawing = true;
    mt.grid = allocate(size, size);
    mt.nrows = mt.ncols = size;
    mt.cellsize = 10;
    for (int r = 0; r < size; r++)
        for (int c = 0; c < size; c++)
            mt.grid[r][c] = terrainHeight(r, c);
    mt.computeRange();
    rebuild(1, false);
    OPEN = true;
    drawTriangles = true;
}

struct LevelOfDetailFigures {
    double still = 0, curvature = 0;  // median ms without and with the curvature overlay
    double peakMiB = 0;               // of the process, all of it the viewer's so far
};

// The still frames of 10000 x 10000 from its level of detail. Measured before the other
// grids: the display lists of the limit lines take gigabytes of their own.
LevelOfDetailFigures levelOfDetail(MyWindow& view)
{
    LevelOfDetailFigures f;
    makeTerrain(10000);
    f.still = medianFrameMs(view, 5);
    drawCurveColor = true;
    f.curvature = medianFrameMs(view, 5);
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    f.peakMiB = use.ru_maxrss / 1024.0;
    resetModel();
    return f;
}

// Opens the grid at path in view without its reading line, which would break the table.
void openQuietly(MyWindow& view, const std::string& path)
{
    float x, y, s;
    std::fflush(stdout);
    const int console = dup(1);
    const int nowhere = open("/dev/null", O_WRONLY);
    dup2(nowhere, 1);
    view.Begin(10, true, 1, path.c_str(), nullptr, 1, 3, 4100, 0, x, y, s);
    std::fflush(stdout);
    dup2(console, 1);
    close(nowhere);
    close(console);
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
    const LevelOfDetailFigures lod = levelOfDetail(view);
    double fullLit1000 = 0, limit1000 = 0, limit500 = 0, drag4000 = 0;
    for (int size : {500, 1000, 4000}) {
        const std::string path = writeTerrain(dir, size);
        resetModel();
        resetAnalysis();
        resetView();
        drawTriangles = true;
        openQuietly(view, path);
        // A full frame of 4000 x 4000 takes seconds under a software GL.
        const int frames = size > 1000 ? 3 : size > 500 ? 5 : 9;
        const std::string grid = std::to_string(size) + " x " + std::to_string(size);
        if (mt.cellCount() > LEVEL_OF_DETAIL_CELLS)
            row(grid, "still, level of detail", medianFrameMs(view, frames));
        setFullResolutionFrames(true);
        const double full = medianFrameMs(view, frames);
        setFullResolutionFrames(false);
        row(grid, "full, no overlay", full);
        if (size <= 1000) {
            drawCurveColor = true;
            row(grid, "full, curvature overlay", medianFrameMs(view, frames));
            drawCurveColor = false;
        }
        buttonState = true;
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        const double drag = medianFrameMs(view, size > 1000 ? 9 : frames);
        row(grid, "drag preview (outlines)", drag);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        buttonState = false;
        const double limit = medianLimitMs(view, frames);
        row(grid, "limit (one display list)", limit);
        if (size == 500)
            limit500 = limit;
        if (size == 1000)
            fullLit1000 = full, limit1000 = limit;
        if (size == 4000)
            drag4000 = drag;
        std::remove(path.c_str());
    }
    std::printf("ratio full 1000 x 1000 / its limit:       %6.2f (target 1.25)\n", fullLit1000 / limit1000);
    std::printf("ratio drag 4000 x 4000 / limit 500 x 500: %6.2f (target 1.5)\n", drag4000 / limit500);
    wideRow("10000 x 10000", "still, LOD, curvature", lod.curvature);
    std::printf("peak resident memory with 10000 x 10000: %.0f MiB (target 1536)\n", lod.peakMiB);
    std::printf("ratio still 10000 x 10000 / limit 1000 x 1000: %6.2f (target 2)\n", lod.still / limit1000);
    wideRow("10000 x 10000", "still, level of detail", lod.still);
    rmdir(dir.c_str());
    return 0;
}
