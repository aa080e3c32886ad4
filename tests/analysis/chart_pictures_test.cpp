#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include "analysis/chart_pictures.h"
#include "analysis/page_figures.h"
#include "tests/support/png_pictures.h"

namespace {

Accuracy figuresOf(std::vector<double> d) { return accuracyOf(d).value_or(Accuracy{}); }

long long sum(const std::vector<long long>& counts) { return std::accumulate(counts.begin(), counts.end(), 0LL); }

// 0, 1, ..., 99: mean 49.5, std 28.87, NMAD 1.4826 x 25 = 37.07. Freedman-Diaconis gives
// 2 x 1.349 x 37.07 / 100^(1/3) = 21.5, above the 16 bins over mean +- 4 std (230.9 / 16
// = 14.4), so 14.4, rounded up to 20; the bins from -80 that stay empty are dropped.
TEST(HistogramTest, BinsOfAHandWorkedSet)
{
    std::vector<double> d(100);
    std::iota(d.begin(), d.end(), 0.0);
    const Histogram h = histogramOf(d, figuresOf(d));
    EXPECT_DOUBLE_EQ(h.low, 0);
    EXPECT_DOUBLE_EQ(h.binWidth, 20);
    EXPECT_EQ(h.counts, (std::vector<long long>{20, 20, 20, 20, 20}));
    EXPECT_EQ(h.total, 100);
    EXPECT_EQ(h.belowRange + h.aboveRange, 0);
}

TEST(HistogramTest, TheBarsHoldEveryFiniteValue)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(2.5, 0.4);
    std::vector<double> d;
    for (int i = 0; i < 20000; i++)
        d.push_back(normal(random));
    std::vector<double> finite = d;
    d.insert(d.end(), {-80, 300, 301, NAN, INFINITY});  // blunders beyond mean +- 4 std, and no values
    finite.insert(finite.end(), {-80, 300, 301});
    const Histogram h = histogramOf(d, figuresOf(finite));
    EXPECT_EQ(sum(h.counts), 20003);
    EXPECT_EQ(h.total, 20003);
    EXPECT_EQ(h.belowRange, 1);
    EXPECT_EQ(h.aboveRange, 2);
    EXPECT_GE(h.counts.size(), 8u);
    EXPECT_LE(h.counts.size(), 61u);
    const double w = h.binWidth / std::pow(10.0, std::floor(std::log10(h.binWidth)));
    EXPECT_TRUE(w == 1 || w == 2 || w == 2.5 || w == 5) << h.binWidth;
    EXPECT_GT(h.counts.front(), 0);
    EXPECT_GT(h.counts.back(), 0);
}

TEST(HistogramTest, EqualValuesAndNoValues)
{
    const std::vector<double> same(7, 3.25);
    const Histogram h = histogramOf(same, figuresOf(same));
    EXPECT_EQ(h.counts, (std::vector<long long>{7}));
    EXPECT_DOUBLE_EQ(h.low, 2.75);
    EXPECT_TRUE(histogramOf({}, Accuracy{}).counts.empty());
    EXPECT_TRUE(histogramChart(histogramOf({NAN}, Accuracy{})).picture.empty());
}

// The chart read back from its PNG file: the mean's line crosses the bars, the bars are
// the graph's red, and the count axis ends at a round number.
TEST(HistogramTest, TheChartMarksTheMean)
{
    std::vector<double> d;
    for (int i = 0; i < 1000; i++)
        d.push_back(std::sin(i * 0.37) * 2 + 1);
    const Histogram h = histogramOf(d, figuresOf(d));
    const Chart chart = histogramChart(h, 600, 200);
    std::string why;
    const Picture p = decodePng(pngOf(chart.picture, why));
    ASSERT_EQ(p.width, 600) << why;
    ASSERT_EQ(p.height, 200);
    const double xHigh = h.low + h.binWidth * double(h.counts.size());
    const int meanColumn = int(std::floor((h.mean - h.low) / (xHigh - h.low) * 600));
    EXPECT_EQ(p.at(meanColumn, 195), histogramMean);
    EXPECT_EQ(p.at(0, 100), graphInk);  // the count axis
    ASSERT_FALSE(chart.yLabels.empty());
    EXPECT_DOUBLE_EQ(chart.yLabels.front().at, 0);
    EXPECT_DOUBLE_EQ(chart.yLabels.back().at, 1);
    EXPECT_EQ(chart.yLabels.front().text, "0");
    EXPECT_EQ(chart.legend.size(), 3u);
}

TEST(BarChartTest, BarsStandInTheirSlots)
{
    // Counts 0, 5, 10 on an axis to 10 in three slots of 100 pixels; bars fill the middle
    // three fifths of a slot.
    const Chart chart = barChart({0, 5, 10}, {"none", "", "ten"}, {300, 101, false, {}});
    const Picture& p = chart.picture;
    ASSERT_EQ(p.width, 300);
    EXPECT_EQ(p.at(50, 98), graphBackground);  // no bar for 0
    EXPECT_EQ(p.at(150, 60), graphBar);        // half the axis
    EXPECT_EQ(p.at(150, 45), graphBackground);
    EXPECT_EQ(p.at(250, 2), graphBar);  // the whole axis
    EXPECT_EQ(p.at(205, 50), graphBackground);
    ASSERT_EQ(chart.xLabels.size(), 2u);
    EXPECT_EQ(chart.xLabels[1].text, "ten");
    EXPECT_DOUBLE_EQ(chart.xLabels[1].at, 2.5 / 3);
    EXPECT_EQ(chart.yLabels.back().text, "10");

    // On a log axis a count of 1 sits on the axis's foot and still shows.
    const Chart log = barChart({1, 1000000}, {}, {200, 100, true, {{1, 2, 3}}});
    EXPECT_EQ(log.yLabels.back().text, "1\xe2\x80\xaf" "000\xe2\x80\xaf" "000");
    EXPECT_EQ(log.picture.at(50, 98), (Rgb8{1, 2, 3}));
    EXPECT_EQ(log.picture.at(150, 2), graphBar);
}

}  // namespace
