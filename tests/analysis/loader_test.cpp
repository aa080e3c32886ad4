#include <gtest/gtest.h>

#include <cmath>
#include <sys/resource.h>

#include <cstdint>
#include <fstream>
#include <iostream>

#include <string>
#include <vector>

#include "analysis/accuracy.h"
#include "analysis/comparison_coregistration.h"
#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "model/error.h"
#include "model/mesh.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/raster_files.h"
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
    LoadOutcome load(const std::string& dem, const std::string& comparison, int files, int interval = 20)
    {
        return start(dem.c_str(), 1, files == 2 ? comparison.c_str() : nullptr, interval, files);
    }
    // What a load that does not take must leave as it was.
    struct Shown {
        float** dem;
        float** comparison;
        const std::uint8_t* levels;
        int interval, curvatureCells, differences;
        bool comparisonLoaded;
        bool operator==(const Shown& o) const
        {
            return dem == o.dem && comparison == o.comparison && levels == o.levels && interval == o.interval &&
                   curvatureCells == o.curvatureCells && differences == o.differences &&
                   comparisonLoaded == o.comparisonLoaded;
        }
    };
    static Shown shown()
    {
        return {mt.grid, rd.grid, mt.diffLevels.data(), rd.getContourInt(), C15 + C10 + C5 + C, dArrayCount, multFiles};
    }
};

TEST_F(LoaderTest, OneFileBuildsMeshAndCurvatureButNoDifference)
{
    ASSERT_EQ(load(dem5x5, comparison5x5, 2), LoadOutcome::Loaded);
    EXPECT_EQ(load(dem5x5, "", 1, 0), LoadOutcome::Loaded);
    EXPECT_FALSE(multFiles);
    EXPECT_EQ(mt.triangleCount, 32);
    EXPECT_EQ(cArrayCount, 9);
    EXPECT_EQ(dArrayCount, 0);
    EXPECT_EQ(D20 + D15 + D10 + D5 + D, 0);
    EXPECT_EQ(mt.diffLevels, LargeVector<std::uint8_t>(16, 0));
    EXPECT_EQ(dArray, nullptr);  // the values of the comparison before are gone
}

TEST_F(LoaderTest, TwoMatchingFilesAddTheDifferencePass)
{
    EXPECT_EQ(load(dem5x5, comparison5x5, 2), LoadOutcome::Loaded);
    EXPECT_TRUE(multFiles);
    // Points (r, c) with r + c even carry 95; the cells' first corners with data are the
    // 8 of the 16 cells whose corner sum is even. All differ by 5 (or 15 at the spike).
    EXPECT_EQ(dArrayCount, 8);
    EXPECT_EQ(D20, 8);
    EXPECT_EQ(D, 8);
}

