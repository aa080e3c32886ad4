#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/accuracy.h"
#include "analysis/window_figures.h"

namespace {

// A skewed, heavy-tailed set of differences with many repeated values, from a fixed generator.
std::vector<double> differences()
{
    std::vector<double> d;
    std::uint32_t state = 7;
    for (int i = 0; i < 20001; i++) {
        state = state * 1664525u + 1013904223u;
        const double u = (state >> 8) / double(1 << 24);
        d.push_back(i % 10 == 0 ? 5 * u * u * u : std::round((u - 0.3) * 4000) / 4000);
    }
    return d;
}

TEST(HistogramQuantiles, NmadAndLe90AreWithinAStepOfTheExactFigures)
{
    for (std::size_t n : {std::size_t(1), std::size_t(2), std::size_t(20001)}) {
        SCOPED_TRACE(n);
        std::vector<double> d = differences();
        d.resize(n);
        std::map<long long, long long> histogram;
        for (double v : d)
            histogram[std::llround(v / histogramStep)]++;
        const Accuracy exact = *accuracyOf(d);
        double nmad = -1, le90 = -1;
        histogramQuantiles(histogram, nmad, le90);
        EXPECT_NEAR(nmad, exact.nmad, 0.001);
        EXPECT_NEAR(le90, exact.le90, 0.001);
    }
    double nmad = -1, le90 = -1;
    histogramQuantiles({}, nmad, le90);
    EXPECT_EQ(nmad, 0);
    EXPECT_EQ(le90, 0);
}

TEST(AddWindowFigures, TiesKeepTheFirstPlaceInRowOrderWhateverTheOrderAdded)
{
    WindowFigures upper, lower, empty;
    upper.maxCurve = lower.maxCurve = 4;
    upper.maxCurveRow = 2, upper.maxCurveCol = 9;
    lower.maxCurveRow = 7, lower.maxCurveCol = 0;
    upper.differences.add(-3), upper.maxAbsRow = 1, upper.maxAbsCol = 1;
    lower.differences.add(3), lower.maxAbsRow = 0, lower.maxAbsCol = 5;
    for (bool upperFirst : {true, false}) {
        WindowFigures sum = upperFirst ? upper : lower;
        addWindowFigures(sum, upperFirst ? lower : upper);
        addWindowFigures(sum, empty);
        EXPECT_EQ(sum.maxCurveRow, 2);
        EXPECT_EQ(sum.maxCurveCol, 9);
        EXPECT_EQ(sum.maxAbsRow, 0);
        EXPECT_EQ(sum.maxAbsCol, 5);
        EXPECT_EQ(sum.differences.points, 2);
        EXPECT_EQ(sum.differences.sum.value(), 0);
    }
    // A window without compared points gives no place of the largest difference.
    WindowFigures none = empty;
    addWindowFigures(none, empty);
    EXPECT_EQ(none.maxAbsRow, -1);
}

}  // namespace
