// karvo-report's height class and sparse data options, run as the real binary.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/statistics_text.h"
#include "model/mountain.h"
#include "tests/support/child_process.h"
#include "tests/support/console_capture.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/sparse_reference.h"
#include "tests/support/temp_dir.h"
#include "tools/report_command.h"

namespace {

ChildResult report(const std::vector<std::string>& args, const std::string& input = "")
{
    std::vector<std::string> argv = {KARVO_REPORT_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv, input);
}

// Counts of (h + 0.5 truncated) mod interval for heights of 0 and above, as printed.
std::string classReport(const std::vector<float>& heights, int interval)
{
    std::vector<int> counts(interval, 0);
    for (float h : heights)
        counts[static_cast<long long>(h + 0.5) % interval]++;
    std::string text = "Height Classes Output\n";
    for (int i = 1; i < interval; i++)
        text += std::to_string(i) + " " + std::to_string(counts[i]) + "\n";
    return text;
}

class ReportAnalysisTest : public ModelTest {
protected:
    TempDir dir;
    const int rows = 21, cols = 26;
    std::vector<float> heights;
    std::string dem = dir.file("dem.grd");

    void SetUp() override
    {
        ModelTest::SetUp();
        RandomSeed random(31);
        // A rough slope with heights of up to seven digits, so that six-digit output
        // would lose something.
        heights = surface(rows, cols, [](int r, int c) { return 1480 + 2.5 * r + 0.75 * c + rand() % 4000 / 997.0; });
        GridHeader header;
        header.nrows = rows;
        header.ncols = cols;
        header.xllcorner = 612000.5;
        header.yllcorner = 5143000.25;
        header.cellsize = 0.000833;
        std::ostringstream text;
        text.precision(9);
        writeGrid(text, header, heights);
        writeText(dem, text.str());
    }
};

TEST_F(ReportAnalysisTest, HeightClassesFollowTheStatistics)
{
    const std::string cmp = dir.file("cmp.grd"), contours = dir.file("contours.grd");
    writeGridValues(cmp, rows, cols, flat(rows, cols, 0));
    writeGridValues(contours, rows, cols,
                    surface(rows, cols, [](int r, int c) { return r == 2 && c == 2 ? 1500 : r == 9 && c == 1 ? 1525 : 0; }));
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> statisticsArgs;  // the same load without --classes
        int interval;
    } cases[] = {
        {{dem, "--classes", "--interval", "7"}, {dem}, 7},
        {{"--classes", dem, cmp, "--type", "dem"}, {dem, cmp, "--type", "dem"}, 20},
        {{dem, cmp, "--type", "sparse", "--interval", "13", "--classes"}, {dem, cmp, "--type", "sparse", "--interval", "13"}, 13},
        {{dem, contours, "--type", "contour", "--classes"}, {dem, contours, "--type", "contour"}, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        const ChildResult r = report(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, report(c.statisticsArgs).out + classReport(heights, c.interval));
    }
}

TEST_F(ReportAnalysisTest, DemAloneWithoutIntervalRefusesTheClasses)
{
    const ChildResult r = report({"--classes", dem});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, report({dem}).out + "Height classes not computed: the contour interval is 0, not above 0\n");
}

TEST_F(ReportAnalysisTest, SparseDataMatchesAnIndependentComputation)
{
    const std::string file = dir.file("sparse.grd");
    for (int n : {100, 250}) {
        SCOPED_TRACE(n);
        const ChildResult r = report({"--sparse", std::to_string(n), dem, "-o", file}, "3\n");
        const SparseReference ref = sparseReference(rows, cols, heights, n, 1);
        std::srand(1);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "Reading DEM data, 21 rows and 26 columns...\nCreating sparse data file\n"
                         "Peak heights will be included automatically.\n" +
                             sparseBody(rows, cols, ref.values));
        EXPECT_EQ(r.err, sparseConsoleErr(ref.maxima));

        // The written file is a sparse comparison file of the DEM, with every height exact.
        const char* names[2] = {dem.c_str(), file.c_str()};
        {
            ConsoleCapture console;
            mt.readgridfile(names, 1);
            rd.readgridfile(names, 2);
        }
        EXPECT_EQ(rd.nrows, rows);
        EXPECT_EQ(rd.ncols, cols);
        EXPECT_EQ(rd.xllcorner, mt.xllcorner);
        EXPECT_EQ(rd.yllcorner, mt.yllcorner);
        EXPECT_EQ(rd.cellsize, mt.cellsize);
        std::vector<float> back;
        for (int row = 0; row < rows; row++)
            back.insert(back.end(), rd.grid[row], rd.grid[row] + cols);
        EXPECT_EQ(back, ref.values);
    }
}

TEST_F(ReportAnalysisTest, RefusedOrUnwritableSparseDataFails)
{
    const std::string file = dir.file("sparse.grd");
    ChildResult r = report({"--sparse", "99", dem, "-o", file}, "3\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Reading DEM data, 21 rows and 26 columns...\nCreating sparse data file\n"
                     "ERROR: Number of heights must be >= 100-\ntry again\n");
    EXPECT_FALSE(std::filesystem::exists(file));

    const std::string nowhere = dir.file("missing/sparse.grd");
    r = report({"--sparse", "100", dem, "-o", nowhere}, "3\n");
    EXPECT_EQ(r.status, 1);
    const std::string complaint = "Cannot write " + nowhere + "\n";
    ASSERT_GE(r.err.size(), complaint.size());
    EXPECT_EQ(r.err.substr(r.err.size() - complaint.size()), complaint);
}

TEST(ReportAnalysisArguments, OptionsThatDoNotGoTogether)
{
    const std::vector<std::vector<std::string>> cases = {
        {"-o", "x.grd", "a.grd"},
        {"--sparse", "150", "a.grd", "b.grd", "--type", "dem"},
        {"--sparse", "150", "--classes", "a.grd"},
        {"--sparse", "150", "--interval", "10", "a.grd"},
        {"--sparse", "abc", "a.grd"},
        {"--sparse", "1.5e2", "a.grd"},
        {"--sparse", "99999999999", "a.grd"},
        {"a.grd", "--sparse"},
        {"--sparse", "150", "a.grd", "-o"},
        {"--interval", "10", "a.grd"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_FALSE(parseReportArguments(args));
    }
    const auto sparse = parseReportArguments({"a.grd", "--sparse", "-5", "-o", "s.grd"});
    ASSERT_TRUE(sparse);
    EXPECT_TRUE(sparse->sparse);
    EXPECT_EQ(sparse->sparseCount, -5);  // refused by the generation itself, with its message
    EXPECT_EQ(sparse->output, "s.grd");
}

}  // namespace
