#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "analysis/curvature.h"
#include "analysis/statistics_text.h"
#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

std::string spaces(int n) { return std::string(n, ' '); }

Statistics example()
{
    Statistics s;
    s.rows = 220;
    s.cols = 250;
    s.totalSq = 66200.53f;
    s.maxCurve = 111.51f;
    s.c15 = 275;
    s.c10 = 1946;
    s.c5 = 4277;
    s.c = 48033;
    s.unit = 1.0;
    return s;
}

TEST(StatisticsText, DemAloneEndsAfterTheFourthLevel)
{
    EXPECT_EQ(statisticsText(example()),
              "\t\t\t\t\t Statistics\n\n"
              "Gridsize: 220 x 250\n\n"
              "DEM STATISTICS:\nTotal Squared Curvature:" + spaces(16) + "66200.53"
              "\nMaximum Curvature:" + spaces(28) + "111.51"
              "\n\nCounts for curvature levels:\n"
              "   >    3.0" + spaces(26) + "275"
              "\n   >    2.0" + spaces(24) + "1946"
              "\n   >    1.0" + spaces(24) + "4277"
              "\n   <=  1.0" + spaces(22) + "48033");
}

TEST(StatisticsText, ComparisonSectionWithRmse)
{
    Statistics s = example();
    s.comparison = true;
    s.contourInterval = 20;
    s.d20 = 12426;
    s.d15 = 3137;
    s.d10 = 352;
    s.d5 = 4;
    s.d = 0;
    s.hasRmse = true;
    s.rmse = 5.1194f;
    const std::string text = statisticsText(s);
    const std::string tail =
        "\n\nCOMPARISON STATISTCS\n"
        "Contour interval:   20"
        "\nCounts for differences relative to contour interval percentage:\n"
        "   >  20%: " + spaces(24) + "12426"
        "\n   >  15%: " + spaces(26) + "3137"
        "\n   >  10%: " + spaces(28) + "352"
        "\n   >    5%: " + spaces(32) + "4"
        "\n   <=  5%: " + spaces(32) + "0"
        "\n\nRMSE: 5.119";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.substr(0, text.size() - tail.size()), statisticsText(example()));
}

TEST(StatisticsText, RmseWithoutAnyComparisonPointReadsNotAvailable)
{
    Statistics s = example();
    s.comparison = true;
    s.hasRmse = false;
    const std::string text = statisticsText(s);
    EXPECT_EQ(text.substr(text.size() - 11), "\n\nRMSE: n/a");
}

TEST(StatisticsText, LevelLinesFollowTheUnit)
{
    Statistics s = example();
    s.unit = 0.3;
    s.c15 = 12;
    const std::string text = statisticsText(s);
    EXPECT_NE(text.find("   >    0.9" + std::string(28, ' ') + "12\n"), std::string::npos);
    EXPECT_NE(text.find("\n   >    0.6"), std::string::npos);
    EXPECT_NE(text.find("\n   >    0.3"), std::string::npos);
    EXPECT_NE(text.find("\n   <=  0.3"), std::string::npos);
}

TEST(StatisticsText, PaddingIsOnePairOfSpacesPerMissingCharacter)
{
    EXPECT_EQ(padded("12", 16), std::string(28, ' ') + "12");
    EXPECT_EQ(padded("123456789012345", 16), "  123456789012345");
    EXPECT_EQ(padded("1234567890123456", 16), "1234567890123456");
    EXPECT_EQ(padded("12345678901234567", 16), "12345678901234567");
    EXPECT_EQ(padded("", 2), "    ");
}

TEST(StatisticsText, HugeNumbersAreWrittenInFull)
{
    Statistics s = example();
    s.totalSq = 3.0e38f;
    char full[64];
    std::snprintf(full, sizeof full, "%.2f", double(s.totalSq));
    ASSERT_GT(std::string(full).size(), 16u);
    EXPECT_NE(statisticsText(s).find(std::string("Curvature:") + full + "\nMaximum"), std::string::npos);
}

using CurrentStatistics = ModelTest;

TEST_F(CurrentStatistics, TakesThePublishedFiguresAndTheRmseOfTheComparisonData)
{
    setGrid(mt, 3, 7, flat(3, 7, 10));
    C = 48033;
    Statistics s = currentStatistics(0.3, true);
    EXPECT_EQ(s.rows, 3);
    EXPECT_EQ(s.cols, 7);
    EXPECT_EQ(s.c, 48033);
    EXPECT_EQ(s.unit, 0.3);
    EXPECT_FALSE(s.hasRmse);  // no comparison point: "RMSE: n/a"
    std::vector<float> spots(21, 0.0f);
    spots[3] = 13;
    spots[17] = 16;
    setGrid(rd, 3, 7, spots);
    s = currentStatistics(1, false);
    EXPECT_FALSE(s.comparison);
    // Against the flat DEM of 10: differences 3 and 6 give sqrt((9 + 36) / 2).
    EXPECT_TRUE(s.hasRmse);
    EXPECT_NEAR(s.rmse, 4.743, 5e-4);
}

}  // namespace
