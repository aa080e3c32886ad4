// The level of detail of still frames, on grids with isolated spikes.

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "analysis/curvature.h"
#include "model/colour_codes.h"
#include "model/memory_need.h"
#include "model/mountain.h"
#include "tests/support/gl_view.h"
#include "tests/support/grid_files.h"
#include "tests/support/view_grid.h"
#include "view/coarse_frame.h"
#include "view/view_state.h"

namespace {

using Places = std::vector<std::pair<int, int>>;

// Spikes of +20 on flat ground at 1000, 5 points apart at least: level 3 at the cell whose
// first corner a spike is, and at the cells of its four neighbours.
std::vector<float> spikes(int rows, int cols, int count, Places& places)
{
    std::mt19937 random(11);
    std::vector<float> heights = flat(rows, cols, 1000);
    while (int(places.size()) < count) {
        const int r = 2 + int(random() % unsigned(rows - 4)), c = 2 + int(random() % unsigned(cols - 4));
        bool isolated = true;
        for (const auto& [pr, pc] : places)
            isolated = isolated && (std::abs(pr - r) >= 5 || std::abs(pc - c) >= 5);
        if (isolated) {
            places.emplace_back(r, c);
            heights[std::size_t(r) * std::size_t(cols) + std::size_t(c)] = 1020;
        }
    }
    return heights;
}

TEST(CoarseMesh, EverySpikeColoursTheCoarseCellCoveringIt)
{
    const int rows = 203, cols = 157;  // no step divides the cells evenly
    Places places;
    ViewGrid grid(rows, cols, spikes(rows, cols, 40, places));
    const CurvatureResult fine = curvatureLevels(grid.view, 1.0f);
    for (int step : {1, 2, 3, 7, 16, 155, 400}) {
        SCOPED_TRACE(step);
        const CoarseMesh coarse = coarseMesh(rows - 1, cols - 1, fine.levels.data(), nullptr, step);
        ASSERT_TRUE(coarse.rows == (rows + step - 2) / step && coarse.cols == (cols + step - 2) / step);
        int red = 0;
        for (int r = 0; r < coarse.rows; r++)
            for (int c = 0; c < coarse.cols; c++)
                red += curvatureLevelColour(coarse.at(r, c).curve) == RED;
        for (const auto& [r, c] : places)
            EXPECT_EQ(curvatureLevelColour(coarse.at(r / step, c / step).curve), RED) << r << ", " << c;
        // A spike's five cells lie in at most four coarse cells of two cells or more.
        EXPECT_LE(red, (step == 1 ? 5 : 4) * int(places.size()));
        EXPECT_GE(red, step == 1 ? 5 * int(places.size()) : 1);
    }
}

using CoarseFrameTest = ViewTest;

TEST_F(CoarseFrameTest, OnlyAboveFourMillionCellsWithoutFullResolutionAndWithMemory)
{
    mountain m;
    m.nrows = 2001, m.ncols = 2000, m.cellsize = 10;  // 3998000 cells
    drawTriangles = true;
    m.convert_to_triangles(1);
    EXPECT_EQ(stillLevelOfDetail(m), nullptr);
    m.ncols = 2002;  // 4002000
    m.convert_to_triangles(1);
    ASSERT_NE(stillLevelOfDetail(m), nullptr);
    setFullResolutionFrames(true);
    EXPECT_EQ(stillLevelOfDetail(m), nullptr);
    setFullResolutionFrames(false);
    resetCoarseFrame();
    drawCurveColor = true;
    memoryCeiling = bytesNeeded(2001, 2002, gridUse) + 1000;
    EXPECT_EQ(stillLevelOfDetail(m), nullptr);
    memoryCeiling = 0;
}

TEST_F(CoarseFrameTest, SpikesOfAGridLargerThanTheScreenShowWhereTheyAre)
{
    Places places;
    ASSERT_TRUE(open(grid("spikes.grd", 4000, 4000, spikes(4000, 4000, 12, places), 10)));
    drawTriangles = drawCurveColor = true;
    eyevalue = -100.5f, xrotation = 180, zrotation = 180, lighting = 0;  // straight down, unlit
    frame();
    const int step = stillLevelOfDetail(mt)->step;
    int x0, y0, x1, y1;
    ASSERT_TRUE(projectGridPoint(2000, 2000, x0, y0) && projectGridPoint(2000, 2000.0f + step, x1, y1));
    EXPECT_TRUE(std::abs(x1 - x0) + std::abs(y1 - y0) >= 1 && std::abs(x1 - x0) + std::abs(y1 - y0) <= 2);
    for (const auto& [r, c] : places) {
        int x, y, red = 0;
        ASSERT_TRUE(projectGridPoint(float(r), float(c), x, y));
        for (int dy = -2; dy <= 2; dy++)
            for (int dx = -2; dx <= 2; dx++)
                red += colourNear(pixel(x + dx, y + dy), 1.0f, 0.0f, 0.2f);
        EXPECT_GT(red, 0) << "spike at " << r << ", " << c;
        EXPECT_LT(red, 25) << "spike at " << r << ", " << c;
    }
    // Turning the view keeps the step, zooming out makes it larger, closer in smaller.
    zrotation = 90;
    EXPECT_EQ(stillLevelOfDetail(mt)->step, step);
    eyevalue = -150;
    EXPECT_GT(stillLevelOfDetail(mt)->step, step);
    eyevalue = -30;
    EXPECT_LT(stillLevelOfDetail(mt)->step, step);
}

TEST_F(CoarseFrameTest, PointsOfAGridLargerThanTheScreenLeaveNoBackgroundBetweenThem)
{
    Places places;
    ASSERT_TRUE(open(grid("spikes.grd", 4000, 4000, spikes(4000, 4000, 12, places), 10)));
    drawTriangles = false;
    eyevalue = -100.5f, xrotation = 180, zrotation = 180, lighting = 0;
    frame();
    int x0, y0, x1, y1;
    ASSERT_TRUE(projectGridPoint(200, 200, x0, y0) && projectGridPoint(3800, 3800, x1, y1));
    int background = 0;
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); y++)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); x++)
            background += colourNear(pixel(x, y), 0.9f, 0.9f, 1.0f);
    EXPECT_EQ(background, 0);
}

}  // namespace
