#include <gtest/gtest.h>

#include <vector>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "model/colour_codes.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

class DifferenceTest : public ModelTest {
protected:
    // A one-row DEM of heights 100 and a comparison row with the given values; the
    // last point of the row belongs to no cell, so a trailing 0 is added.
    void run(const std::vector<float>& comparison, int interval)
    {
        const int cols = static_cast<int>(comparison.size()) + 1;
        std::vector<float> dem(2 * cols, 100.0f), cmp(2 * cols, 0.0f);
        std::copy(comparison.begin(), comparison.end(), cmp.begin());
        buildDem(2, cols, dem);
        setGrid(rd, 2, cols, cmp);
        rd.setContourInt(interval);
        mt.compute_diff_color();
    }
    int colour(int cell) const { return differenceLevelColour(mt.diffLevels[cell]); }
};

TEST_F(DifferenceTest, LevelsOfTheContourInterval)
{
    // Differences 0.9, 1, 1.5, 2.5, 3.5 and 5 against interval 20.
    run({99.1f, 99, 98.5f, 97.5f, 96.5f, 95}, 20);
    const int expected[] = {MOUNTAINGREEN, YELLOW, YELLOW, ORANGE, RED, VIOLET};
    for (int i = 0; i < 6; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(colour(i), expected[i]);
    }
    EXPECT_EQ(D20, 1);
    EXPECT_EQ(D15, 1);
    EXPECT_EQ(D10, 1);
    EXPECT_EQ(D5, 2);
    EXPECT_EQ(D, 1);
    EXPECT_EQ(mt.diffCounts()[3], 2);
}

TEST_F(DifferenceTest, EachPassHasOneResetThatClearsEveryName)
{
    buildDem(5, 5, spike(5, 5, 100, 2, 2, 10));
    setGrid(rd, 5, 5, flat(5, 5, 97));
    rd.setContourInt(20);
    mt.compute_diff_color();
    ASSERT_EQ(MAX_CURVE + dArrayMax, 40.0f + 13.0f);
    resetCurvature();
    resetDifference();
    EXPECT_TRUE(cArray == nullptr && dArray == nullptr);
    for (float figure : {cArrayMax, cArrayMin, MAX_CURVE, TOTAL_SQ, mt.totalSq(), mt.maxCurve(), dArrayMax, dArrayMin})
        EXPECT_EQ(figure, 0.0f);
    for (int count : {cArrayCount, C15, C10, C5, C, mt.curveCounts()[0], dArrayCount, D20, D15, D10, D5, D,
                      mt.diffCounts()[4]})
        EXPECT_EQ(count, 0);
}

TEST_F(DifferenceTest, ExactFractionsFallInTheHigherLevel)
{
    struct Case {
        float difference;
        int interval, colour;
    } cases[] = {{1, 20, YELLOW}, {2, 20, ORANGE}, {3, 20, RED}, {4, 20, VIOLET}, {0.5f, 10, YELLOW},
                 {-4, 20, VIOLET}, {0, 20, MOUNTAINGREEN}, {0.99f, 20, MOUNTAINGREEN}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.difference);
        EXPECT_EQ(differenceColour(c.difference, c.interval), c.colour);
    }
}

TEST_F(DifferenceTest, SignedValuesOnlyWhereTheComparisonHasData)
{
    run({0, 105, -3, 97, 0}, 20);
    ASSERT_EQ(dArrayCount, 2);
    EXPECT_EQ(dArray[0], -5.0f);
    EXPECT_EQ(dArray[1], 3.0f);
    EXPECT_EQ(dArrayMin, -5.0f);
    EXPECT_EQ(dArrayMax, 3.0f);
    EXPECT_EQ(colour(1), VIOLET);
    EXPECT_EQ(colour(2), MOUNTAINGREEN);  // -3 carries no data
    EXPECT_EQ(D, 3);
    EXPECT_EQ(D20 + D15 + D10 + D5 + D, 5);
}

TEST_F(DifferenceTest, ExtremesStartFromTheFirstStoredDifferenceOrStayZero)
{
    struct Case {
        std::vector<float> comparison;
        float max, min;
        int count, d;
    } cases[] = {{{0, 0, 90, 95}, 10, 5, 2, 2}, {{0, -1, 0}, 0, 0, 0, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        dArrayMax = 1000;
        dArrayMin = -1000;
        run(c.comparison, 20);
        EXPECT_EQ(dArrayMax, c.max);
        EXPECT_EQ(dArrayMin, c.min);
        EXPECT_EQ(dArrayCount, c.count);
        EXPECT_EQ(D, c.d);
    }
}

TEST_F(DifferenceTest, IntervalZeroGradesEveryDifferenceTopmost)
{
    run({99, 100, 100.5f}, 0);
    EXPECT_EQ(colour(0), VIOLET);
    EXPECT_EQ(colour(1), MOUNTAINGREEN);
    EXPECT_EQ(colour(2), VIOLET);
}

TEST_F(DifferenceTest, AnIdenticalComparisonIsAllLevelZero)
{
    const std::vector<float> h = plane(4, 5, 300, 7, 3);
    buildDem(4, 5, h);
    setGrid(rd, 4, 5, h);
    rd.setContourInt(20);
    mt.compute_diff_color();
    EXPECT_EQ(D, 12);
    EXPECT_EQ(dArrayCount, 12);
    EXPECT_EQ(dArrayMax, 0.0f);
    EXPECT_EQ(dArrayMin, 0.0f);
}

TEST_F(DifferenceTest, AComparisonOfAnotherSizeIsNeverIndexed)
{
    buildDem(3, 3, flat(3, 3, 100));
    setGrid(rd, 2, 2, {90, 90, 90, 90});
    rd.setContourInt(20);
    mt.compute_diff_color();
    EXPECT_EQ(dArrayCount, 0);
    EXPECT_EQ(mt.diffLevels, LargeVector<std::uint8_t>(4, 0));
}

}  // namespace
