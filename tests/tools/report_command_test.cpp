#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/statistics_text.h"
#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/plain_passes.h"
#include "tests/support/temp_dir.h"
#include "tools/report_command.h"

namespace {

ChildResult report(const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {KARVO_REPORT_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv);
}

// The report's numbers from the plain passes.
Statistics reference(int rows, int cols, const std::vector<float>& h, const std::vector<float>* g, double unit,
                     int interval)
{
    const PassFigures p = plainPasses(rows, cols, h, g ? *g : std::vector<float>(), float(unit), interval);
    Statistics s;
    s.rows = rows, s.cols = cols, s.unit = unit, s.totalSq = p.totalSq, s.maxCurve = p.maxCurve;
    s.c15 = p.curveCounts[0], s.c10 = p.curveCounts[1], s.c5 = p.curveCounts[2], s.c = p.curveCounts[3];
    if (g == nullptr)
        return s;
    s.comparison = true, s.contourInterval = interval, s.hasRmse = p.hasRmse, s.rmse = p.rmse;
    s.d20 = p.diffCounts[0], s.d15 = p.diffCounts[1], s.d10 = p.diffCounts[2], s.d5 = p.diffCounts[3];
    s.d = p.diffCounts[4];
    return s;
}

class ReportTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(ReportTest, DemAloneMatchesAnIndependentComputation)
{
    srand(7);
    const int rows = 37, cols = 29;
    const std::vector<float> h = surface(rows, cols, [](int r, int c) { return 800 + 3 * r - 2 * c + (rand() % 100) / 25.0; });
    const std::string dem = dir.file("dem.grd");
    writeGridValues(dem, rows, cols, h, 30);
    for (double unit : {1.0, 0.7, 2.5}) {
        SCOPED_TRACE(unit);
        const ChildResult r = report({"--unit", std::to_string(unit), dem});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "Reading DEM data, 37 rows and 29 columns...\n" +
                             statisticsText(reference(rows, cols, h, nullptr, unit, 0)) + "\n");
    }
}

