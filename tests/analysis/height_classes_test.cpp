#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "analysis/height_classes.h"
#include "model/mountain.h"
#include "tests/support/console_capture.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

class HeightClassTest : public ModelTest {
protected:
    // Runs the pass on mt with rd's interval set to interval; returns what it printed.
    std::string pass(int interval)
    {
        rd.setContourInt(interval);
        ConsoleCapture console;
        mt.computeHeightClasses();
        return console.out();
    }
    std::vector<int> table() const { return mt.classes(); }
};

std::string reportOf(const std::vector<int>& counts)
{
    std::string text = "Height Classes Output\n";
    for (std::size_t i = 1; i < counts.size(); i++)
        text += std::to_string(i) + " " + std::to_string(counts[i]) + "\n";
    return text;
}

TEST_F(HeightClassTest, RoundedHeightsAtTheirPositionInTheInterval)
{
    setGrid(mt, 1, 5, {1500.0f, 1500.4f, 1500.5f, 1519.6f, 1519.4f});
    const std::string printed = pass(20);
    std::vector<int> expected(20, 0);
    expected[0] = 3;  // 1500, 1500.4 and 1519.6 (1520 is a contour level)
    expected[1] = 1;
    expected[19] = 1;
    EXPECT_EQ(table(), expected);
    EXPECT_EQ(mt.classMin(), 0);
    EXPECT_EQ(mt.classMax(), 3);
    EXPECT_EQ(printed, reportOf(expected));
}

TEST_F(HeightClassTest, IntervalOneHasOnlyTheContourClass)
{
    setGrid(mt, 3, 4, plane(3, 4, 100.3, 7.1, -2.6));
    EXPECT_EQ(pass(1), "Height Classes Output\n");
    EXPECT_EQ(table(), std::vector<int>{12});
    EXPECT_EQ(mt.classMin(), 12);
    EXPECT_EQ(mt.classMax(), 12);
}

TEST_F(HeightClassTest, AllPointsInOneClass)
{
    setGrid(mt, 10, 10, flat(10, 10, 1505));
    const std::string printed = pass(10);
    std::vector<int> expected(10, 0);
    expected[5] = 100;
    EXPECT_EQ(table(), expected);
    EXPECT_EQ(mt.classMin(), 0);
    EXPECT_EQ(mt.classMax(), 100);
    EXPECT_EQ(printed, reportOf(expected));
    EXPECT_TRUE(mt.heightClassesFor(10));
}

TEST_F(HeightClassTest, ClassIsTheFlooredPositionNeverNegative)
{
    struct Case {
        float height;
        int interval, expected;
    } cases[] = {
        {-3, 20, 17},     {-0.7f, 20, 19},   {-0.5f, 20, 0},   {-0.51f, 20, 19}, {-20.5f, 20, 0},
        {-20.6f, 20, 19}, {1519.5f, 20, 0},  {39.49f, 20, 19}, {0.49f, 20, 0},   {1e10f, 7, 4},
        {-1, std::numeric_limits<int>::max(), std::numeric_limits<int>::max() - 1},
        {std::numeric_limits<float>::quiet_NaN(), 20, 0},
        {std::numeric_limits<float>::infinity(), 20, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " in " << c.interval);
        EXPECT_EQ(heightClass(c.height, c.interval), c.expected);
    }
    const int big = heightClass(-3.0e38f, 1000);
    EXPECT_GE(big, 0);
    EXPECT_LT(big, 1000);
}

TEST_F(HeightClassTest, AHundredThousandClassesAreCounted)
{
    setGrid(mt, 1, 2, {99999, 100000});
    pass(100000);
    EXPECT_TRUE(mt.heightClassesFor(100000) && table()[99999] == 1 && table()[0] == 1);
}

TEST_F(HeightClassTest, NegativeHeightsAreCountedAtTheirPosition)
{
    setGrid(mt, 2, 2, {-3, -0.7f, -40, 2});
    pass(20);
    std::vector<int> expected(20, 0);
    expected[17] = expected[19] = expected[0] = expected[2] = 1;
    EXPECT_EQ(table(), expected);
}

TEST_F(HeightClassTest, IntervalOutOfRangeIsRefusedAndDropsTheOldTable)
{
    setGrid(mt, 2, 2, flat(2, 2, 10));
    const std::pair<int, const char*> cases[] = {
        {0, ", not above 0"}, {-5, ", not above 0"}, {100001, ", more than 100000 classes"}};
    for (const auto& [interval, reason] : cases) {
        SCOPED_TRACE(interval);
        pass(20);
        ASSERT_TRUE(mt.heightClasses());
        const std::string printed = pass(interval);
        EXPECT_EQ(printed, "Height classes not computed: the contour interval is " + std::to_string(interval) + reason +
                               "\n");
        EXPECT_FALSE(mt.heightClasses());
        EXPECT_FALSE(mt.heightClassesFor(20));
        EXPECT_EQ(mt.classMin(), 0);
        EXPECT_EQ(mt.classMax(), 0);
    }
}

TEST_F(HeightClassTest, ATableIsOnlyForItsOwnInterval)
{
    setGrid(mt, 1, 4, {13, 14, 33, 7});
    pass(20);
    EXPECT_EQ(table()[13], 2);
    rd.setContourInt(10);
    EXPECT_TRUE(mt.heightClasses());
    EXPECT_FALSE(mt.heightClassesFor(10));
    pass(10);
    ASSERT_TRUE(mt.heightClassesFor(10));
    EXPECT_EQ(table(), (std::vector<int>{0, 0, 0, 2, 1, 0, 0, 1, 0, 0}));
}

}  // namespace
