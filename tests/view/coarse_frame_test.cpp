// The level of detail of still frames: the worst levels of coarse cells on generated
// grids, the step a view chooses, and the frame of a grid with isolated spikes.

#include <GL/gl.h>

#include <algorithm>
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

// Isolated spikes of +20 on flat ground at 1000: each is level 3 at its own cell, the cell
// whose first corner it is, and none is closer to another than 5 points.
std::vector<std::pair<int, int>> spikePlaces(int rows, int cols, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::pair<int, int>> places;
    while (int(places.size()) < count) {
        const int r = 2 + int(random() % unsigned(rows - 4)), c = 2 + int(random() % unsigned(cols - 4));
        const bool isolated = std::none_of(places.begin(), places.end(), [&](const std::pair<int, int>& p) {
            return std::abs(p.first - r) < 5 && std::abs(p.second - c) < 5;
        });
        if (isolated)
            places.emplace_back(r, c);
    }
    return places;
}

std::vector<float> spikes(int rows, int cols, const std::vector<std::pair<int, int>>& places)
{
    std::vector<float> heights = flat(rows, cols, 1000);
    for (const auto& [r, c] : places)
        heights[std::size_t(r) * std::size_t(cols) + std::size_t(c)] = 1020;
    return heights;
}

TEST(CoarseMesh, EverySpikeColoursTheCoarseCellCoveringIt)
{
    const int rows = 203, cols = 157;  // no step divides the cells evenly
    const auto places = spikePlaces(rows, cols, 40, 7);
    ViewGrid grid(rows, cols, spikes(rows, cols, places));
    const CurvatureResult fine = curvatureLevels(grid.view, 1.0f);
    for (int step : {1, 2, 3, 7, 16, 155, 400}) {
        SCOPED_TRACE(step);
        const CoarseMesh coarse = coarseMesh(rows - 1, cols - 1, fine.levels.data(), nullptr, step);
        ASSERT_EQ(coarse.rows, (rows - 1 + step - 1) / step);
        ASSERT_EQ(coarse.cols, (cols - 1 + step - 1) / step);
        int red = 0;
        for (int r = 0; r < coarse.rows; r++)
            for (int c = 0; c < coarse.cols; c++) {
                EXPECT_EQ(coarse.at(r, c).diff, 0);
                red += curvatureLevelColour(coarse.at(r, c).curve) == RED;
            }
        for (const auto& [r, c] : places)
            EXPECT_EQ(curvatureLevelColour(coarse.at(r / step, c / step).curve), RED) << r << ", " << c;
        // A spike's four neighbours are level 3 too: five cells, which coarse cells of two
        // cells or more hold in at most four.
        if (step == 1)
            EXPECT_EQ(red, 5 * int(places.size()));
        else
            EXPECT_LE(red, 4 * int(places.size()));
    }
}

// Against a plain maximum over each coarse cell's fine cells, on random levels.
TEST(CoarseMesh, WorstLevelsMatchAPlainMaximum)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    for (int trial = 0; trial < 30; trial++) {
        const int cellRows = 1 + int(random() % 60), cellCols = 1 + int(random() % 60);
        const int step = 1 + int(random() % 20);
        std::vector<std::uint8_t> curve(std::size_t(cellRows) * std::size_t(cellCols));
        std::vector<std::uint8_t> diff(curve.size());
        for (std::size_t i = 0; i < curve.size(); i++) {
            curve[i] = random() % 50 == 0 ? std::uint8_t(random() % 4) : 0;
            diff[i] = std::uint8_t(random() % 5);
        }
        const CoarseMesh coarse = coarseMesh(cellRows, cellCols, curve.data(), diff.data(), step);
        for (int r = 0; r < cellRows; r++)
            for (int c = 0; c < cellCols; c++) {
                const CellLevels worst = coarse.at(r / step, c / step);
                const std::size_t k = std::size_t(r) * std::size_t(cellCols) + std::size_t(c);
                ASSERT_GE(worst.curve, curve[k]);
                ASSERT_GE(worst.diff, diff[k]);
            }
        for (int r = 0; r < coarse.rows; r++)
            for (int c = 0; c < coarse.cols; c++) {
                CellLevels plain;
                for (int fr = r * step; fr < std::min((r + 1) * step, cellRows); fr++)
                    for (int fc = c * step; fc < std::min((c + 1) * step, cellCols); fc++) {
                        const std::size_t k = std::size_t(fr) * std::size_t(cellCols) + std::size_t(fc);
                        plain.curve = std::max(plain.curve, curve[k]);
                        plain.diff = std::max(plain.diff, diff[k]);
                    }
                ASSERT_EQ(coarse.at(r, c).curve, plain.curve) << trial;
                ASSERT_EQ(coarse.at(r, c).diff, plain.diff) << trial;
            }
    }
}

