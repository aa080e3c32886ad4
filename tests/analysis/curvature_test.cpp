#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/curvature.h"
#include "model/colour_codes.h"
#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/view_grid.h"

namespace {

class CurvatureTest : public ModelTest {};

int cellColour(int r, int c) { return curvatureLevelColour(mt.curveLevels[r * (mt.ncols - 1) + c]); }

TEST_F(CurvatureTest, APlaneHasNoCurvature)
{
    buildDem(6, 7, plane(6, 7, 500, 3.5, -2.25));
    EXPECT_EQ(cArrayCount, 4 * 5);
    EXPECT_EQ(mt.totalSq(), 0.0f);
    EXPECT_EQ(mt.maxCurve(), 0.0f);
    EXPECT_EQ(C, 30);
    EXPECT_EQ(C15 + C10 + C5, 0);
    for (int i = 0; i < cArrayCount; i++)
        EXPECT_EQ(cArray[i], 0.0f);
}

TEST_F(CurvatureTest, ASpikeShowsAtItselfAndItsFourNeighbours)
{
    buildDem(5, 5, spike(5, 5, 0, 2, 2, 10));
    // Pass order: points (1,1) (1,2) (1,3) (2,1) (2,2) (2,3) (3,1) (3,2) (3,3).
    const std::vector<float> expected = {0, 10, 0, 10, 40, 10, 0, 10, 0};
    ASSERT_EQ(cArrayCount, 9);
    EXPECT_EQ(std::vector<float>(cArray, cArray + 9), expected);
    EXPECT_EQ(mt.totalSq(), 2000.0f);
    EXPECT_EQ(mt.maxCurve(), 40.0f);
    EXPECT_EQ(cArrayMax, 40.0f);
    EXPECT_EQ(cArrayMin, 0.0f);
    EXPECT_EQ(C15, 5);
    EXPECT_EQ(C10, 0);
    EXPECT_EQ(C5, 0);
    EXPECT_EQ(C, 11);
    EXPECT_EQ(TOTAL_SQ, 2000.0f);
    EXPECT_EQ(MAX_CURVE, 40.0f);
    EXPECT_EQ(mt.curveCounts()[0], 5);
    EXPECT_EQ(mt.curveCounts()[3], 11);
    EXPECT_EQ(cellColour(2, 2), RED);
    EXPECT_EQ(cellColour(1, 2), RED);
    EXPECT_EQ(cellColour(1, 1), MOUNTAINGREEN);
    EXPECT_EQ(cellColour(0, 2), MOUNTAINGREEN);  // first row of cells carries no value
}

TEST_F(CurvatureTest, TheKernelGradesTheGridItIsGivenInTheRoomItIsGiven)
{
    ViewGrid g(5, 5, spike(5, 5, 0, 2, 2, 10));
    g.values[24] = NAN;  // point (4, 4): only cell (3, 3) reads it
    LargeVector<std::uint8_t> room(16, 9);
    const std::uint8_t* given = room.data();
    const CurvatureResult r = curvatureLevels(g.view, 1, std::move(room));
    EXPECT_EQ(r.levels.data(), given);
    EXPECT_EQ(std::vector<float>(r.figures.values.data, r.figures.values.data + r.figures.count),
              (std::vector<float>{0, 10, 0, 10, 40, 10, 0, 10}));
    EXPECT_EQ(r.figures.counts[0], 5);
    EXPECT_EQ(r.figures.counts[3], 10);  // the masked cell counts in no level
    EXPECT_EQ(r.levels[15], 0);
    EXPECT_EQ(cArrayCount, 0);  // nothing published
}

TEST_F(CurvatureTest, LevelsAreStrictMultiplesOfTheUnit)
{
    struct Case {
        float unit, kappa;
        int colour;
    } cases[] = {
        {1, 3.01f, RED},   {1, 3, ORANGE},    {1, 2.5f, ORANGE}, {1, 2, YELLOW},
        {1, 1.5f, YELLOW}, {1, 1, MOUNTAINGREEN}, {2, 4, YELLOW},    {2, 4.5f, ORANGE},
        {2, 6.5f, RED},    {0.5f, 1, YELLOW}, {0.5f, 1.25f, ORANGE}, {0.5f, 0.25f, MOUNTAINGREEN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "unit " << c.unit << " kappa " << c.kappa);
        EXPECT_EQ(curvatureColour(c.kappa, c.unit), c.colour);
        // The same value through a whole pass: a 3 x 3 grid whose centre sits kappa / 4 high.
        units = c.unit;
        buildDem(3, 3, spike(3, 3, 0, 1, 1, c.kappa / 4));
        ASSERT_EQ(cArrayCount, 1);
        EXPECT_EQ(cArray[0], c.kappa);
        EXPECT_EQ(cellColour(1, 1), c.colour);
    }
}

TEST_F(CurvatureTest, ThinGridsStoreNoValue)
{
    cArrayMax = cArrayMin = 77;
    buildDem(2, 6, plane(2, 6, 0, 1, 1));
    EXPECT_EQ(cArrayCount, 0);
    EXPECT_EQ(cArrayMax, 0.0f);
    EXPECT_EQ(cArrayMin, 0.0f);
    EXPECT_EQ(C, 5);
}

TEST_F(CurvatureTest, ChangingTheUnitRegradesButKeepsTheValues)
{
    buildDem(5, 5, spike(5, 5, 0, 2, 2, 10));
    const std::vector<float> before(cArray, cArray + cArrayCount);
    units = 5;
    mt.compute_curve_color();
    EXPECT_EQ(std::vector<float>(cArray, cArray + cArrayCount), before);
    EXPECT_EQ(mt.totalSq(), 2000.0f);
    EXPECT_EQ(C15, 1);  // 40 > 15; the tens are level 1 now (10 > 5, not > 10)
    EXPECT_EQ(C10, 0);
    EXPECT_EQ(C5, 4);
    EXPECT_EQ(C, 11);
}

TEST_F(CurvatureTest, MinimumFollowsTheSmallestValue)
{
    buildDem(4, 4, {0, 0, 0, 0, 0, 8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    // (1,1): |0+0+1+0-32| = 31, (1,2): |0+8+0+0-4| = 4, (2,1): |8+0+0+0| = 8, (2,2): |1| = 1.
    EXPECT_EQ(std::vector<float>(cArray, cArray + 4), (std::vector<float>{31, 4, 8, 1}));
    EXPECT_EQ(cArrayMin, 1.0f);
    EXPECT_EQ(cArrayMax, 31.0f);
}

TEST_F(CurvatureTest, SumOfSquaresStaysExactOnLargeGrids)
{
    // A checkerboard of 0 and 0.75 has curvature 3 at every interior point: the sum of
    // about two million nines passes 2^24, where a float accumulator starts to drift.
    const int rows = 1400, cols = 1400;
    buildDem(rows, cols, surface(rows, cols, [](int r, int c) { return (r + c) % 2 ? 0.75 : 0.0; }));
    const double points = double(rows - 2) * (cols - 2);
    EXPECT_EQ(cArrayCount, int(points));
    EXPECT_EQ(mt.totalSq(), static_cast<float>(9 * points));
    EXPECT_EQ(C15, 0);
    EXPECT_EQ(C10, int(points));
}

}  // namespace
