#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "analysis/curvature_unit.h"

namespace {

std::vector<float> range(int from, int to)
{
    std::vector<float> v;
    for (int i = to; i >= from; i--)  // the order must not matter
        v.push_back(float(i));
    return v;
}

TEST(CurvatureUnitTest, NinetyNinthPercentileOverThree)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    std::vector<float> spikes(1000, 0.0f), lone(100, 0.0f);
    spikes.insert(spikes.begin() + 500, 20, 600.0f);
    lone.push_back(300);
    struct Case {
        const char* name;
        std::vector<float> values;
        long long counted;
        double percentile;
        bool fitted;
        float unit;
    } cases[] = {
        {"0 to 100: (101 - 1) x 0.99 = 99", range(0, 100), 101, 99, true, 33},
        {"1 to 10: 9 + 0.91 x (10 - 9)", range(1, 10), 10, 9.91, true, 3.3f},
        {"20 of 1020 at 600", spikes, 1020, 600, true, 200},
        {"NaN left out", {nan, 3, nan}, 1, 3, true, 1},
        {"one spike in 101: the percentile is 0", lone, 101, 0, false, 1},
        {"none", {}, 0, 0, false, 1},
        {"a third below the normal floats", std::vector<float>(5, 1e-38f), 5, double(1e-38f), false, 1},
        {"infinite", {inf, inf, 2}, 3, inf, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CurvatureUnitFit fit = fitCurvatureUnit(c.values.data(), c.values.size());
        EXPECT_EQ(fit.values, c.counted);
        EXPECT_DOUBLE_EQ(fit.percentile, c.percentile);
        EXPECT_EQ(fit.fitted, c.fitted);
        EXPECT_EQ(fit.unit, c.unit);
    }
}

TEST(CurvatureUnitTest, TwoSignificantDigitsHalfUp)
{
    const double cases[][2] = {{0.012345, 0.012}, {1234, 1200},     {0.0995, 0.1},   {0.125, 0.13},
                               {9.96, 10},        {99.5, 100},      {0.35, 0.35},    {1, 1},
                               {0.0099499, 0.0099}, {2.25e-7, 2.3e-7}, {1234567, 1200000}, {7, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(twoSignificantDigits(c[0]), c[1]);
    }
}

// The percentile found by counting bit patterns against one taken from a sorted copy.
TEST(CurvatureUnitTest, PercentileOfRandomValuesAsFromASortedCopy)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    for (int round = 0; round < 50; round++) {
        std::vector<float> v(random() % 3000 + 1);
        std::exponential_distribution<float> spread(float(random() % 100 + 1) / 10);
        for (float& x : v)
            x = random() % 4 == 0 ? float(random() % 5) : spread(random);  // with repeats
        std::vector<float> sorted(v);
        std::sort(sorted.begin(), sorted.end());
        const double h = double(v.size() - 1) * 0.99;
        const std::size_t i = std::size_t(h);
        const double high = i + 1 < v.size() ? sorted[i + 1] : sorted[i];
        const double expected = sorted[i] + (h - double(i)) * (high - sorted[i]);
        EXPECT_DOUBLE_EQ(fitCurvatureUnit(v.data(), v.size()).percentile, expected);
    }
}

}  // namespace