TEST_F(LoaderTest, ALoadThatDoesNotTakeChangesNothing)
{
    const std::string shortFile = dir.file("short.grd");
    writeText(shortFile, "ncols 5\nnrows 5\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2 3\n");
    RasterSpec noHeight;
    noHeight.rows = noHeight.cols = 5;
    const std::string nans = dir.file("nan.tif");
    writeRaster(nans, noHeight, std::vector<float>(25, NAN));
    ASSERT_EQ(load(dem5x5, comparison5x5, 2), LoadOutcome::Loaded);
    const Shown before = shown();
    struct Case {
        const char* name;
        std::string dem, comparison;
        LoadOutcome outcome;
    };
    for (const Case& c : {Case{"refused DEM", shortFile, comparison5x5, LoadOutcome::DemRefused},
                          Case{"missing DEM", dir.file("none.grd"), "", LoadOutcome::DemRefused},
                          Case{"no valid height", nans, "", LoadOutcome::DemRefused},
                          Case{"refused comparison", dem5x5, shortFile, LoadOutcome::ComparisonRefused},
                          Case{"fewer rows", dem5x5, comparison4x5, LoadOutcome::SizesDiffer},
                          Case{"fewer columns", dem5x5, comparison5x4, LoadOutcome::SizesDiffer}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(load(c.dem, c.comparison, c.comparison.empty() ? 1 : 2, 7), c.outcome);
        EXPECT_TRUE(shown() == before);
        EXPECT_EQ(mt.nrows * mt.ncols, 25);
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("ERROR: file \"" + shortFile + "\" ends or holds a non-number after 3 of 25 heights"),
              std::string::npos);
    EXPECT_NE(out.find("ERROR: file \"" + nans + "\": has no valid height\n"), std::string::npos);
    testing::internal::CaptureStdout();
}

TEST_F(LoaderTest, AddFileAfterOneFileTurnsOnTheDifference)
{
    EXPECT_EQ(load(dem5x5, "", 1), LoadOutcome::Loaded);
    EXPECT_EQ(addFile(comparison5x5.c_str(), 1, 20), LoadOutcome::Loaded);
    EXPECT_TRUE(multFiles);
    EXPECT_EQ(dArrayCount, 8);
}

TEST_F(LoaderTest, AddFileOfAnotherSizeKeepsTheComparisonSetShown)
{
    EXPECT_EQ(load(dem5x5, comparison5x5, 2), LoadOutcome::Loaded);
    const Shown before = shown();
    const LargeVector<std::uint8_t> levels = mt.diffLevels;
    EXPECT_EQ(addFile(comparison4x5.c_str(), 1, 5), LoadOutcome::SizesDiffer);
    EXPECT_TRUE(shown() == before);
    EXPECT_EQ(D20, 8);
    EXPECT_EQ(mt.diffLevels, levels);
}

TEST_F(LoaderTest, AddFileBeforeAnyDemIsARefusedDem)
{
    EXPECT_EQ(addFile(comparison5x5.c_str(), 1, 20), LoadOutcome::DemRefused);
    EXPECT_EQ(rd.grid, nullptr);
    EXPECT_FALSE(multFiles);
}

TEST_F(LoaderTest, ANewDemDropsTheHeightClassesOfTheOldOne)
{
    EXPECT_EQ(load(dem5x5, "", 1, 20), LoadOutcome::Loaded);
    mt.computeHeightClasses();
    ASSERT_TRUE(mt.heightClassesFor(20));
    EXPECT_EQ(load(dem5x5, "", 1, 20), LoadOutcome::Loaded);
    EXPECT_FALSE(mt.heightClasses());
    EXPECT_EQ(mt.classes().capacity(), 0u);
}

TEST_F(LoaderTest, ASmallDemAfterALargeOneHoldsOnlyItsOwnLevels)
{
    const std::string large = dir.file("large.grd");
    writeGridValues(large, 40, 40, flat(40, 40, 100));
    ASSERT_EQ(load(large, "", 1), LoadOutcome::Loaded);
    ASSERT_EQ(load(dem5x5, "", 1), LoadOutcome::Loaded);
    EXPECT_EQ(mt.curveLevels.capacity() + mt.diffLevels.capacity(), 32u);
}

TEST_F(LoaderTest, CellsInDegreesGoWithAGeographicRasterUnlessTheUserChoseThem)
{
    RasterSpec s;
    s.rows = s.cols = 5;
    s.epsg = 4326;
    writeRaster(dir.file("geographic.tif"), s, flat(5, 5, 100));
    for (const bool chosen : {false, true}) {
        changeOptions(false, chosen);
        ASSERT_EQ(load(dir.file("geographic.tif"), "", 1), LoadOutcome::Loaded);
        EXPECT_TRUE(cellsInDegrees);
        ASSERT_EQ(load(dem5x5, "", 1), LoadOutcome::Loaded);
        EXPECT_EQ(cellsInDegrees, chosen);
    }
}

TEST_F(LoaderTest, AddFileKeepsThePreviousInterval)
{
    const std::string contours = dir.file("contours.grd");
    writeGridValues(contours, 5, 5, surface(5, 5, [](int r, int) { return r == 1 ? 90.0 : r == 3 ? 100.0 : 0.0; }));
    EXPECT_EQ(load(dem5x5, contours, 2, 0), LoadOutcome::Loaded);
    EXPECT_EQ(rd.getContourInt(), 10);
    addFile(comparison5x5.c_str(), 1, rd.getContourInt());
    EXPECT_EQ(rd.getContourInt(), 10);
}

TEST_F(LoaderTest, RebuildRunsTheChainWithTheNewExaggeration)
{
    EXPECT_EQ(load(dem5x5, "", 1), LoadOutcome::Loaded);
    const float z = MeshGeometry(mt).z(mt.grid[1][2]);
    rebuild(4, false);
    EXPECT_FLOAT_EQ(MeshGeometry(mt).z(mt.grid[1][2]), 4 * z);
    EXPECT_EQ(mt.exageration, 4.0f);
    EXPECT_EQ(cArrayCount, 9);
}

#if defined(__SANITIZE_ADDRESS__)
#define SKIP_UNDER_A_DATA_LIMIT() GTEST_SKIP() << "AddressSanitizer's own mappings exceed any data limit"
#else
#define SKIP_UNDER_A_DATA_LIMIT()
#endif

void limitData(std::uint64_t bytes)
{
    struct rlimit data = {bytes, RLIM_INFINITY};
    setrlimit(RLIMIT_DATA, &data);
}

// The bytes of private writable memory the process has mapped, which RLIMIT_DATA limits.
std::uint64_t dataInUse()
{
    std::ifstream in("/proc/self/status");
    std::string word;
    while (in >> word)
        if (word == "VmData:") {
            std::uint64_t kib = 0;
            in >> kib;
            return kib << 10;
        }
    return 0;
}

TEST_F(LoaderTest, AGridTheMemoryCannotHoldIsRefusedAndTheDataSetStays)
{
    SKIP_UNDER_A_DATA_LIMIT();
    const std::string big = dir.file("big.grd");
    writeText(big, "ncols 8192\nnrows 8192\nxllcorner 0\nyllcorner 0\ncellsize 1\n");
    const ChildResult r = runInChild([&] {
        load(dem5x5, comparison5x5, 2);
        const Shown before = shown();
        limitData(std::uint64_t(256) << 20);
        const bool dem = load(big, "", 1) == LoadOutcome::OutOfMemory;
        const bool pair = load(dem5x5, big, 2) == LoadOutcome::OutOfMemory;
        const bool added = addFile(big.c_str(), 1, 20) == LoadOutcome::OutOfMemory;
        std::cout << dem << pair << added << (shown() == before) << "\n";
    });
    const std::string refusal = "ERROR: file \"" + big + "\": a grid of 8192 rows and 8192 columns needs ";
    EXPECT_EQ(r.out.substr(r.out.size() - 5), "1111\n");
    EXPECT_NE(r.out.find(refusal + "639.9 MiB of memory; this process is limited to 256.0 MiB\n"), std::string::npos);
    // With a comparison grid: 670990354 + 268500992 + 4 x 8191^2 bytes.
    EXPECT_NE(r.out.find(refusal + "1.1 GiB of memory"), std::string::npos);
}

// The passes allocate after the files were read: when they run out of memory the data set
// that was shown comes back. The limit lets the comparison grid be read, as its estimate
// allows, but not the difference values on top of what the process already holds.
TEST_F(LoaderTest, PassesThatRunOutOfMemoryPutTheDataSetShownBack)
{
    SKIP_UNDER_A_DATA_LIMIT();
    const int side = 3000;
    const std::string dem = dir.file("large.grd");
    writeGridValues(dem, side, side, flat(side, side, 100));
    const ChildResult r = runInChild([&] {
        load(dem, "", 1);
        const std::uint64_t cells = std::uint64_t(side - 1) * (side - 1);
        const std::uint64_t heights = std::uint64_t(side) * side * 4;
        limitData(dataInUse() + heights + 4 * cells - (std::uint64_t(12) << 20));
        const Shown before = shown();
        std::cout << int(addFile(dem.c_str(), 1, 20) == LoadOutcome::OutOfMemory) << int(shown() == before)
                  << int(mt.curveLevels.size() == cells) << C << "\n";
    });
    EXPECT_NE(r.out.find("ERROR: file \"" + dem + "\": not enough memory to analyse a grid of 3000 rows and 3000 columns\n"),
              std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1), "111" + std::to_string((side - 1) * (side - 1)) + "\n");
}

