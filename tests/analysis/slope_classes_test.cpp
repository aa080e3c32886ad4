// Figures by slope on planes of known steepness.

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/slope_classes.h"
#include "tests/support/view_grid.h"

namespace {

const double degree = 3.14159265358979323846 / 180;

// A 4 x 5 plane of 10 m cells rising east at gradient east and north at gradient north.
ViewGrid planeGrid(double east, double north, double base = 100)
{
    std::vector<float> v;
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 5; c++)
            v.push_back(float(base + east * 10 * c + north * 10 * (3 - r)));
    return ViewGrid(4, 5, v, 0, 0, 10);
}

TEST(SlopeClassesTest, EveryPointOfAPlaneInItsClass)
{
    struct Case {
        const char* name;
        double east, north, groundX;
        int slopeClass;
    } cases[] = {
        {"3 degrees", std::tan(3 * degree), 0, 10, 0},
        {"7 degrees, diagonal", std::tan(7 * degree) * 0.6, std::tan(7 * degree) * 0.8, 10, 1},
        {"15 degrees, north", 0, std::tan(15 * degree), 10, 2},
        {"25 degrees", std::tan(25 * degree), 0, 10, 3},
        {"40 degrees", std::tan(40 * degree) * 0.8, -std::tan(40 * degree) * 0.6, 10, 4},
        {"just under 1:1", 0.999, 0, 10, 4},
        {"1:1 is 45 degrees", 1, 0, 10, 5},
        {"60 degrees", -std::tan(60 * degree), 0, 10, 5},
        {"1:1 over cells twice as long east-west", 1, 0, 20, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewGrid dem = planeGrid(c.east, c.north);
        dem.view.groundX = c.groundX;
        const ViewGrid above = planeGrid(c.east, c.north, 101);
        const SlopeFigures f = slopeFiguresOfComparison(dem.view, above.data());
        ASSERT_EQ(f.classes.size(), 6u);
        EXPECT_EQ(f.withoutSlope, 0);
        for (int k = 0; k < 6; k++)
            EXPECT_EQ(f.classes[std::size_t(k)].points, k == c.slopeClass ? 20 : 0) << k;
        EXPECT_NEAR(f.classes[std::size_t(c.slopeClass)].mean, 1, 1e-4);
        EXPECT_NEAR(f.classes[std::size_t(c.slopeClass)].rmse, 1, 1e-4);
    }
    const SlopeFigures f = slopeFiguresOfComparison(planeGrid(0, 0).view, planeGrid(0, 0, 101).data());
    EXPECT_EQ(f.classes[5].from, 45);
    EXPECT_EQ(f.classes[5].to, 90);
}

TEST(SlopeClassesTest, PointsBesideHolesAndWithoutNeighbours)
{
    ViewGrid dem = planeGrid(std::tan(40 * degree), 0);
    dem.values[1 * 5 + 1] = -9999;
    dem.view.maskValue = true;
    dem.view.nodata = -9999;
    EXPECT_EQ(slopeClassAt(dem.view, 1, 1), -1);  // the hole itself
    EXPECT_EQ(slopeClassAt(dem.view, 0, 1), -1);  // north border above the hole: no north-south
    EXPECT_EQ(slopeClassAt(dem.view, 1, 0), -1);  // west border beside the hole: no east-west
    EXPECT_EQ(slopeClassAt(dem.view, 1, 2), 4);   // one-sided east-west beside the hole
    EXPECT_EQ(slopeClassAt(dem.view, 2, 1), 4);   // one-sided north-south below it
    const ViewGrid column(3, 1, {1, 2, 3});
    EXPECT_EQ(slopeClassAt(column.view, 1, 0), -1);
}

TEST(SlopeClassesTest, CheckpointsTakeTheirNearestPoint)
{
    // Flat west of column 3, steep from there: (h(c+1) - h(c-1)) / 20 is 0 at column 2, 5 at 3.
    std::vector<float> v;
    for (int r = 0; r < 3; r++)
        for (float h : {0.f, 0.f, 0.f, 0.f, 100.f, 200.f})
            v.push_back(h);
    const ViewGrid dem(3, 6, v, 0, 0, 10);
    const std::vector<Checkpoint> points = {{"west", 27, 15, 1, ""}, {"east", 33, 15, 80, ""}, {"out", 99, 15, 0, ""}};
    const SlopeFigures f = slopeFiguresOfCheckpoints(dem.view, points, demHeightsAt(dem.view, points));
    EXPECT_EQ(f.classes[0].points, 1);
    EXPECT_EQ(f.classes[5].points, 1);
    EXPECT_EQ(f.classes[5].mean, 80);  // the DEM is 0 between columns 2 and 3
}

}  // namespace
