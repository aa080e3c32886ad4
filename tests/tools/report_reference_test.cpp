// karvo-report against reference data, through the binary: grids on planes and terrains
// whose right figures are worked out by hand or follow from how they were made.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/raster_files.h"
#include "tests/support/temp_dir.h"
#include "tools/report_command.h"

namespace {

ChildResult report(std::vector<std::string> args)
{
    args.insert(args.begin(), KARVO_REPORT_BINARY);
    return runProgram(args);
}

// The number after "key": found after the first occurrence of within in a JSON text.
double jsonAfter(const std::string& json, const std::string& within, const std::string& key)
{
    const std::size_t from = json.find(within);
    const std::size_t at = from == std::string::npos ? from : json.find("\"" + key + "\": ", from);
    EXPECT_NE(at, std::string::npos) << within << " " << key;
    return at == std::string::npos ? NAN : std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

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

// Slope atan(|(0.5, 0.25)|) = 29.2 degrees everywhere; bilinear interpolation is exact on it.
double inclined(double x, double y) { return 100 + 0.5 * x + 0.25 * y; }

class ReportReferenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeGridFile(dem, demGrid, field(demGrid, inclined));  // pixel centres 5 to 55
        const GridHeader coarse = header(4, 4, -5, -5, 20);     // centres 5 to 65
        writeGridFile(cmp, coarse, field(coarse, [](double x, double y) { return inclined(x, y) + 3; }));
    }
    TempDir dir;
    const GridHeader demGrid = header(6, 6, 0, 0, 10);
    const std::string dem = dir.file("dem.grd"), cmp = dir.file("cmp.grd"), checkpoints = dir.file("cp.csv");
};

TEST_F(ReportReferenceTest, OptionsWithoutWhatTheyWorkOnAreUsageErrors)
{
    writeText(checkpoints, "x,y,z\n10,10,110\n");
    const std::vector<std::vector<std::string>> cases = {
        {"--align", dem},
        {"--resampling", "cubic", dem, cmp, "--type", "dem"},
        {"--align", "--resampling", "lanczos", dem, cmp, "--type", "dem"},
        {"--residuals", "r.csv", dem},
        {"--target-rmse", "1", dem},
        {"--checkpoints", checkpoints, "--target-rmse", "0", dem},
        {"--checkpoints", checkpoints, "--checkpoint-rmse", "0.1", dem},
        {"--checkpoints", checkpoints, "--nva-class", "ground", dem},
        {"--checkpoints", "", dem},
        {"--by-slope", dem},
        {"--coregister", dem},
        {"--coregister", dem, cmp, "--type", "sparse"},
        {"--shifted", "s.tif", dem, cmp, "--type", "dem"},
        {"--coregister-only", "--accuracy", dem, cmp, "--type", "dem"},
        {"--coregister-only", "--checkpoints", checkpoints, dem, cmp, "--type", "dem"},
        {"--sparse", "100", "--checkpoints", checkpoints, dem},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const ChildResult r = report(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, reportUsage);
    }
    // --interval sets the checkpoints' NMAS interval without a comparison file.
    EXPECT_TRUE(parseReportArguments({"--checkpoints", checkpoints, "--interval", "4", dem}));
}

