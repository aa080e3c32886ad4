// Frames of generated grids drawn by the real widget, read back pixel by pixel. Lighting
// is switched off where a test checks exact colours, so a pixel shows the colour given.

#include <GL/gl.h>

#include <vector>

#include "analysis/curvature.h"
#include "analysis/slope.h"
#include "model/mesh.h"
#include "model/mountain.h"
#include "tests/support/gl_view.h"
#include "tests/support/grid_files.h"
#include "view/view_state.h"

namespace {

class RenderTest : public ViewTest {
protected:
    // Looks straight down on the grid, unlit.
    void topViewUnlit()
    {
        eyevalue = -100.5f;
        xrotation = 180;
        zrotation = 180;
        lighting = 0;
    }
    Pixel at(float row, float col)
    {
        int x = 0, y = 0;
        EXPECT_TRUE(projectGridPoint(row, col, x, y)) << "grid point " << row << ", " << col;
        return pixel(x, y);
    }
};

const float RED_CODE[3] = {1.0f, 0.0f, 0.2f};

TEST_F(RenderTest, GreyBeforeAnyOpen)
{
    frame();
    EXPECT_TRUE(colourNear(pixel(5, 5), 0.7f, 0.7f, 0.7f));
    EXPECT_TRUE(colourNear(pixel(600, 600), 0.7f, 0.7f, 0.7f));
}

TEST_F(RenderTest, FirstFrameAfterOpenHasOnlyTheBackground)
{
    drawTriangles = true;
    topViewUnlit();
    open(grid("dem.grd", 10, 10, flat(10, 10, 500)));
    frame(true);
    EXPECT_TRUE(colourNear(pixel(312, 312), 0.9f, 0.9f, 1.0f));
    frame(true);
    EXPECT_TRUE(colourNear(pixel(312, 312), 0.3f, 0.5f, 0.3f));
}

TEST_F(RenderTest, TreelineAndSteepnessGiveTheTwoGreens)
{
    drawTriangles = true;
    topViewUnlit();
    // Columns 0-19 flat at 1000, columns 20-39 flat at 5000: below and above the treeline.
    open(grid("dem.grd", 30, 40, surface(30, 40, [](int, int c) { return c < 20 ? 1000.0 : 5000.0; }), 100));
    frame();
    EXPECT_TRUE(colourNear(at(15, 8), 0.3f, 0.5f, 0.3f));
    EXPECT_TRUE(colourNear(at(15, 30), 0.4f, 0.5f, 0.4f));

    // A slope of 45 degrees everywhere: steep inside, but the border bands have no
    // gradient and stay green.
    resetModel();
    open(grid("steep.grd", 30, 30, plane(30, 30, 1000, 0, 10), 10));
    frame();
    EXPECT_TRUE(colourNear(at(15, 15), 0.4f, 0.5f, 0.4f));
    EXPECT_TRUE(colourNear(at(15, 0.5f), 0.3f, 0.5f, 0.3f));
}

TEST_F(RenderTest, VegetationGreensFollowTheTreelineAndNewHeights)
{
    // The vegetation rule's answers are remembered from frame to frame.
    drawTriangles = true;
    topViewUnlit();
    ASSERT_TRUE(open(grid("dem.grd", 20, 20, flat(20, 20, 3000), 100)));
    frame();
    EXPECT_TRUE(colourNear(at(10.5f, 10.5f), 0.3f, 0.5f, 0.3f));
    TREELINE = 2000;
    frame();
    EXPECT_TRUE(colourNear(at(10.5f, 10.5f), 0.4f, 0.5f, 0.4f));
    ASSERT_TRUE(open(grid("dem2.grd", 20, 20, flat(20, 20, 3500), 100)));  // treeline 4100 again
    frame();
    EXPECT_TRUE(colourNear(at(10.5f, 10.5f), 0.3f, 0.5f, 0.3f));
    ASSERT_TRUE(open(grid("dem3.grd", 20, 20, flat(20, 20, 5000), 100)));
    frame();
    EXPECT_TRUE(colourNear(at(10.5f, 10.5f), 0.4f, 0.5f, 0.4f));
}

TEST_F(RenderTest, CurvatureSpikeIsRedAndOverDifferenceColours)
{
    drawTriangles = true;
    topViewUnlit();
    std::vector<float> dem = flat(12, 12, 1000);
    dem[5 * 12 + 5] = 1050;
    // The comparison is 10 below the DEM on row 8 (50 percent of interval 20).
    std::vector<float> cmp = surface(12, 12, [](int r, int) { return r == 8 ? 990.0 : 0.0; });
    cmp[5 * 12 + 5] = 990;
    ASSERT_TRUE(open(grid("dem.grd", 12, 12, dem, 10), grid("cmp.grd", 12, 12, cmp), 1, 20));
    drawCurveColor = true;
    drawDiffColor = true;
    frame();
    EXPECT_TRUE(colourNear(at(5.5f, 5.5f), RED_CODE[0], RED_CODE[1], RED_CODE[2]));    // curvature wins
    EXPECT_TRUE(colourNear(at(8.5f, 2.5f), 1.0f, 0.2f, 1.0f));                          // violet difference
    EXPECT_TRUE(colourNear(at(2.5f, 2.5f), 0.3f, 0.5f, 0.3f));                          // neither
    drawCurveColor = false;
    frame();
    EXPECT_TRUE(colourNear(at(5.5f, 5.5f), 1.0f, 0.2f, 1.0f));
}

TEST_F(RenderTest, ContourCellsAreGreyedOut)
{
    drawTriangles = true;
    topViewUnlit();
    const std::vector<float> cmp = surface(10, 10, [](int r, int) { return r == 4 ? 1000.0 : 0.0; });
    ASSERT_TRUE(open(grid("dem.grd", 10, 10, flat(10, 10, 1000), 10), grid("cmp.grd", 10, 10, cmp), 3));
    drawContours = true;
    frame();
    EXPECT_TRUE(colourNear(at(4.25f, 3.25f), 0.7f, 0.7f, 0.7f));
    EXPECT_TRUE(colourNear(at(6.25f, 3.25f), 0.3f, 0.5f, 0.3f));
}

TEST_F(RenderTest, HeightRampWinsOverSlopeColours)
{
    drawTriangles = true;
    topViewUnlit();
    open(grid("dem.grd", 20, 20, plane(20, 20, 100, 0, 30), 100));
    drawColors = true;
    colorSlope = true;
    frame();
    // The cell's first triangle looks up column 2, 60 above zmin of a 570 range: first
    // third, 0.3 + 0.7 * 60 / 190 green.
    EXPECT_TRUE(colourNear(at(10.25f, 2.25f), 0.0f, 0.3f + 0.7f * 60 / 190, 0.0f));
    // Its second triangle looks up the next column, 90 above zmin.
    EXPECT_TRUE(colourNear(at(10.75f, 2.75f), 0.0f, 0.3f + 0.7f * 90 / 190, 0.0f));
    drawColors = false;
    frame();
    // A plane rising along the columns has its gradient across them: angle 0, white.
    EXPECT_TRUE(colourNear(at(10.5f, 8.5f), 1.0f, 1.0f, 1.0f));
}

TEST_F(RenderTest, FlatHeightRangeGetsTheFixedDarkGreen)
{
    drawTriangles = true;
    topViewUnlit();
    open(grid("dem.grd", 10, 10, plane(10, 10, 100, 0.1, 0.1)));
    drawColors = true;
    frame();
    EXPECT_TRUE(colourNear(at(5.5f, 5.5f), 0.0f, 0.3f, 0.0f));
}

TEST_F(RenderTest, DifferenceNeedlesRiseFromTheSurface)
{
    drawTriangles = true;
    eyevalue = -100;
    xrotation = -90;  // side view: the needles stand upright
    zrotation = 0;
    lighting = 0;
    std::vector<float> cmp(15 * 15, 0.0f);
    cmp[7 * 15 + 7] = 900;  // DEM 1000 is above: a blue needle
    ASSERT_TRUE(open(grid("dem.grd", 15, 15, flat(15, 15, 1000), 100), grid("cmp.grd", 15, 15, cmp), 1, 20));
    drawDiff = true;
    frame();
    const MeshGeometry mesh(mt);
    const float length = mt.zscale * 100 + 0.05f;
    int x = 0, y = 0;
    ASSERT_TRUE(project(mesh.x(7), -mesh.y(8), mesh.z(1000) + 0.5f + length / 2, x, y));
    bool found = false;
    for (int dx = -1; dx <= 1 && !found; dx++)
        found = colourNear(pixel(x + dx, y), 0.3f, 0.3f, 0.9f);
    EXPECT_TRUE(found);
}

TEST_F(RenderTest, PointModeDrawsOnePointPerTriangle)
{
    topViewUnlit();
    open(grid("dem.grd", 5, 5, flat(5, 5, 100)));
    frame();
    EXPECT_TRUE(colourNear(at(1, 1), 0.3f, 0.5f, 0.3f, 8));   // the first vertex of cell (1, 1)
    EXPECT_TRUE(colourNear(at(1.5f, 1.5f), 0.9f, 0.9f, 1.0f));  // inside the cell: background
    drawTriangles = true;
    frame();
    EXPECT_TRUE(colourNear(at(1.5f, 1.5f), 0.3f, 0.5f, 0.3f));
}

TEST_F(RenderTest, ProfileCutRemovesTheLastRowsOfCells)
{
    drawTriangles = true;
    topViewUnlit();
    open(grid("dem.grd", 12, 12, flat(12, 12, 100)));
    plotProfile = true;
    profileYpos = 2;
    frame();
    // p = 2 leaves out the last three rows of cells (rows 8, 9 and 10).
    EXPECT_TRUE(colourNear(at(7.5f, 5.5f), 0.3f, 0.5f, 0.3f));
    EXPECT_TRUE(colourNear(at(8.5f, 5.5f), 0.9f, 0.9f, 1.0f));
    EXPECT_TRUE(colourNear(at(10.5f, 5.5f), 0.9f, 0.9f, 1.0f));
    profileYpos = 0;
    frame();
    EXPECT_TRUE(colourNear(at(9.5f, 5.5f), 0.3f, 0.5f, 0.3f));
    EXPECT_TRUE(colourNear(at(10.5f, 5.5f), 0.9f, 0.9f, 1.0f));
}

TEST_F(RenderTest, DragPreviewOfALargeGridOutlinesCoarseCells)
{
    drawTriangles = true;
    topViewUnlit();
    eyevalue = -20;  // just beyond the near plane: a cell spans several pixels
    const int size = 502;  // 251001 cells: coarse cells of 2 x 2
    ASSERT_TRUE(open(grid("dem.grd", size, size, flat(size, size, 100))));
    // Pixels of a colour in the 3 x 3 square around a grid point.
    const auto near = [&](float row, float col, const float* rgb) {
        int x = 0, y = 0;
        EXPECT_TRUE(projectGridPoint(row, col, x, y));
        int count = 0;
        for (int dx = -1; dx <= 1; dx++)
            for (int dy = -1; dy <= 1; dy++)
                count += colourNear(pixel(x + dx, y + dy), rgb[0], rgb[1], rgb[2]);
        return count;
    };
    const float darkGreen[3] = {0, 0.3f, 0};  // the height ramp of a flat grid
    buttonState = true;
    frame();
    // The coarse cell from (250, 250) to (252, 252): on its left edge a line, on the
    // edge between its fine cells none.
    EXPECT_GT(near(251, 250, MountainGreen), 0);
    EXPECT_EQ(near(250.5f, 251, BACKGROUND), 9);
    drawColors = true;  // switched during the drag: the preview follows
    frame();
    EXPECT_GT(near(251, 250, darkGreen), 0);
    buttonState = false;
    frame();
    EXPECT_EQ(near(250.5f, 251, darkGreen), 9);
}

TEST_F(RenderTest, TheDragPreviewLeavesOutCoarseCellsThatReadAnInvalidPoint)
{
    drawTriangles = true;
    topViewUnlit();
    eyevalue = -20;
    ASSERT_TRUE(open(grid("dem.grd", 502, 502, flat(502, 502, 100))));  // coarse cells of 2 x 2
    // A far corner of the coarse cells from (250, 250) and (250, 252), just below the
    // terrain: a line down to it would lie over the grid.
    mt.grid[252][252] = mt.nodata_value = 99;
    mt.hasNodata = maskNodata = true;
    buttonState = true;
    frame();
    int x = 0, y = 0;
    ASSERT_TRUE(projectGridPoint(251, 252, x, y));  // the left edge of the coarse cell from (250, 252)
    for (int d = 0; d < 9; d++)
        EXPECT_TRUE(colourNear(pixel(x + d % 3 - 1, y + d / 3 - 1), BACKGROUND[0], BACKGROUND[1], BACKGROUND[2]));
}

TEST_F(RenderTest, DragOfAGridOfAtMost100000PointsDrawsEveryOtherTriangle)
{
    drawTriangles = true;
    topViewUnlit();
    eyevalue = -20;
    ASSERT_TRUE(open(grid("dem.grd", 400, 250, flat(400, 250, 100))));  // exactly 100000 points
    buttonState = true;
    frame();
    EXPECT_TRUE(colourNear(at(200.25f, 125.25f), 0.3f, 0.5f, 0.3f));  // a cell's first triangle
    EXPECT_TRUE(colourNear(at(200.75f, 125.75f), 0.9f, 0.9f, 1.0f));  // its second
    buttonState = false;
    frame();
    EXPECT_TRUE(colourNear(at(200.75f, 125.75f), 0.3f, 0.5f, 0.3f));
}

TEST_F(RenderTest, LitFramesFollowTheSameRulesBandByBand)
{
    // Lit frames are drawn from vertex arrays; 70 x 70 points make 9522 triangles, several
    // bands. Lighting shades the colours, so only which channel leads is checked.
    drawTriangles = true;
    topViewUnlit();
    lighting = 1;
    std::vector<float> dem = flat(70, 70, 1000);
    dem[40 * 70 + 40] = 1200;
    ASSERT_TRUE(open(grid("dem.grd", 70, 70, dem, 10)));
    drawCurveColor = true;
    frame();
    const Pixel ground = at(60.5f, 10.5f);  // in the last band
    EXPECT_GT(ground.green, ground.red);
    EXPECT_GT(ground.green, ground.blue);
    const Pixel spike = at(40.5f, 40.5f);
    EXPECT_GT(spike.red, spike.green);
    const float* bg = BACKGROUND;
    plotProfile = true;
    profileYpos = 2;  // rows of cells from 66 on are cut
    frame();
    EXPECT_FALSE(colourNear(at(64.5f, 30.5f), bg[0], bg[1], bg[2]));
    EXPECT_TRUE(colourNear(at(68.5f, 30.5f), bg[0], bg[1], bg[2]));
    plotProfile = false;
    drawTriangles = false;  // one point per triangle, at its first vertex
    frame();
    EXPECT_FALSE(colourNear(at(60, 10), bg[0], bg[1], bg[2], 8));
    EXPECT_TRUE(colourNear(at(60.5f, 10.5f), bg[0], bg[1], bg[2]));
}

TEST_F(RenderTest, AxesAreRedBlueAndYellow)
{
    topViewUnlit();  // x and y axes seen flat, the z axis end-on
    open(grid("dem.grd", 3, 3, flat(3, 3, 100), 0.01));
    drawAxes = true;
    frame();
    int x, y;
    ASSERT_TRUE(project(1.1f, 0, 0, x, y));
    EXPECT_TRUE(colourNear(pixel(x, y), 1, 0, 0));
    ASSERT_TRUE(project(0, 1.1f, 0, x, y));
    EXPECT_TRUE(colourNear(pixel(x, y), 0, 0, 1));
    xrotation = -90;  // side view: the z axis stands upright
    zrotation = 0;
    frame();
    ASSERT_TRUE(project(0, 0, 1.1f, x, y));
    EXPECT_TRUE(colourNear(pixel(x, y), 1, 1, 0));
}

TEST_F(RenderTest, HeightClassesWithoutAnIntervalKeepTheBaseColour)
{
    drawTriangles = true;
    topViewUnlit();
    open(grid("dem.grd", 8, 8, flat(8, 8, 1505)));
    testing::internal::CaptureStdout();
    view->heights(nullptr);  // interval 0 with a DEM alone: no table
    testing::internal::GetCapturedStdout();
    frame();
    EXPECT_TRUE(colourNear(at(3.5f, 3.5f), 0.3f, 0.5f, 0.3f));
}

TEST_F(RenderTest, HeightClassesWithEqualCountsUseTheLowestShade)
{
    drawTriangles = true;
    topViewUnlit();
    const std::vector<float> dem = surface(10, 10, [](int r, int c) { return 1500.0 + (r * 10 + c) % 5; });
    ASSERT_TRUE(open(grid("dem.grd", 10, 10, dem), grid("cmp.grd", 10, 10, flat(10, 10, 0)), 1, 5));
    testing::internal::CaptureStdout();
    view->heights(nullptr);
    testing::internal::GetCapturedStdout();
    frame();
    EXPECT_TRUE(colourNear(at(4.5f, 4.5f), 0.2f, 0.6f, 0.3f));
}

TEST_F(RenderTest, MaskedCellsAreNotDrawn)
{
    drawTriangles = true;
    topViewUnlit();
    GridHeader header;
    header.nrows = header.ncols = 21;
    header.hasNodata = true;
    std::vector<float> heights = flat(21, 21, 100);
    heights[10 * 21 + 10] = -9999;
    const std::string path = dir.file("hole.grd");
    writeGridFile(path, header, heights);
    ASSERT_TRUE(open(path));
    view->changeOptions(true, false);
    frame();
    EXPECT_TRUE(colourNear(pixel(312, 312), 0.9f, 0.9f, 1.0f));  // the background through the hole
    EXPECT_TRUE(colourNear(pixel(200, 200), 0.3f, 0.5f, 0.3f));
}

TEST_F(RenderTest, RefusedLoadsKeepTheTerrainDrawn)
{
    drawTriangles = true;
    topViewUnlit();
    ASSERT_TRUE(open(grid("dem.grd", 10, 10, flat(10, 10, 100))));
    frame();
    EXPECT_TRUE(colourNear(pixel(312, 312), 0.3f, 0.5f, 0.3f));
    const std::string refused = dir.file("short.grd");
    writeText(refused, "ncols 10\nnrows 10\nxllcorner 0\nyllcorner 0\ncellsize 1\n1\n");
    ASSERT_FALSE(open(refused));
    ASSERT_FALSE(open(grid("dem2.grd", 10, 10, flat(10, 10, 100)), grid("cmp.grd", 9, 10, flat(9, 10, 90)), 1, 20));
    frame();
    EXPECT_TRUE(colourNear(pixel(312, 312), 0.3f, 0.5f, 0.3f));
}

}  // namespace
