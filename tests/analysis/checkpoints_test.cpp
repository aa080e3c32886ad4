// Checkpoints on a plane, where bilinear interpolation gives the plane's own height.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "analysis/checkpoints.h"
#include "tests/support/view_grid.h"

namespace {

// 5 rows x 6 columns of 10 m with the corner at (1000, 2000): points at x = 1005 ... 1055,
// y = 2045 (row 0) ... 2005 (row 4).
double plane(double x, double y) { return 0.5 * (x - 1000) + 0.25 * (y - 2000) + 100; }

ViewGrid planeGrid()
{
    std::vector<float> v;
    for (int r = 0; r < 5; r++)
        for (int c = 0; c < 6; c++)
            v.push_back(float(plane(1005 + 10 * c, 2045 - 10 * r)));
    return ViewGrid(5, 6, v, 1000, 2000, 10);
}

Checkpoint at(const char* id, double x, double y, double d, const char* landClass = "")
{
    return {id, x, y, plane(x, y) + d, landClass};
}

TEST(CheckpointsTest, HeightsAndStatusesAroundTheGrid)
{
    ViewGrid g = planeGrid();
    g.values[2 * 6 + 3] = -9999;  // the point at (1035, 2025)
    g.view.maskValue = true;
    g.view.nodata = -9999;
    struct Case {
        Checkpoint point;
        CheckpointStatus status;
    } cases[] = {
        {at("inside", 1012.5, 2033.7, 1.5), CheckpointStatus::tested},
        {at("north-west point", 1005, 2045, -2), CheckpointStatus::tested},
        {at("east edge", 1055, 2021, 0.25), CheckpointStatus::tested},
        {at("south-east point", 1055, 2005, 3), CheckpointStatus::tested},
        {at("on a point beside the hole", 1025, 2025, 1), CheckpointStatus::tested},
        {at("between the hole and a point", 1030, 2025, 1), CheckpointStatus::nodata},
        {at("in the hole's square", 1036, 2017, 1), CheckpointStatus::nodata},
        {at("west of the first column", 1004.99, 2030, 0), CheckpointStatus::outside},
        {at("south of the last row", 1030, 2004.9, 0), CheckpointStatus::outside},
        {at("far away", -1e300, 1e300, 0), CheckpointStatus::outside},
    };
    std::vector<Checkpoint> points;
    for (const Case& c : cases)
        points.push_back(c.point);
    const std::vector<CheckpointHeight> h = demHeightsAt(g.view, points);
    for (std::size_t i = 0; i < points.size(); i++) {
        SCOPED_TRACE(points[i].id);
        EXPECT_EQ(h[i].status, cases[i].status);
        if (h[i].status == CheckpointStatus::tested) {
            EXPECT_NEAR(h[i].dem, plane(points[i].x, points[i].y), 1e-4);
            EXPECT_NEAR(h[i].d, points[i].z - plane(points[i].x, points[i].y), 1e-4);
        }
    }
}

TEST(CheckpointsTest, FiguresLargestAndClasses)
{
    const ViewGrid g = planeGrid();
    // d = -2, 1, 3 as in the accuracy figures' hand-checked set; 3 and -3 tie in |d|.
    const std::vector<Checkpoint> points = {at("a", 1010, 2030, -2, "road"), at("b", 1020, 2020, 1, "field"),
                                            at("out", 900, 2020, 0, "field"), at("c", 1040, 2010, 3, "road"),
                                            at("d", 1041, 2011, -3, "wood")};
    const std::vector<CheckpointHeight> h = demHeightsAt(g.view, points);
    const CheckpointReport r = checkpointFigures(points, h, true);
    EXPECT_EQ(r.all.tested, 4u);
    EXPECT_EQ(r.all.outside, 1u);
    ASSERT_TRUE(r.all.accuracy);
    EXPECT_NEAR(r.all.accuracy->rmse, std::sqrt(23.0 / 4), 1e-6);
    EXPECT_NEAR(r.all.accuracy->mean, -0.25, 1e-6);
    std::string largest;
    for (const LargeResidual& l : r.all.largest)
        largest += l.id;
    EXPECT_EQ(largest, "cdab");
    ASSERT_EQ(r.classes.size(), 3u);
    EXPECT_EQ(r.classes[0].name + " " + r.classes[1].name + " " + r.classes[2].name, "field road wood");
    EXPECT_EQ(r.classes[0].figures.outside, 1u);
    EXPECT_NEAR(r.classes[1].figures.accuracy->mae, 2.5, 1e-6);
    EXPECT_TRUE(checkpointFigures(points, h, false).classes.empty());
}

TEST(CheckpointsTest, ResidualLines)
{
    const ViewGrid g = planeGrid();
    const std::vector<Checkpoint> points = {{"k, 1", 1010, 2030, 108, ""}, {"2", 0.5, 2030, 7, ""}};
    std::ostringstream out;
    writeResiduals(out, points, demHeightsAt(g.view, points));
    EXPECT_EQ(out.str(),
              "id,x,y,z,dem_z,d,status\n\"k, 1\",1010,2030,108,112.5,-4.5,tested\n"
              "2,0.5,2030,7,,,outside\n");
}

}  // namespace
