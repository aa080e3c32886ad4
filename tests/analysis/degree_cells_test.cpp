// A DEM in degrees at 60 degrees north, where a cell is half as long east-west as
// north-south: planes of known ground gradient, measured through the model as loaded.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/loader.h"
#include "analysis/profile.h"
#include "analysis/slope.h"
#include "analysis/slope_classes.h"
#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

const double degree = 3.14159265358979323846 / 180;
const int N = 9;
// 0.001 degrees a cell: 111.32 m north-south, 111.32 x cos(60 degrees) east-west.
const double northSouth = 111.32, eastWest = 55.66;

class DegreeCellsTest : public ModelTest {
protected:
    // h = 500 + east x (metres east of the west column) + north x (metres north of the
    // south row), on N x N points centred on 60 degrees north.
    void plane(double east, double north)
    {
        setGrid(mt, N, N, surface(N, N, [&](int r, int c) {
                    return 500 + east * c * eastWest + north * (N - 1 - r) * northSouth;
                }), 0.001f);
        mt.xllRead = 10;
        mt.yllRead = 60 - N * 0.001 / 2;
        mt.cellsizeRead = 0.001;
        cellsInDegrees = true;
        allocated = false;
        rebuild(1, false);
    }
};

TEST_F(DegreeCellsTest, APlaneHasTheSlopeOfItsGroundGradient)
{
    struct Case {
        const char* name;
        double east, north, slope;
        int slopeClass, direction;
    } cases[] = {
        // Taken over the north-south length the first would be 13 degrees, the second 28
        // degrees off east (class 45).
        {"25 degrees up to the east", std::tan(25 * degree), 0, 25, 3, 0},
        {"25 degrees up to the north", 0, std::tan(25 * degree), 25, 3, 90},
        {"8 degrees up, 15 degrees north of east", std::tan(8 * degree) * std::cos(15 * degree),
         std::tan(8 * degree) * std::sin(15 * degree), 8, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plane(c.east, c.north);
        EXPECT_EQ(slopeClassAt(mt.view(), 4, 4), c.slopeClass);
        EXPECT_EQ(find_gradient(4, 4), c.direction);
        if (c.direction == 0) {  // rows run south: a rise to the north is a negative angle
            EXPECT_NEAR(colorSlopeDeg(4, 4), -std::atan2(c.north, c.east) / degree, 1e-3);
        }
    }
}

TEST_F(DegreeCellsTest, SteepnessAlongRowsColumnsAndDiagonals)
{
    struct Case {
        const char* name;
        double east, north, stepAngle;  // the steeper step to a neighbour along the direction
    } cases[] = {
        {"east", std::tan(25 * degree), 0, 25},
        {"north", 0, std::tan(25 * degree), 25},
        // Up to the north-east at 45 degrees on the ground: a diagonal step rises
        // 0.1 x (55.66 + 111.32) over sqrt((55.66^2 + 111.32^2) / 2).
        {"north-east", 0.1, 0.1, std::atan(0.1 * (eastWest + northSouth) / std::sqrt(
                                               (eastWest * eastWest + northSouth * northSouth) / 2)) / degree},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plane(c.east, c.north);
        SLOPE = static_cast<float>(c.stepAngle - 0.01);
        EXPECT_TRUE(mt.findSlope(4, 4));
        SLOPE = static_cast<float>(c.stepAngle + 0.01);
        EXPECT_FALSE(mt.findSlope(4, 4));
    }
}

TEST_F(DegreeCellsTest, TheProfileStepsAreEastWestLengthsAndTheMeshFollows)
{
    plane(0.1, 0);
    // The north-south extent (9 x 111.32 m) is the longer one.
    EXPECT_NEAR(mt.scalefactor, 2 / (N * northSouth), 1e-7);
    const ProfileGeometry g = profileGeometry(2);
    ASSERT_TRUE(g.valid);
    ASSERT_EQ(g.steps.size(), 4u * (N - 1));
    const double scale = mt.scalefactor;
    EXPECT_NEAR(g.steps[2] - g.steps[0], eastWest * scale, 1e-6);
    EXPECT_NEAR(g.steps[g.steps.size() - 2] - g.steps[0], (N - 1) * eastWest * scale, 1e-5);
    EXPECT_NEAR(g.yCut - g.y, northSouth * scale, 1e-6);
    // Each step rises by the ground gradient over its east-west length.
    EXPECT_NEAR(g.steps[5] - g.steps[1], 0.1 * eastWest * mt.zscale, 1e-5);
}

}  // namespace