TEST(CoarseMesh, StepOfACellThatSpansAPixelAlreadyIsOne)
{
    EXPECT_EQ(levelOfDetailStep(0.1f, 100), 1);
    EXPECT_EQ(levelOfDetailStep(0.0002f, 0), 1);
    EXPECT_EQ(levelOfDetailStep(0, 100), 1);
    // Twice as far, about twice the step.
    const int near = levelOfDetailStep(0.0002f, 100), far = levelOfDetailStep(0.0002f, 200);
    EXPECT_GT(near, 1);
    EXPECT_NEAR(far, 2 * near, 1);
}

class CoarseFrameTest : public ViewTest {};

// A grid of a given size, its scaling made, without heights: enough for the choice.
void sized(mountain& m, int rows, int cols)
{
    m.nrows = rows;
    m.ncols = cols;
    m.cellsize = 10;
    m.convert_to_triangles(1);
}

TEST_F(CoarseFrameTest, OnlyGridsAboveFourMillionCellsAndOnlyWithoutFullResolution)
{
    mountain m;
    sized(m, 2001, 2000);  // 3998000 cells
    EXPECT_EQ(stillLevelOfDetail(m), nullptr);
    m.releaseLevels();
    sized(m, 2001, 2002);  // 4002000 cells
    const CoarseMesh* coarse = stillLevelOfDetail(m);
    ASSERT_NE(coarse, nullptr);
    EXPECT_GT(coarse->step, 1);
    setFullResolutionFrames(true);
    EXPECT_EQ(stillLevelOfDetail(m), nullptr);
    setFullResolutionFrames(false);
    // Memory for the grid but not for its coarse levels: drawn in full.
    resetCoarseFrame();
    drawCurveColor = true;
    memoryCeiling = bytesNeeded(2001, 2002, gridUse) + 1000;
    EXPECT_EQ(stillLevelOfDetail(m), nullptr);
    memoryCeiling = 0;
    EXPECT_NE(stillLevelOfDetail(m), nullptr);
}

TEST_F(CoarseFrameTest, SpikesOfAGridLargerThanTheScreenShowWhereTheyAre)
{
    const int size = 4000;
    const auto places = spikePlaces(size, size, 12, 11);
    ASSERT_TRUE(open(grid("spikes.grd", size, size, spikes(size, size, places), 10)));
    drawTriangles = true;
    drawCurveColor = true;
    eyevalue = -100.5f;  // straight down, unlit
    xrotation = 180;
    zrotation = 180;
    lighting = 0;
    frame();
    const CoarseMesh* coarse = stillLevelOfDetail(mt);
    ASSERT_NE(coarse, nullptr);
    int x0, y0, x1, y1;
    ASSERT_TRUE(projectGridPoint(2000, 2000, x0, y0));
    ASSERT_TRUE(projectGridPoint(2000, 2000 + float(coarse->step), x1, y1));
    const int across = std::abs(x1 - x0) + std::abs(y1 - y0);
    EXPECT_GE(across, 1);
    EXPECT_LE(across, 2);
    for (const auto& [r, c] : places) {
        int x, y;
        ASSERT_TRUE(projectGridPoint(float(r), float(c), x, y));
        bool red = false;
        for (int dy = -2; dy <= 2 && !red; dy++)
            for (int dx = -2; dx <= 2 && !red; dx++)
                red = colourNear(pixel(x + dx, y + dy), 1.0f, 0.0f, 0.2f);
        EXPECT_TRUE(red) << "spike at " << r << ", " << c << " (pixel " << x << ", " << y << ")";
    }
    // Ground far from every spike keeps its green.
    for (float at : {1000.5f, 3000.5f}) {
        const bool far = std::all_of(places.begin(), places.end(), [at](const std::pair<int, int>& p) {
            return std::fabs(p.first - at) > 100 || std::fabs(p.second - at) > 100;
        });
        int x, y;
        ASSERT_TRUE(projectGridPoint(at, at, x, y));
        if (far) {
            EXPECT_TRUE(colourNear(pixel(x, y), 0.3f, 0.5f, 0.3f)) << at;
        }
    }

    // Zooming out takes a larger step; turning the view keeps it.
    const int step = coarse->step;
    zrotation = 90;
    frame(true);
    EXPECT_EQ(stillLevelOfDetail(mt)->step, step);
    eyevalue = -150;
    EXPECT_GT(stillLevelOfDetail(mt)->step, step);
}

}  // namespace
