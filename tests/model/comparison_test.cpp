#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/mountain.h"
#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

class ComparisonTest : public ModelTest {
protected:
    TempDir dir;

    void readComparison(int rows, int cols, const std::vector<float>& values)
    {
        const std::string path = dir.file("comparison.grd");
        writeGridValues(path, rows, cols, values);
        const char* names[2] = {nullptr, path.c_str()};
        testing::internal::CaptureStdout();
        rd.readgridfile(names, 2);
        output = testing::internal::GetCapturedStdout();
    }
    std::string output;
};

TEST_F(ComparisonTest, ReadsValuesAndAnnouncesSparseData)
{
    readComparison(2, 3, {0, 1500, 0, 0, 1520, 0});
    EXPECT_EQ(output, "Reading sparse data, 2 rows and 3 columns...\n");
    EXPECT_TRUE(sparseData);
    EXPECT_EQ(rd.getGrid(1, 1), 1520.0f);
    EXPECT_EQ(rd.getZmin(), 0.0f);
    EXPECT_EQ(rd.getZmax(), 1520.0f);
}

TEST_F(ComparisonTest, InfersTheContourIntervalFromTheFirstHigherLevel)
{
    struct Case {
        const char* name;
        std::vector<float> values;
        int interval;
    } cases[] = {
        {"first higher level", {0, 1500, 0, 1480, 1520, 1540, 0, 0}, 20},
        {"only one level", {0, 1500, 0, 0, 1500, 0, 1490, 0}, 1500},
        {"truncation, not rounding", {1500.7f, 0, 1520.2f, 0, 0, 0, 0, 0}, 20},
        {"zero cells take part in the second step", {-5, 0, 7, 0, 0, 0, 0, 0}, 5},
        {"fraction below one waits for the next value", {0, 0.5f, 1500, 1520, 0, 0, 0, 0}, 20},
        {"all zero", {0, 0, 0, 0, 0, 0, 0, 0}, 0},
        {"the first value is not tested twice", {1500, 1500, 1600, 1700, 0, 0, 0, 0}, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rd.setContourInt(0);
        readComparison(2, 4, c.values);
        EXPECT_EQ(rd.getContourInt(), c.interval);
    }
}

TEST_F(ComparisonTest, APresetIntervalSurvivesTheRead)
{
    rd.setContourInt(20);
    readComparison(1, 3, {1500, 1600, 1700});
    EXPECT_EQ(rd.getContourInt(), 20);
}

TEST_F(ComparisonTest, RmseOverCellsWithDataOnly)
{
    setGrid(mt, 2, 3, {100, 200, 300, 400, 500, 600});
    readComparison(2, 3, {103, 0, -300, 396, 500, 0});
    // Only 103, 396 and 500 carry data: differences 3, -4 and 0.
    EXPECT_FLOAT_EQ(rd.rmse(), std::sqrt(25.0f / 3));
    float value = 0;
    EXPECT_TRUE(rd.tryRmse(value));
    EXPECT_FLOAT_EQ(value, std::sqrt(25.0f / 3));
}

TEST_F(ComparisonTest, RmseOfAnIdenticalComparisonIsZero)
{
    const std::vector<float> heights = {12.5f, 40, 41.25f, 3};
    setGrid(mt, 2, 2, heights);
    readComparison(2, 2, heights);
    EXPECT_EQ(rd.rmse(), 0.0f);
}

TEST_F(ComparisonTest, RmseWithoutAnyPointEndsWithDiv0)
{
    setGrid(mt, 1, 2, {1, 2});
    readComparison(1, 2, {0, -3});
    float value = 42;
    EXPECT_FALSE(rd.tryRmse(value));
    EXPECT_EQ(value, 42.0f);
    const ChildResult r = runInChild([] { rd.rmse(); });
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out, "ERROR: Divide by zero while computing RMSE!\n");
}

TEST_F(ComparisonTest, RmseOfGridsOfAnotherSizeHasNoPoint)
{
    setGrid(mt, 2, 2, {1, 2, 3, 4});
    readComparison(3, 2, {1, 2, 3, 4, 5, 6});
    float value = 0;
    EXPECT_FALSE(rd.tryRmse(value));
}

TEST_F(ComparisonTest, RmseSumStaysExactOverMillionsOfPoints)
{
    // Two million squared differences of 9: a float sum drifts once it passes 2^24.
    const int rows = 1000, cols = 2000;
    setGrid(mt, rows, cols, std::vector<float>(std::size_t(rows) * cols, 100.0f));
    setGrid(rd, rows, cols, std::vector<float>(std::size_t(rows) * cols, 103.0f));
    EXPECT_EQ(rd.rmse(), 3.0f);
}

}  // namespace