TEST_F(ReportReferenceTest, AlignedComparisonOnAnotherGrid)
{
    ChildResult r = report({dem, cmp, "--type", "dem"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Files do not match\n--align resamples the comparison onto the DEM's grid\n");

    r = report({"--align", "--accuracy", dem, cmp, "--type", "dem"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "RMSE: 3.000\nPoints: 36\nMean (bias): 3.000\n"));
    EXPECT_TRUE(has(r.out, "\nNMAS vertical test (contour interval 20): 0 of 36 points off by more than 10 (0.0 %): "
                           "meets\n"));

    const std::vector<std::string> pair = {"--format", "json", "--align", dem, cmp, "--type", "dem", "--interval", "5"};
    std::vector<std::string> args = pair;
    args.push_back("--accuracy");
    const std::string json = report(args).out;
    EXPECT_NEAR(jsonAfter(json, "\"comparison\"", "rmse"), 3, 1e-4);
    EXPECT_EQ(jsonAfter(json, "\"nmas\"", "exceeding"), 36);  // 3 > 5 / 2 everywhere
    EXPECT_EQ(jsonAfter(json, "\"dem\"", "cellsize_m_ew"), 10);
    EXPECT_TRUE(has(json, "\"meets\": false}}, \"checkpoints\": null}\n"));
    EXPECT_FALSE(has(report(pair).out, "nmas"));

    // New CSV columns come after every column there was.
    args[1] = "csv";
    const std::string withAccuracy = report(args).out;
    args = pair;
    args[1] = "csv";
    const std::string without = report(args).out;
    const std::string oldHeader = without.substr(0, without.find('\n'));
    EXPECT_EQ(withAccuracy.substr(0, oldHeader.size() + 1), oldHeader + ",");
    EXPECT_TRUE(
        has(withAccuracy, ",dem_cellsize_m_ew,nmas_interval,nmas_tested,nmas_exceeding,nmas_share,nmas_meets\n"));

    const std::string far = dir.file("far.grd");
    writeGridFile(far, header(4, 4, 1000, 1000, 20), flat(4, 4, 100));
    r = report({"--align", dem, far, "--type", "dem"});
    EXPECT_EQ(r.status, 255);
    EXPECT_TRUE(has(r.out, "ERROR: file \"" + far + "\": does not overlap the DEM\n"));
}

TEST_F(ReportReferenceTest, CheckpointFiguresStatementsAndResiduals)
{
    // d = 1, -2, 4 and 0.5 at tested points (the last on the north-east corner point); e
    // lies west of the first column of points; line 7 cannot be read.
    auto z = [](double x, double y, double d) { return std::to_string(inclined(x, y) + d); };
    writeText(checkpoints, "id,x,y,z,class\na,10,10," + z(10, 10, 1) + ",ground\nb,20.5,33.25," +
                               z(20.5, 33.25, -2) + ",ground\nc,40,50," + z(40, 50, 4) + ",veg\nd,55,55," +
                               z(55, 55, 0.5) + ",veg\ne,2,30,120,ground\nf,30,30,n/a,veg\n");
    const std::string residuals = dir.file("residuals.csv");
    const std::vector<std::string> args = {"--checkpoints", checkpoints, "--interval", "4", "--target-rmse", "1",
                                           "--nva-class", "GROUND", "--residuals", residuals, dem};
    const ChildResult text = report(args);
    ASSERT_EQ(text.status, 0) << text.out;
    EXPECT_EQ(text.err, "file \"" + checkpoints + "\", line 7: z \"n/a\" is not a number\n");
    // RMSE sqrt(21.25 / 4); over class ground (a and b) sqrt(5 / 2) with mean -0.5.
    for (const char* line :
         {"\nTested: 4\nOutside: 1\nOn nodata: 0\nRMSE: 2.305\nMean (bias): 0.875\n",
          "\nClass ground: 2 tested, RMSE 1.581, mean -0.500,",
          "\nNMAS vertical test (contour interval 4): 1 of 4 checkpoints off by more than 2 (25.0 %): does not meet\n",
          "\nASPRS vertical accuracy (target RMSE 1.000): product RMSE 1.581 over 2 checkpoints of class GROUND "
          "(RMSE 1.581, checkpoint RMSE 0.000): does not meet\nFewer than 30 checkpoints: below the standard's "
          "minimum\nBias: the mean -0.500 is at least a quarter of the target RMSE\nPossible blunders (|d| above "
          "3.000): c\n"})
        EXPECT_TRUE(has(text.out, line)) << line;

    std::vector<std::string> jsonArgs = args;
    jsonArgs.insert(jsonArgs.end(), {"--checkpoint-rmse", "1.2", "--format", "json"});
    const std::string json = report(jsonArgs).out;
    EXPECT_NEAR(jsonAfter(json, "\"checkpoints\"", "rmse"), std::sqrt(21.25 / 4), 1e-5);
    EXPECT_NEAR(jsonAfter(json, "\"asprs\"", "product_rmse"), std::sqrt(2.5 + 1.44), 1e-5);
    EXPECT_TRUE(has(json, "\"worst\": [{\"id\": \"c\", \"x\": 40, \"y\": 50, "));
    EXPECT_TRUE(has(json, "\"blunders\": [\"c\"]}}}\n"));

    std::ifstream in(residuals);
    std::stringstream lines;
    lines << in.rdbuf();
    EXPECT_TRUE(has(lines.str(), "id,x,y,z,dem_z,d,status\na,10,10,"));
    EXPECT_TRUE(has(lines.str(), "\ne,2,30,120,,,outside\n"));

    writeText(checkpoints, "x,y,z\n1,2,n/a\n");
    const ChildResult none = report({"--checkpoints", checkpoints, dem});
    EXPECT_EQ(none.status, 255);
    EXPECT_TRUE(has(none.out, "ERROR: file \"" + checkpoints + "\": "));
}

TEST_F(ReportReferenceTest, FiguresBySlopeFallInTheClassOfThePlanesSlope)
{
    writeText(checkpoints, "x,y,z\n10,10," + std::to_string(inclined(10, 10) - 1) + "\n");
    const ChildResult r = report({"--by-slope", "--align", "--checkpoints", checkpoints, "--format", "json", dem, cmp,
                                  "--type", "dem"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "\"by_slope\": {\"comparison\": [{\"from\": 0, \"to\": 5, \"points\": 0, \"mean\": null, "));
    EXPECT_TRUE(has(r.out, "{\"from\": 20, \"to\": 30, \"points\": 36, \"mean\": 3, "));
    EXPECT_TRUE(has(r.out, "\"checkpoints\": [{\"from\": 0, \"to\": 5, \"points\": 0, "));
    EXPECT_TRUE(has(r.out, "{\"from\": 20, \"to\": 30, \"points\": 1, \"mean\": -1, "));
}

// A terrain with slopes facing every way, and the same terrain 0.3 cell east, 0.2 cell
// south and 1.5 higher.
double terrain(double x, double y)
{
    return 300 + 40 * std::sin(x / 70) * std::cos(y / 90) + 25 * std::sin((x + y) / 55);
}

TEST_F(ReportReferenceTest, CoregistrationFindsTheShiftAndTheReportFollowsIt)
{
    const GridHeader grid = header(60, 60, 1000, 2000, 10);
    writeGridFile(dem, grid, field(grid, terrain));
    writeGridFile(cmp, grid, field(grid, [](double x, double y) { return terrain(x - 3, y + 2) + 1.5; }));
    const std::string shifted = dir.file("shifted.tif");
    const std::vector<std::string> pair = {dem, cmp, "--type", "dem", "--format", "json", "--accuracy"};
    std::vector<std::string> args = pair;
    args.insert(args.end(), {"--coregister", "--shifted", shifted});
    const ChildResult r = report(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.err, "\nCoregistration converged\nShift east: "));
    EXPECT_TRUE(has(r.out, "\"coregistration\": {\"status\": \"converged\", \"converged\": true, \"applied\": true"));
    EXPECT_NEAR(jsonAfter(r.out, "\"coregistration\"", "east_cells"), 0.3, 0.05);
    EXPECT_NEAR(jsonAfter(r.out, "\"coregistration\"", "north_cells"), -0.2, 0.05);
    EXPECT_NEAR(jsonAfter(r.out, "\"coregistration\"", "vertical"), 1.5, 0.05);
    const double before = jsonAfter(report(pair).out, "\"comparison\"", "rmse");
    EXPECT_LT(jsonAfter(r.out, "\"comparison\"", "rmse"), before / 4);

    RasterRead back;
    ASSERT_TRUE(readRasterBack(shifted, back));
    EXPECT_EQ(back.type, "Float32");
    EXPECT_TRUE(back.hasNodata && std::isnan(back.nodata));
    const double transform[6] = {1000, 10, 0, 2600, 0, -10};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(back.transform[i], transform[i]);
    EXPECT_TRUE(std::isnan(back.values[59 * 60 + 59]));  // read from beyond the reference's last row
    EXPECT_NEAR(back.values[30 * 60 + 30], terrain(1305, 2295), 0.1);

    const ChildResult only = report({"--coregister-only", dem, cmp, "--type", "dem"});
    EXPECT_TRUE(has(only.out, "Coregistration converged\n"));
    EXPECT_FALSE(has(only.out, "Statistics"));
    EXPECT_FALSE(has(only.out, "The report below"));
}

TEST_F(ReportReferenceTest, AFitOnFlatTerrainFailsAndOnlyTheBiasGoes)
{
    writeGridValues(dem, 20, 20, flat(20, 20, 100));
    writeGridValues(cmp, 20, 20, flat(20, 20, 102));
    const ChildResult r = report({"--coregister", "--accuracy", dem, cmp, "--type", "dem"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(has(r.out, "Coregistration: too few sloped points for the fit\nShift east: 0.000 m (0.000 cells)\n"));
    EXPECT_TRUE(has(r.out, "Vertical bias: 2.000\n"));
    EXPECT_TRUE(has(r.out, "\nNo shift is applied, only the vertical bias\nThe report below is computed on the "
                           "coregistered reference (shift and bias removed)\n"));
    EXPECT_TRUE(has(r.out, "\nRMSE: 0.000\n"));
}

}  // namespace
