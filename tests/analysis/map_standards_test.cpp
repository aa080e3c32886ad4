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

// n differences of size each, alternating in sign from + or all the same, then the extra ones.
std::vector<double> differences(int n, double size, bool alternate, std::vector<double> extra)
{
    std::vector<double> d;
    for (int i = 0; i < n; i++)
        d.push_back(alternate && i % 2 == 1 ? -size : size);
    d.insert(d.end(), extra.begin(), extra.end());
    return d;
}
std::vector<double> alternating(int n, double size, std::vector<double> extra = {})
{
    return differences(n, size, true, extra);
}
std::vector<double> repeated(int n, double size, std::vector<double> extra = {})
{
    return differences(n, size, false, extra);
}

TEST(MapStandardsTest, NmasAtTenPercent)
{
    struct Case {
        const char* name;
        std::vector<double> d;
        long long exceeding;
        bool meets;
    } cases[] = {
        {"one of ten beyond half the interval", alternating(9, 1, {5.01}), 1, true},
        {"two of ten", alternating(8, 1, {-5.01, 6}), 2, false},
        {"one of nine", alternating(8, 1, {5.01}), 1, false},
        {"exactly half the interval is not beyond", alternating(8, 5, {-5, 5}), 0, true},
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
        {"29 checkpoints at exactly the target", alternating(29, 0.5), 0.5, 0, true, false, false, {}},
        {"30 checkpoints", alternating(30, 0.5), 0.5, 0, true, true, false, {}},
        {"own accuracy 4 with 3: product exactly 5", alternating(30, 3), 5, 4, true, true, false, {}},
        {"own accuracy a little worse", alternating(30, 3), 5, 4.01, false, true, false, {}},
        {"mean a quarter of the target", repeated(30, 1), 4, 0, true, true, true, {}},
        {"mean just below", repeated(29, 1, {0.97}), 4, 0, true, true, false, {}},
        {"three times the target is no blunder, more is", alternating(30, 0.1, {1.5, -1.51}), 0.5, 0, true, true,
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
    std::vector<Checkpoint> points;
    std::vector<double> d;
    for (int i = 0; i < 30; i++) {
        points.push_back({"n" + std::to_string(i), 0, 0, 0, "NVA"});
        d.push_back(i % 2 == 0 ? 0.2 : -0.2);
    }
    points.push_back({"forest", 0, 0, 0, "vva"});
    d.push_back(9);
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
