#pragma once
// A real 3D view in a real window under the X server of the test run, with helpers to
// draw a frame and read its pixels back.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "view/my_window.h"

struct Pixel {
    int red, green, blue;
};

// A pixel of the back buffer of a GL window, origin at the lower left.
class Fl_Gl_Window;
Pixel readPixel(Fl_Gl_Window& window, int x, int y);

::testing::AssertionResult colourNear(const Pixel& p, float red, float green, float blue, int tolerance = 3);

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a grid file into the test's directory.
    std::string grid(const std::string& name, int rows, int cols, const std::vector<float>& values,
                     double cellsize = 1);
    // Opens a DEM (and a comparison file) as the open dialog does.
    bool open(const std::string& dem, const std::string& comparison = "", int fileType = 3, int interval = 0,
              int treeline = 4100, int slope = 10);

    // Draws one frame into the back buffer. The first frame after an Open still has the
    // identity projection, so frame() draws twice unless once is asked for.
    void frame(bool once = false);
    Pixel pixel(int x, int y);  // window coordinates, origin at the lower left
    // Where a scene point of the mesh (already mirrored: x, -y, z) lands in the window,
    // with the matrices of the last frame.
    bool project(float x, float y, float z, int& wx, int& wy);
    // The window position of grid point (row, col) of mt at its height.
    bool projectGridPoint(float row, float col, int& wx, int& wy);

    std::unique_ptr<MyWindow> view;
    TempDir dir;
};
