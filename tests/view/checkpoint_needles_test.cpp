// Checkpoint needles in frames of the real view: looked at from above, a needle is its dot,
// in the colour its |d| grades to against the interval, and only while the "Contour\Initial
// Data" switch is on.

#include <string>

#include "analysis/current_reference.h"
#include "tests/support/gl_view.h"
#include "tests/support/grid_files.h"
#include "view/colours.h"
#include "view/view_state.h"

namespace {

TEST_F(ViewTest, CheckpointNeedlesShowTheGradeOfTheirDifferenceAtTheirPlace)
{
    const auto at = [this](int row, int col) {
        int x = 0, y = 0;
        EXPECT_TRUE(projectGridPoint(row, col, x, y));
        return pixel(x, y);
    };
    drawTriangles = true;
    eyevalue = -100.5f;
    xrotation = 180;
    zrotation = 180;
    lighting = 0;
    // Grid point (r, c) of this DEM stands at x = 10 c + 5, y = 205 - 10 r; without a
    // comparison set the interval is 20.
    ASSERT_TRUE(open(grid("dem.grd", 21, 21, flat(21, 21, 1000), 10)));
    const std::string points = dir.file("points.csv");
    writeText(points, "x,y,z\n55,155,1006\n105,105,1002.5\n155,55,1000.5\n");
    ASSERT_EQ(loadCheckpoints(points).problem, "");
    const struct {
        int at;  // row and column
        Rgb colour;
    } needles[] = {{5, {1.0f, 0.2f, 1.0f}},    // 30 % of the interval: violet
                   {10, {1.0f, 0.6f, 0.2f}},   // 12.5 %: orange
                   {15, {1.0f, 1.0f, 1.0f}}};  // 2.5 %: white
    frame();
    for (const auto& n : needles)
        EXPECT_TRUE(colourNear(at(n.at, n.at), 0.3f, 0.5f, 0.3f)) << n.at;
    drawContours = true;
    frame();
    for (const auto& n : needles)
        EXPECT_TRUE(colourNear(at(n.at, n.at), n.colour.red, n.colour.green, n.colour.blue)) << n.at;
    EXPECT_TRUE(colourNear(at(10, 5), 0.3f, 0.5f, 0.3f));  // the terrain between them
}

}  // namespace
