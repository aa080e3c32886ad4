#include <gtest/gtest.h>

#include <vector>

#include "analysis/curvature.h"
#include "analysis/profile.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

class ProfileTest : public ModelTest {
protected:
    // A 4 x 6 DEM whose row r has heights 100 + 10 r, cellsize 10.
    void SetUp() override
    {
        ModelTest::SetUp();
        buildDem(4, 6, plane(4, 6, 100, 10, 0), 10);
    }
    float X(int i) const { return (i * mt.cellsize - mt.movex) * mt.scalefactor; }
    float Z(float h) const { return (h - mt.zcenter) * mt.zscale; }
};

TEST_F(ProfileTest, PositionCountsRowsBackFromTheLast)
{
    ProfileGeometry g = profileGeometry(0);
    ASSERT_TRUE(g.valid);
    EXPECT_EQ(g.row, 3);
    EXPECT_FLOAT_EQ(g.y, (0 - mt.movey) * mt.scalefactor);
    EXPECT_FLOAT_EQ(g.yCut, (10 - mt.movey) * mt.scalefactor);
    g = profileGeometry(3);
    ASSERT_TRUE(g.valid);
    EXPECT_EQ(g.row, 0);
    EXPECT_FLOAT_EQ(g.zLow, Z(100) - 0.1f);
    EXPECT_FLOAT_EQ(g.zHigh, Z(130) + 0.1f);
    EXPECT_FALSE(profileGeometry(4).valid);  // a position left from a taller DEM
    EXPECT_FALSE(profileGeometry(-1).valid);
}

TEST_F(ProfileTest, TheLineIsAStaircaseWithoutAStepForTheLastColumn)
{
    mt.grid[2][1] = 150;
    const ProfileGeometry g = profileGeometry(1);  // row 2
    ASSERT_EQ(g.steps.size(), 4u * 5);
    EXPECT_EQ(g.steps[4], X(1));
    EXPECT_EQ(g.steps[5], Z(150));
    EXPECT_EQ(g.steps[6], X(2));
    EXPECT_EQ(g.steps[7], Z(150));
    EXPECT_EQ(g.steps[8], X(2));
    EXPECT_EQ(g.steps[9], Z(120));
    EXPECT_EQ(g.steps.back(), Z(120));
    EXPECT_EQ(g.steps[g.steps.size() - 2], X(5));
    EXPECT_TRUE(g.ticks.empty());  // no comparison data loaded
}

TEST_F(ProfileTest, TicksShowHowComparisonPointsLieAgainstTheDem)
{
    // Row 3 of the DEM is 130 everywhere; the comparison row holds, by column:
    // 0 (no tick), 133 (above), 128 (below), 131 (exactly one unit above: within),
    // -5 (a negative value is drawn), and the last column, which has no tick.
    std::vector<float> cmp(4 * 6, 0.0f);
    const float row[6] = {0, 133, 128, 131, -5, 140};
    for (int c = 0; c < 6; c++)
        cmp[3 * 6 + c] = row[c];
    setGrid(rd, 4, 6, cmp);
    multFiles = true;
    units = 1;
    const ProfileGeometry g = profileGeometry(0);
    ASSERT_EQ(g.ticks.size(), 4u);

    const ProfileTick& above = g.ticks[0];
    EXPECT_EQ(above.x, X(1));
    EXPECT_FLOAT_EQ(above.green, 1 - 0.2f * 3);
    EXPECT_EQ(above.red, 1.0f);
    EXPECT_FLOAT_EQ(above.zFrom, Z(133) + 0.1f);
    EXPECT_FLOAT_EQ(above.zTo, Z(133));

    const ProfileTick& below = g.ticks[1];
    EXPECT_FLOAT_EQ(below.red, 1 + 0.2f * -2);
    EXPECT_EQ(below.blue, 1.0f);
    EXPECT_FLOAT_EQ(below.zFrom, Z(128));
    EXPECT_FLOAT_EQ(below.zTo, Z(128) - 0.1f);

    const ProfileTick& within = g.ticks[2];
    EXPECT_EQ(within.red, 1.0f);
    EXPECT_EQ(within.green, 1.0f);
    EXPECT_EQ(within.blue, 1.0f);
    EXPECT_FLOAT_EQ(within.zFrom, Z(131) + 0.05f);
    EXPECT_FLOAT_EQ(within.zTo, Z(131) - 0.05f);

    const ProfileTick& negative = g.ticks[3];
    EXPECT_EQ(negative.x, X(4));
    EXPECT_LT(negative.red, 0.0f);  // OpenGL clamps it to full blue
}

TEST_F(ProfileTest, InvalidPointsBreakTheLineAndGetNoTick)
{
    mt.grid[3][2] = mt.nodata_value = -9999;
    mt.hasNodata = maskNodata = true;
    setGrid(rd, 4, 6, flat(4, 6, 125));
    multFiles = true;
    const ProfileGeometry g = profileGeometry(0);  // row 3: steps 0, 1, then 3, 4
    EXPECT_EQ(g.steps.size(), 4u * 4);
    EXPECT_EQ(g.breaks, std::vector<std::size_t>{4});
    ASSERT_EQ(g.ticks.size(), 4u);
    EXPECT_EQ(g.ticks[2].x, X(3));
}

TEST_F(ProfileTest, NoTicksFromAComparisonOfAnotherSize)
{
    setGrid(rd, 3, 6, std::vector<float>(18, 120.0f));
    multFiles = true;
    EXPECT_TRUE(profileGeometry(0).ticks.empty());
}

}  // namespace
