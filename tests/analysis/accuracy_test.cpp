#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/accuracy.h"
#include "tests/support/view_grid.h"

namespace {

TEST(AccuracyTest, FiguresOfHandCheckedSets)
{
    struct Case {
        std::vector<double> d;
        double rmse, mean, mae, std, nmad, le90, le95, maxAbs;
    } cases[] = {
        // Odd count: median 1, |d - 1| = 3, 0, 2 with median 2; |d| sorted 1, 2, 3 and
        // (3 - 1) x 0.9 = 1.8 between the second and the third, x 0.95 = 1.9.
        {{-2, 1, 3}, std::sqrt(14.0 / 3), 2.0 / 3, 2, std::sqrt(38.0 / 9), 1.4826 * 2, 2.8, 2.9, 3},
        // Even count: median (0 + 2) / 2 = 1, |d - 1| = 3, 2, 1, 1 with median 1.5; |d|
        // sorted 0, 1, 2, 4 and 3 x 0.9 = 2.7 between 2 and 4, 3 x 0.95 = 2.85.
        {{4, -1, 0, 2}, std::sqrt(21.0 / 4), 5.0 / 4, 7.0 / 4, std::sqrt(59.0 / 16), 1.4826 * 1.5, 3.4, 3.7, 4},
        {{-7.5}, 7.5, -7.5, 7.5, 0, 0, 7.5, 7.5, 7.5},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.d.size());
        const long long n = static_cast<long long>(c.d.size());
        const auto a = accuracyOf(c.d);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->points, n);
        EXPECT_DOUBLE_EQ(a->rmse, c.rmse);
        EXPECT_DOUBLE_EQ(a->mean, c.mean);
        EXPECT_DOUBLE_EQ(a->mae, c.mae);
        EXPECT_DOUBLE_EQ(a->std, c.std);
        EXPECT_DOUBLE_EQ(a->nmad, c.nmad);
        EXPECT_DOUBLE_EQ(a->le90, c.le90);
        EXPECT_DOUBLE_EQ(a->le95, c.le95);
        EXPECT_DOUBLE_EQ(a->maxAbs, c.maxAbs);
    }
    std::vector<double> none;
    EXPECT_FALSE(accuracyOf(none));
}

TEST(AccuracyTest, TheGridRmseIsTheRmseOfTheComparedPoints)
{
    // No data at 0 and -1, no height at the NaN: d = 2, -3 and 4.
    ViewGrid dem(2, 3, {10, 10, 10, 10, NAN, 10});
    ViewGrid comparison(2, 3, {12, 0, 7, -1, 15, 14});
    EXPECT_DOUBLE_EQ(*comparisonRmse(dem.view, comparison.data()), std::sqrt(29.0 / 3));
    EXPECT_EQ(*comparisonRmse(dem.view, comparison.data()), comparisonAccuracy(dem.view, comparison.data())->rmse);
    EXPECT_FALSE(comparisonRmse(dem.view, ViewGrid(2, 3, std::vector<float>(6, 0)).data()));
}

}  // namespace