TEST_F(ReportTest, ComparisonFilesOfEveryType)
{
    srand(11);
    const int rows = 25, cols = 31;
    const std::vector<float> h = surface(rows, cols, [](int r, int c) { return 1500 + 4 * r + c + (rand() % 60) / 10.0; });
    const std::vector<float> g = surface(rows, cols, [&](int r, int c) {
        return rand() % 3 ? 0.0 : 20 * std::round(h[std::size_t(r) * cols + c] / 20);
    });
    const std::string dem = dir.file("dem.grd"), cmp = dir.file("cmp.grd");
    writeGridValues(dem, rows, cols, h);
    writeGridValues(cmp, rows, cols, g);
    struct Case {
        std::vector<std::string> args;
        int interval;
    } cases[] = {
        {{dem, cmp, "--type", "dem"}, 20},
        {{dem, cmp, "--type", "sparse", "--interval", "10"}, 10},
        {{"--interval", "35", dem, "--type", "dem", cmp}, 35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        const ChildResult r = report(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "Reading DEM data, 25 rows and 31 columns...\nReading sparse data, 25 rows and 31 columns...\n" +
                             statisticsText(reference(rows, cols, h, &g, 1.0, c.interval)) + "\n");
    }
}

TEST_F(ReportTest, ContourFilesGetTheirIntervalInferred)
{
    const std::vector<float> h = plane(6, 6, 100, 3, 3);
    const std::vector<float> g = surface(6, 6, [](int r, int c) { return r == 1 && c == 0 ? 100 : r == 4 && c == 4 ? 125 : 0; });
    const std::string dem = dir.file("dem.grd"), cmp = dir.file("cmp.grd");
    writeGridValues(dem, 6, 6, h);
    writeGridValues(cmp, 6, 6, g);
    const ChildResult r = report({dem, cmp, "--type", "contour", "--interval", "50"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Contour interval:   25\n"), std::string::npos);
}

TEST_F(ReportTest, NoComparisonPointPrintsNotAvailable)
{
    const std::string dem = dir.file("dem.grd"), cmp = dir.file("cmp.grd");
    writeGridValues(dem, 3, 3, flat(3, 3, 10));
    writeGridValues(cmp, 3, 3, flat(3, 3, 0));
    const ChildResult r = report({dem, cmp, "--type", "sparse"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\n\nRMSE: n/a\n"), std::string::npos);
}

TEST_F(ReportTest, GridsOfAnotherSizeDoNotMatch)
{
    const std::string dem = dir.file("dem.grd"), cmp = dir.file("cmp.grd");
    writeGridValues(dem, 3, 4, flat(3, 4, 10));
    writeGridValues(cmp, 4, 3, flat(4, 3, 10));
    const ChildResult r = report({dem, cmp, "--type", "dem"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Files do not match\n--align resamples the comparison onto the DEM's grid\n");
    EXPECT_EQ(r.out, "Reading DEM data, 3 rows and 4 columns...\nReading sparse data, 4 rows and 3 columns...\n");
}

TEST_F(ReportTest, ReadingFailuresKeepTheModelsMessageAndStatus)
{
    const std::string bad = dir.file("bad.grd");
    writeText(bad, "NCOLS 2\nNROWS 2\n");
    ChildResult r = report({bad});
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out, "ERROR: 'ncols' not found in input file\n");
    r = report({dir.file("absent.grd")});
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out, "ERROR: file \"" + dir.file("absent.grd") + "\" not found\n");
}

TEST_F(ReportTest, UsageErrors)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"a.grd", "b.grd"},
        {"a.grd", "--type", "dem"},
        {"a.grd", "b.grd", "--type", "raster"},
        {"a.grd", "b.grd", "c.grd", "--type", "dem"},
        {"--unit", "abc", "a.grd"},
        {"--unit", "0", "a.grd"},
        {"--unit"},
        {"--frobnicate", "a.grd"},
        {"a.grd", "b.grd", "--type", "dem", "--interval", "0"},
        {"--format", "xml", "a.grd"},
        {"--map", "difference", "levels.tif", "a.grd"},  // no differences without comparison data
        {"--map", "slope", "levels.tif", "a.grd"},
        {"--sparse", "100", "--format", "json", "a.grd"},
        {"--accuracy", "a.grd"},  // no accuracy without comparison data
        {"--unit", "1e-46", "a.grd"},  // 0 as a float
        {"--unit", "1e-39", "a.grd"},  // subnormal as a float
        {"--unit", "1e39", "a.grd"},   // beyond the float range
        {"--", "a.grd", "--classes"},  // a second file, with no type
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const ChildResult r = report(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, reportUsage);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(ReportTest, AnOutputThatIsAnInputByAnotherNameIsRefusedBeforeReading)
{
    const std::string dem = dir.file("dem.grd"), other = dir.path() + "/./dem.grd";
    writeGridValues(dem, 2, 2, flat(2, 2, 10));
    using Args = std::vector<std::string>;
    for (const Args& args : {Args{"--map", "curvature", other, dem}, Args{"-o", other, "--sparse", "100", dem},
                             Args{"--map", "difference", other, "new.grd", dem, "--type", "dem"}}) {
        SCOPED_TRACE(args[0]);
        const ChildResult r = report(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Cannot write " + other + ": it is the same file as the input " + dem + "\n");
    }
}

TEST_F(ReportTest, AReportThatCannotBeWrittenFails)
{
    const std::string dem = dir.file("dem.grd");
    writeGridValues(dem, 3, 3, flat(3, 3, 10));
    for (const char* options : {"", "--format json", "--help"}) {
        const std::string command = std::string("exec ") + KARVO_REPORT_BINARY + " " + options + " " + dem;
        const ChildResult r = runProgram({"/bin/sh", "-c", command + " > /dev/full"});
        EXPECT_EQ(r.status, 1) << options;
        EXPECT_NE(r.err.find("Cannot write the report to standard output\n"), std::string::npos) << options;
    }
}

TEST_F(ReportTest, HelpAndVersionGoToStandardOutput)
{
    ChildResult r = report({"a.grd", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* option : {"--unit", "--exaggeration", "--type", "--interval", "--classes", "--sparse", "-o ",
                               "--mask-nodata", "--degrees", "--format", "--accuracy", "--map", "--trust-raster", "--version"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    r = report({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("karvo-report ", 0), 0u);
}

TEST(ReportArguments, TwoDashesEndTheOptionsAndUnitsReachTheEndsOfTheNormalFloats)
{
    const auto pair = parseReportArguments({"--type", "dem", "--unit", "1.18e-38", "--", "-x.tif", "--"});
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->dem + " " + pair->comparison, "-x.tif --");
    EXPECT_TRUE(parseReportArguments({"--unit", "3.4e38", "a.grd"}));
}

TEST(ReportArguments, OptionsAnywhereAndExaggerationTruncated)
{
    const auto options = parseReportArguments(
        {"--exaggeration", "3.9", "d.grd", "--unit", "0.5", "c.grd", "--trust-raster", "--type", "contour"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->trustRaster);
    EXPECT_EQ(options->exaggeration, 3);
    EXPECT_EQ(options->unit, 0.5);
    EXPECT_EQ(options->dem, "d.grd");
    EXPECT_EQ(options->comparison, "c.grd");
    EXPECT_EQ(options->fileType, 3);
    EXPECT_EQ(options->interval, 20);
}

}  // namespace