double inclined(double x, double y) { return 100 + 0.5 * x + 0.25 * y; }

GridHeader header(int rows, int cols, double xll, double yll, double cellsize)
{
    GridHeader h;
    h.nrows = rows;
    h.ncols = cols;
    h.xllcorner = xll;
    h.yllcorner = yll;
    h.cellsize = cellsize;
    return h;
}

TEST_F(LoaderTest, AnAlignedComparisonTakesTheDemsGridAndItsValuesAtTheDemsPoints)
{
    // The DEM's pixel centres run from 0.5 to 4.5 both ways, inside every comparison's.
    const GridHeader demGrid = header(5, 5, 0, 0, 1);
    writeGridFile(dem5x5, demGrid, field(demGrid, inclined));
    const struct {
        const char* name;
        GridHeader grid;
        int type;
        double shift;  // where the value comes from: the DEM's point less this, both ways
    } cases[] = {
        {"twice the cellsize, bilinear", header(5, 5, -1.5, -1.5, 2), DEM, 0},
        {"half a cell off, bilinear", header(6, 6, -0.5, -0.5, 1), DEM, 0},
        {"a quarter cell off, sparse data from the nearest point", header(6, 6, -0.25, -0.25, 1), SPARSEF, 0.25},
    };
    alignComparisonGrid = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeGridFile(comparison5x5, c.grid, field(c.grid, inclined));
        ASSERT_EQ(start(dem5x5.c_str(), 1, comparison5x5.c_str(), 20, 2, c.type), LoadOutcome::Loaded);
        EXPECT_EQ(rd.nrows * 10 + rd.ncols, 55);
        EXPECT_EQ(rd.cellsizeRead, 1);
        EXPECT_EQ(rd.xllRead, 0);
        for (int r = 0; r < 5; r++)
            for (int col = 0; col < 5; col++)
                EXPECT_NEAR(rd.grid[r][col], inclined(col + 0.5 - c.shift, 4.5 - r - c.shift), 1e-3) << r << " " << col;
    }
}

