// Planes of known ground gradient on 0.001-degree cells centred on 60 degrees north:
// 111.32 m north-south, half that east-west.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/loader.h"
#include "analysis/profile.h"
#include "analysis/slope.h"
#include "analysis/slope_classes.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

const double degree = 3.14159265358979323846 / 180, northSouth = 111.32, eastWest = 55.66;

void plane(double east, double north)  // rise per metre
{
    setGrid(mt, 9, 9, surface(9, 9, [&](int r, int c) { return 500 + east * c * eastWest + north * (8 - r) * northSouth; }),
            0.001f);
    mt.yllRead = 60 - 0.0045;
    mt.cellsizeRead = 0.001;
    cellsInDegrees = true;
    allocated = false;
    rebuild(1, false);
}

class DegreeCellsTest : public ModelTest {};

TEST_F(DegreeCellsTest, APlaneHasTheSlopeAndDirectionOfItsGroundGradient)
{
    // Taken over the north-south length: 13 and 4 degrees steep, the second 28 degrees off east.
    const double t = std::tan(8 * degree), east = t * std::cos(15 * degree);
    const struct {
        double east, north, steepEast;
        int slopeClass;
    } cases[] = {{std::tan(25 * degree), 0, 25, 3}, {east, t * std::sin(15 * degree), std::atan(east) / degree, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steepEast);
        plane(c.east, c.north);
        EXPECT_EQ(slopeClassAt(mt.view(), 4, 4), c.slopeClass);
        EXPECT_EQ(find_gradient(4, 4), 0);
        EXPECT_NEAR(colorSlopeDeg(4, 4), -std::atan2(c.north, c.east) / degree, 1e-3);  // rows run south
        SLOPE = float(c.steepEast - 0.01);
        EXPECT_TRUE(mt.findSlope(4, 4));
        SLOPE = float(c.steepEast + 0.01);
        EXPECT_FALSE(mt.findSlope(4, 4));
    }
}

TEST_F(DegreeCellsTest, MeshAndProfileStepEastWestByTheCellsEastWestLength)
{
    plane(0.1, 0);
    const double scale = 2 / (9 * northSouth);  // the longer extent is north-south
    EXPECT_NEAR(mt.scalefactor, scale, 1e-7);
    const ProfileGeometry g = profileGeometry(2);
    ASSERT_EQ(g.steps.size(), 4u * 8);
    EXPECT_NEAR(g.steps[30] - g.steps[0], 8 * eastWest * scale, 1e-5);  // x of column 8 from column 0
    EXPECT_NEAR(g.yCut - g.y, northSouth * scale, 1e-6);
}

}  // namespace
