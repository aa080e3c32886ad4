// Nodata masking and cells in degrees on hand-made grids whose answers are known.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/accuracy.h"
#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/loader.h"
#include "analysis/slope.h"
#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

class MaskingTest : public ModelTest {
protected:
    // A 5 x 6 plane 100 + r + c with a nodata hole at (2, 3), and comparison data 2 below
    // it at every point; interval 20, so every difference is level 1 (10 percent).
    void SetUp() override
    {
        ModelTest::SetUp();
        std::vector<float> h = plane(5, 6, 100, 1, 1);
        h[2 * 6 + 3] = -9999;
        setGrid(mt, 5, 6, h);
        mt.nodata_value = -9999;
        mt.hasNodata = true;
        setGrid(rd, 5, 6, plane(5, 6, 98, 1, 1));
        rd.setContourInt(20);
    }
    void rebuildWithMask(bool mask)
    {
        allocated = false;
        changeOptions(mask, false);
        rebuild(1, true);
    }
};

TEST_F(MaskingTest, TheCellsAroundAHoleCountNowhere)
{
    rebuildWithMask(true);
    // 20 cells; the hole masks (1, 2), (1, 3), (2, 2), (2, 3), (2, 4) and (3, 3).
    EXPECT_EQ(C15 + C10 + C5 + C, 14);
    EXPECT_EQ(MAX_CURVE, 0.0f);  // the plane bends nowhere
    EXPECT_EQ(D20 + D15 + D10 + D5 + D, 14);
    EXPECT_EQ(D10, 14);
    EXPECT_EQ(dArrayCount, 14);
    EXPECT_EQ(mt.zmin, 100.0f);
    EXPECT_EQ(mt.zmax, 109.0f);
    float rmse = 0;
    ASSERT_TRUE(rd.tryRmse(rmse));
    EXPECT_EQ(rmse, 2.0f);  // the hole's 10097 metres are left out
    rd.setContourInt(4);
    mt.computeHeightClasses();
    long long counted = 0;
    for (int n : mt.classes)
        counted += n;
    EXPECT_EQ(counted, 29);

    rebuildWithMask(false);
    EXPECT_FALSE(mt.heightClasses());  // counted without the hole's points
    EXPECT_EQ(C15 + C10 + C5 + C, 20);
    EXPECT_EQ(MAX_CURVE, 420 + 4 * 9999.0f);  // the hole itself: its neighbours 104, 104, 106, 106
    EXPECT_EQ(mt.zmin, -9999.0f);
}

// A hole is the nodata value with masking, or a NaN or an infinity with or without it.
TEST_F(MaskingTest, AHoleIsLeftOutOfEveryFigureAndEveryValidPointCounts)
{
    rd.grid[1][3] = 115;       // an 11 m error at a valid point that begins a masked cell
    rd.grid[0][0] = INFINITY;  // no data
    for (const float hole : {-9999.0f, INFINITY, -INFINITY, NAN}) {
        SCOPED_TRACE(hole);
        mt.grid[2][3] = hole;
        mt.nonFinite = std::isfinite(hole) ? 0 : 1;  // as the reader counts them
        rebuildWithMask(std::isfinite(hole));
        EXPECT_EQ(C15 + C10 + C5 + C, 14);
        EXPECT_EQ(dArrayCount, 13);
        EXPECT_EQ(mt.zmax, 109.0f);
        float rmse = 0;
        EXPECT_TRUE(rd.tryRmse(rmse));
        EXPECT_FLOAT_EQ(rmse, std::sqrt(229.0f / 28));  // 27 differences of 2, one of 11
        EXPECT_EQ(currentAccuracy().value().points, 28);
    }
}

TEST_F(MaskingTest, CellsInDegreesMakeATrueSlope)
{
    // Heights rise tan(30 degrees) of a cell's 111.32 m along every row: a 30 degree slope.
    const float rise = 111.32f * std::tan(30 * 3.14159265 / 180);
    setGrid(mt, 9, 9, plane(9, 9, 1000, rise, 0), 0.001f);
    SLOPE = 29;
    changeOptions(false, true);
    EXPECT_TRUE(mt.findSlope(4, 4));
    SLOPE = 31;
    EXPECT_FALSE(mt.findSlope(4, 4));
    rebuild(1, false);
    EXPECT_FLOAT_EQ(mt.scalefactor, 2 / (9 * 111.32f));
    changeOptions(false, false);  // 64 m over a thousandth of a unit: a wall
    SLOPE = 89;
    EXPECT_TRUE(mt.findSlope(4, 4));
}

}  // namespace