TEST_F(LoaderTest, AComparisonOffTheDemIsRefusedAndChangesNothing)
{
    ASSERT_EQ(load(dem5x5, comparison5x5, 2), LoadOutcome::Loaded);
    const Shown before = shown();
    const GridHeader far = header(5, 5, 100, 100, 1);
    writeGridFile(comparison4x5, far, flat(5, 5, 100));
    alignComparisonGrid = true;
    EXPECT_EQ(load(dem5x5, comparison4x5, 2), LoadOutcome::NoOverlap);
    EXPECT_EQ(addFile(comparison4x5.c_str(), 1, 20), LoadOutcome::NoOverlap);
    EXPECT_TRUE(shown() == before);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("ERROR: file \"" + comparison4x5 + "\": does not overlap the DEM\n"), std::string::npos);
    testing::internal::CaptureStdout();
}

TEST_F(LoaderTest, AComparisonsOwnNodataPointsHoldNoValueWithMaskingOrAlignment)
{
    // 32767, a common nodata value, would otherwise be a height kilometres off.
    GridHeader withNodata = header(5, 5, 0, 0, 1);
    withNodata.hasNodata = true;
    withNodata.nodata = 32767;
    std::vector<float> values = flat(5, 5, 95);
    values[6] = 32767;
    writeGridFile(comparison5x5, withNodata, values);
    RasterSpec raster;
    raster.rows = raster.cols = 5;
    raster.transform[3] = 5;  // on the DEM: its north edge at 5
    raster.hasNodata = true;
    raster.nodata = 32767;
    const std::string tif = dir.file("cmp.tif");
    writeRaster(tif, raster, values);
    const struct {
        std::string file;
        bool mask, align, noValue;
    } cases[] = {{comparison5x5, false, false, false}, {comparison5x5, true, false, true},
                 {comparison5x5, false, true, true},   {tif, false, false, false},
                 {tif, true, false, true},             {tif, false, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + (c.mask ? " masked" : "") + (c.align ? " aligned" : ""));
        maskNodata = c.mask;
        alignComparisonGrid = c.align;
        ASSERT_EQ(load(dem5x5, c.file, 2), LoadOutcome::Loaded);
        EXPECT_EQ(std::isnan(rd.grid[1][1]), c.noValue);
        EXPECT_EQ(currentAccuracy()->points, c.noValue ? 24 : 25);
        EXPECT_EQ(rd.zmax, c.noValue ? 95 : 32767);
    }
}

TEST_F(LoaderTest, CoregistrationTakesTheComparisonsPlaceUntilUndoneOrOtherDataCome)
{
    // Slopes facing every way; the reference lies 0.3 cell east, 0.2 cell south and 1.5 up.
    const GridHeader grid = header(60, 60, 0, 0, 10);
    auto terrain = [](double x, double y) {
        return 300 + 40 * std::sin(x / 70) * std::cos(y / 90) + 25 * std::sin((x + y) / 55);
    };
    writeGridFile(dem5x5, grid, field(grid, terrain));
    writeGridFile(comparison5x5, grid, field(grid, [&](double x, double y) { return terrain(x - 3, y + 2) + 1.5; }));
    ASSERT_EQ(load(dem5x5, comparison5x5, 2, 4), LoadOutcome::Loaded);
    float** asRead = rd.grid;
    const float value = rd.grid[30][30];
    const int within = D;

    const ComparisonCoregistration c = coregisterComparison();
    ASSERT_TRUE(c.applied);
    EXPECT_NEAR(c.result.eastCells, 0.3, 0.05);
    EXPECT_NEAR(c.result.northCells, -0.2, 0.05);
    EXPECT_NEAR(c.result.bias, 1.5, 0.05);
    EXPECT_TRUE(comparisonCoregistered());
    EXPECT_NE(rd.grid, asRead);
    EXPECT_NEAR(rd.grid[30][30], mt.grid[30][30], 0.1);
    EXPECT_GT(D, within);  // the differences shrank below 5 % of the interval

    undoCoregistration();
    EXPECT_FALSE(comparisonCoregistered());
    EXPECT_EQ(rd.grid, asRead);
    EXPECT_EQ(rd.grid[30][30], value);
    EXPECT_EQ(D, within);

    ASSERT_TRUE(coregisterComparison().applied);
    ASSERT_EQ(addFile(comparison5x5.c_str(), 1, 4), LoadOutcome::Loaded);
    EXPECT_FALSE(comparisonCoregistered());
    ASSERT_EQ(load(dem5x5, "", 1), LoadOutcome::Loaded);
    EXPECT_NE(coregisterComparison().problem, "");  // no comparison data beside the DEM
}

}  // namespace
