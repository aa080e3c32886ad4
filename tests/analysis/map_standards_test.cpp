// The accuracy statements on hand-made sets at their thresholds.

#include <gtest/gtest.h>

#include <vector>

#include "analysis/map_standards.h"
#include "tests/support/view_grid.h"

namespace {

std::vector<CheckpointHeight> tested(const std::vector<double>& d)
{
    std::vector<CheckpointHeight> h;
    for (double v : d)
        h.push_back({CheckpointStatus::tested, 0, v});
    return h;
}

// n differences taking the values a, b, a, b, ... in turn, then the extra ones.
std::vector<double> turns(int n, double a, double b, std::vector<double> extra = {})
{
    for (int i = n - 1; i >= 0; i--)
        extra.insert(extra.begin(), i % 2 == 0 ? a : b);
    return extra;
}

TEST(MapStandardsTest, NmasAtTenPercent)
{
    struct Case {
        const char* name;
        std::vector<double> d;
        long long exceeding;
        bool meets;
    } cases[] = {
        {"one of ten beyond half the interval", turns(9, 1, -1, {5.01}), 1, true},
        {"two of ten", turns(8, 1, -1, {-5.01, 6}), 2, false},
        {"one of nine", turns(8, 1, -1, {5.01}), 1, false},
        {"exactly half the interval is not beyond", turns(8, 5, -5, {-5, 5}), 0, true},
        {"no tested point", {}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CheckpointHeight> h = tested(c.d);
        h.push_back({CheckpointStatus::outside, 0, 100});  // not tested, never counted
        const NmasTest t = nmasOfCheckpoints(h, 10);
        EXPECT_EQ(t.tested, (long long)c.d.size());
        EXPECT_EQ(t.exceeding, c.exceeding);
        EXPECT_DOUBLE_EQ(t.share, c.d.empty() ? 0 : double(c.exceeding) / double(c.d.size()));
        EXPECT_EQ(t.meets, c.meets);
    }
}

TEST(MapStandardsTest, NmasOverComparisonPoints)
{
    // Ten points carry data (0 and NaN do not): one is 6 off with interval 10.
    const ViewGrid dem(3, 4, std::vector<float>(12, 50));
    const ViewGrid cmp(3, 4, {51, 49, 50, 56, 50, 0, NAN, 50, 50, 52, 48, 50});
    const NmasTest t = nmasOfComparison(dem.view, cmp.data(), 10);
    EXPECT_EQ(t.tested, 10);
    EXPECT_EQ(t.exceeding, 1);
    EXPECT_TRUE(t.meets);
}

TEST(MapStandardsTest, AsprsAtItsThresholds)
{
    struct Case {
        const char* name;
        std::vector<double> d;
        double target, own;
        bool meets, enough, bias;
        std::vector<std::size_t> blunders;
    } cases[] = {
        {"29 checkpoints at exactly the target", turns(29, 0.5, -0.5), 0.5, 0, true, false, false, {}},
        {"30 checkpoints", turns(30, 0.5, -0.5), 0.5, 0, true, true, false, {}},
        {"own accuracy 4 with 3: product exactly 5", turns(30, 3, -3), 5, 4, true, true, false, {}},
        {"own accuracy a little worse", turns(30, 3, -3), 5, 4.01, false, true, false, {}},
        {"mean a quarter of the target", turns(30, 1, 1), 4, 0, true, true, true, {}},
        {"mean just below", turns(29, 1, 1, {0.97}), 4, 0, true, true, false, {}},
        {"three times the target is no blunder, more is", turns(30, 0.1, -0.1, {1.5, -1.51}), 0.5, 0, true, true,
         false, {31}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Checkpoint> points(c.d.size(), Checkpoint{"k", 0, 0, 0, ""});
        const AsprsVertical a = asprsVertical(points, tested(c.d), c.target, c.own, "");
        EXPECT_EQ(a.points, (long long)c.d.size());
        EXPECT_EQ(a.meets, c.meets) << a.productRmse;
        EXPECT_EQ(a.enoughCheckpoints, c.enough);
        EXPECT_EQ(a.biasFlag, c.bias) << a.mean;
        EXPECT_EQ(a.blunders, c.blunders);
    }
}

TEST(MapStandardsTest, AsprsOverTheNonVegetatedClass)
{
    const std::vector<double> d = turns(30, 0.2, -0.2, {9});
    std::vector<Checkpoint> points(30, Checkpoint{"n", 0, 0, 0, "NVA"});
    points.push_back({"forest", 0, 0, 0, "vva"});
    const AsprsVertical nva = asprsVertical(points, tested(d), 0.25, 0, "nva");
    EXPECT_EQ(nva.points, 30);
    EXPECT_DOUBLE_EQ(nva.rmse, 0.2);
    EXPECT_TRUE(nva.meets);
    EXPECT_EQ(nva.blunderIds, std::vector<std::string>{"forest"});
    const AsprsVertical all = asprsVertical(points, tested(d), 0.25, 0, "");
    EXPECT_EQ(all.points, 31);
    EXPECT_FALSE(all.meets);
}

}  // namespace
