// The numbers behind the bar graphs: binning, extremes, the big class filter and the
// bar and axis layout.

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "dialogs/graph_data.h"
#include "tests/support/console_capture.h"

namespace {

struct Binned {
    std::vector<int> bins;
    float range = -1;
    std::string out;
};

Binned bin(std::vector<float> values, float max, float min)
{
    ConsoleCapture console;
    Binned b;
    const std::unique_ptr<int[]> counts(arrangeDiff(int(values.size()), max, min, values.data(), b.range));
    b.bins.assign(counts.get(), counts.get() + GRAPH_BINS);
    b.out = console.out();
    return b;
}

// The bin of one value, -1 for none.
int binOf(float v, float max, float min)
{
    const Binned b = bin({v}, max, min);
    for (int i = 0; i < GRAPH_BINS; i++)
        if (b.bins[i] == 1)
            return i;
    return -1;
}

TEST(ArrangeDiff, BinsAreOpenOnTheLeftAndTheMinimumIsInBinZero)
{
    // min 10, max 60: inc 2 exactly, every edge exact in float.
    struct Case {
        float v;
        int bin;
    } cases[] = {{10, 0}, {11, 0}, {12, 0}, {12.0001f, 1}, {14, 1}, {14.5f, 2}, {20, 4},
                 {20.001f, 5}, {58, 23}, {58.01f, 24}, {60, 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(binOf(c.v, 60, 10), c.bin);
    }
}

TEST(ArrangeDiff, ValuesAboveTheLastBinAndNaNAreNotCounted)
{
    // 9 is below min but still <= min + inc: bin 0.
    const Binned b = bin({60.5f, 1e30f, 9, std::numeric_limits<float>::quiet_NaN(), 30}, 60, 10);
    EXPECT_EQ(std::accumulate(b.bins.begin(), b.bins.end(), 0), 2);
    EXPECT_EQ(b.bins[0], 1);
    EXPECT_EQ(b.bins[9], 1);
}

TEST(ArrangeDiff, RoundedIncrementLeavesTheMaximumOut)
{
    // Find a range whose float inc times 25 falls short of max, as happens on real data.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> pick(0.01f, 1000.0f);
    for (int tries = 0; tries < 100000; tries++) {
        const float min = pick(random), max = min + pick(random);
        const float inc = (max - min) / 25;
        if (min + 25 * inc >= max)
            continue;
        SCOPED_TRACE(testing::Message() << "min " << min << " max " << max);
        const Binned b = bin({min, max}, max, min);
        EXPECT_EQ(b.bins[0], 1);
        EXPECT_EQ(std::accumulate(b.bins.begin(), b.bins.end(), 0), 1);
        return;
    }
    FAIL() << "no such range found";
}

TEST(ArrangeDiff, EqualMaximumAndMinimumPutEverythingInBinZero)
{
    const Binned b = bin({5, 5, 5}, 5, 5);
    EXPECT_EQ(b.bins[0], 3);
    EXPECT_EQ(b.range, 0);
    EXPECT_EQ(b.out, "5\nr0 inc0\n");
}

TEST(ArrangeDiff, NoValuesGiveEmptyBins)
{
    ConsoleCapture console;
    float range = -1;
    const std::unique_ptr<int[]> counts(arrangeDiff(0, 0, 0, nullptr, range));
    for (int i = 0; i < GRAPH_BINS; i++)
        EXPECT_EQ(counts[i], 0) << i;
    EXPECT_EQ(range, 0);
}

TEST(ArrangeDiff, TwoConsoleLinesInTheDefaultFloatFormat)
{
    struct Case {
        float max, min;
        const char* out;
    } cases[] = {
        {14, 1.5f, "1.5\nr12.5 inc0.5\n"},
        {1, 0, "0\nr1 inc0.04\n"},
        {2e7f, 1e-7f, "1e-07\nr2e+07 inc800000\n"},
        {100, 0.1f, "0.1\nr99.9 inc3.996\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.out);
        std::cout << std::fixed << std::setprecision(2);  // a stream left changed elsewhere
        const Binned b = bin({}, c.max, c.min);
        std::cout << std::defaultfloat << std::setprecision(6);
        EXPECT_EQ(b.out, c.out);
        EXPECT_EQ(b.range, c.max - c.min);
    }
}

TEST(FindMinMax, SmallestAndLargestOfTheTwentyFive)
{
    std::vector<int> counts(25, 7);
    counts[0] = 9;
    counts[24] = 3;
    int smallest = 0, largest = 0;
    findminmax(smallest, largest, counts.data());
    EXPECT_EQ(smallest, 3);
    EXPECT_EQ(largest, 9);
    counts[24] = 12;
    counts[0] = 1;
    findminmax(smallest, largest, counts.data());
    EXPECT_EQ(smallest, 1);
    EXPECT_EQ(largest, 12);
}

TEST(GetInfo, ExtremesOfTheFirstNCounts)
{
    int counts[] = {4, 9, 2, 100};
    int largest = -5, smallest = -5, n = 3;
    getInfo(largest, smallest, n, counts);
    EXPECT_EQ(largest, 9);
    EXPECT_EQ(smallest, 2);
    EXPECT_EQ(n, 3);
    for (int none : {0, -1}) {
        largest = smallest = -5;
        n = none;
        getInfo(largest, smallest, n, counts);
        EXPECT_EQ(largest, -5);
        EXPECT_EQ(smallest, -5);
        EXPECT_EQ(n, none);
    }
}

TEST(EditClasses, ClassesAtOrAboveOneAndAQuarterOfTheAverageGo)
{
    struct Case {
        const char* name;
        std::vector<int> counts;
        std::vector<int> kept;
        int newLargest;
        bool big;
    } cases[] = {
        {"all equal", {3, 3, 3, 3}, {3, 3, 3, 3}, 3, false},
        // average 16 / 4 = 4, limit 5: 5 goes, 4 stays
        {"exactly at the limit", {5, 4, 4, 3}, {0, 4, 4, 3}, 4, true},
        // average 9 / 4 = 2 (truncated), limit 2.5: 3 goes
        {"average truncated", {2, 2, 2, 3}, {2, 2, 2, 0}, 2, true},
        {"contour terraces", {10, 1, 1, 1}, {0, 1, 1, 1}, 1, true},
        // average 3 / 4 = 0, limit 0: every class goes
        {"average 0", {0, 1, 1, 1}, {0, 0, 0, 0}, 0, true},
        {"one class", {7}, {7}, 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int n = int(c.counts.size()), newLargest = -1;
        bool big = false;
        std::vector<int> counts = c.counts;
        const std::unique_ptr<int[]> kept(editClasses(newLargest, n, counts.data(), big));
        EXPECT_EQ(std::vector<int>(kept.get(), kept.get() + n), c.kept);
        EXPECT_EQ(newLargest, c.newLargest);
        EXPECT_EQ(big, c.big);
        EXPECT_EQ(counts, c.counts);
    }
}

TEST(EditClasses, TheBigFlagIsNeverCleared)
{
    int counts[] = {3, 3, 3};
    int n = 3, newLargest = 0;
    bool big = true;
    const std::unique_ptr<int[]> kept(editClasses(newLargest, n, counts, big));
    EXPECT_TRUE(big);
}

TEST(EditClasses, LargeCountsDoNotOverflowTheSum)
{
    const int huge = std::numeric_limits<int>::max() / 2;
    int counts[] = {huge, huge, huge, huge};
    int n = 4, newLargest = 0;
    bool big = false;
    const std::unique_ptr<int[]> kept(editClasses(newLargest, n, counts, big));
    EXPECT_FALSE(big);
    EXPECT_EQ(newLargest, huge);
}

TEST(GraphLayout, BarWidth)
{
    struct Case {
        int n, width;
    } cases[] = {{0, 6}, {1, 6}, {20, 6}, {21, 6}, {25, 6}, {26, 5}, {30, 5}, {31, 4}, {75, 2}, {150, 1}, {151, 0}, {1000, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(barWidth(c.n), c.width);
    }
}

TEST(GraphLayout, ScaleAndYAxisNumbersAgree)
{
    struct Case {
        int largest;
        long long scale;
        std::vector<int> numbers;
    } cases[] = {
        {250, 300, {0, 30, 60, 90, 120, 150, 180, 210, 240}},
        {0, 100, {}},
        {1, 100, {0}},
        {99, 100, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
        // a multiple of 100: the numbers step by the bars' scale, 200 / 10
        {100, 200, {0, 20, 40, 60, 80}},
        {101, 200, {0, 20, 40, 60, 80, 100}},
        {1000, 1100, {0, 110, 220, 330, 440, 550, 660, 770, 880, 990}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.largest);
        EXPECT_EQ(barScale(c.largest), c.scale);
        EXPECT_EQ(yAxisNumbers(c.largest), c.numbers);
    }
    EXPECT_EQ(barScale(std::numeric_limits<int>::max()), 2147483700LL);
    EXPECT_EQ(yAxisNumbers(std::numeric_limits<int>::max()).size(), 10u);
}

}  // namespace
