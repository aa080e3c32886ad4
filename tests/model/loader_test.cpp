#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "model/colour_codes.h"
#include "model/loader.h"
#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

class LoaderTest : public ModelTest {
protected:
    TempDir dir;
    std::string dem5x5, comparison5x5, comparison4x5, comparison5x4;

    void SetUp() override
    {
        ModelTest::SetUp();
        dem5x5 = dir.file("dem.grd");
        writeGridValues(dem5x5, 5, 5, spike(5, 5, 100, 2, 2, 10));
        comparison5x5 = dir.file("cmp.grd");
        writeGridValues(comparison5x5, 5, 5, surface(5, 5, [](int r, int c) { return (r + c) % 2 ? 0.0 : 95.0; }));
        comparison4x5 = dir.file("cmp45.grd");
        writeGridValues(comparison4x5, 4, 5, flat(4, 5, 100));
        comparison5x4 = dir.file("cmp54.grd");
        writeGridValues(comparison5x4, 5, 4, flat(5, 4, 100));
        testing::internal::CaptureStdout();
    }
    void TearDown() override
    {
        testing::internal::GetCapturedStdout();
        ModelTest::TearDown();
    }
    bool load(const std::string& dem, const std::string& comparison, int files)
    {
        bool match = false;
        allocated = false;
        mt.reset();
        start(dem.c_str(), 1, files == 2 ? comparison.c_str() : nullptr, CONTF_TYPE, match, files);
        return match;
    }
    static const int CONTF_TYPE = 3;
};

TEST_F(LoaderTest, OneFileBuildsMeshAndCurvatureButNoDifference)
{
    multFiles = true;
    EXPECT_TRUE(load(dem5x5, "", 1));
    EXPECT_FALSE(multFiles);
    EXPECT_EQ(mt.triangleCount, 32);
    EXPECT_EQ(cArrayCount, 9);
    EXPECT_EQ(dArrayCount, 0);
    for (int i = 0; i < mt.triangleCount; i++)
        EXPECT_EQ(mt.triangles[i].diffColor, MOUNTAINGREEN);
}

TEST_F(LoaderTest, TwoMatchingFilesAddTheDifferencePass)
{
    rd.setContourInt(20);
    EXPECT_TRUE(load(dem5x5, comparison5x5, 2));
    EXPECT_TRUE(multFiles);
    EXPECT_FALSE(pairRefused);
    // Points (r, c) with r + c even carry 95; the cells' first corners with data are the
    // 8 of the 16 cells whose corner sum is even. All differ by 5 (or 15 at the spike).
    EXPECT_EQ(dArrayCount, 8);
    EXPECT_EQ(D20, 8);
    EXPECT_EQ(D, 8);
}

TEST_F(LoaderTest, PairsOfAnotherSizeAreRefusedAndLeaveNoMesh)
{
    EXPECT_TRUE(load(dem5x5, comparison5x5, 2));
    ASSERT_GT(mt.triangleCount, 0);
    for (const std::string& other : {comparison4x5, comparison5x4}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(load(dem5x5, other, 2));
        EXPECT_TRUE(multFiles);
        EXPECT_TRUE(pairRefused);
        EXPECT_EQ(mt.triangleCount, 0);
        EXPECT_EQ(mt.triangles, nullptr);
        EXPECT_EQ(cArrayCount, 0);
        EXPECT_EQ(dArrayCount, 0);
        EXPECT_EQ(C + C5 + C10 + C15, 0);
        EXPECT_EQ(D + D5 + D10 + D15 + D20, 0);
        EXPECT_EQ(rd.getRows() * rd.getCols(), 20);  // the new grids are held nonetheless
        rebuild(1, true);                            // and nothing is built from the mix
        EXPECT_EQ(mt.triangleCount, 0);
    }
    EXPECT_TRUE(load(dem5x5, comparison5x5, 2));
    EXPECT_FALSE(pairRefused);
    EXPECT_EQ(mt.triangleCount, 32);
}

TEST_F(LoaderTest, AddFileAfterOneFileTurnsOnTheDifference)
{
    rd.setContourInt(20);
    EXPECT_TRUE(load(dem5x5, "", 1));
    bool match = false;
    addFile(comparison5x5.c_str(), 1, match);
    EXPECT_TRUE(match);
    EXPECT_TRUE(multFiles);
    EXPECT_EQ(dArrayCount, 8);
}

TEST_F(LoaderTest, AddFileOfAnotherSizeKeepsTheDemAndDropsDifferences)
{
    rd.setContourInt(20);
    EXPECT_TRUE(load(dem5x5, comparison5x5, 2));
    const int curvatureCells = C15 + C10 + C5 + C;
    bool match = true;
    addFile(comparison4x5.c_str(), 1, match);
    EXPECT_FALSE(match);
    EXPECT_FALSE(multFiles);
    EXPECT_FALSE(pairRefused);
    EXPECT_EQ(mt.triangleCount, 32);
    EXPECT_EQ(C15 + C10 + C5 + C, curvatureCells);
    EXPECT_EQ(dArrayCount, 0);
    EXPECT_EQ(D20 + D15 + D10 + D5 + D, 0);
    for (int i = 0; i < mt.triangleCount; i++)
        EXPECT_EQ(mt.triangles[i].diffColor, MOUNTAINGREEN);
}

TEST_F(LoaderTest, AddFileBeforeAnyDemIsRefused)
{
    bool match = true;
    addFile(comparison5x5.c_str(), 1, match);
    EXPECT_FALSE(match);
    EXPECT_EQ(mt.triangleCount, 0);
}

TEST_F(LoaderTest, AddFileKeepsThePreviousInterval)
{
    rd.setContourInt(0);
    const std::string contours = dir.file("contours.grd");
    writeGridValues(contours, 5, 5, surface(5, 5, [](int r, int) { return r == 1 ? 90.0 : r == 3 ? 100.0 : 0.0; }));
    EXPECT_TRUE(load(dem5x5, contours, 2));
    EXPECT_EQ(rd.getContourInt(), 10);
    bool match = false;
    addFile(comparison5x5.c_str(), 1, match);
    EXPECT_EQ(rd.getContourInt(), 10);
}

TEST_F(LoaderTest, RebuildRunsTheChainWithTheNewExaggeration)
{
    EXPECT_TRUE(load(dem5x5, "", 1));
    const float z = mt.triangles[12].v1[2];
    rebuild(4, false);
    EXPECT_FLOAT_EQ(mt.triangles[12].v1[2], 4 * z);
    EXPECT_EQ(mt.exageration, 4.0f);
    EXPECT_EQ(cArrayCount, 9);
}

}  // namespace
