#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/raster_files.h"
#include "tests/support/temp_dir.h"
#include "tools/json_value.h"

namespace {

ChildResult report(const std::vector<std::string>& args, const std::string& input = "")
{
    std::vector<std::string> argv = {KARVO_REPORT_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv, input);
}

// Rough terrain with a few nodata points (masked) and comparison data with gaps, from a
// fixed generator, so that windows cut through masked cells and missing data.
struct Terrain {
    int rows = 23, cols = 31;
    std::vector<float> dem, comparison;
    Terrain()
    {
        std::uint32_t state = 12345;
        auto next = [&] { return (state = state * 1664525u + 1013904223u) >> 8; };
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++) {
                const float h = float(500 + 7 * std::sin(r * 0.4) * std::cos(c * 0.3) + (next() % 1000) / 250.0);
                dem.push_back(next() % 60 == 0 ? -9999.0f : h);
                comparison.push_back(next() % 5 == 0 ? 0.0f : h + float((int(next() % 2001) - 1000) / 700.0));
            }
    }
};

// The windows of a grid cut into parts x parts unevenly: the first row and column of
// windows are the narrowest.
std::vector<std::vector<std::string>> cut(int rows, int cols, int across, int down)
{
    std::vector<std::vector<std::string>> windows;
    auto edge = [](int size, int parts, int i) { return i == 0 ? 0 : i == parts ? size : size * i / parts - 1; };
    for (int j = 0; j < down; j++)
        for (int i = 0; i < across; i++) {
            const int x = edge(cols, across, i), y = edge(rows, down, j);
            windows.push_back({std::to_string(x), std::to_string(y), std::to_string(edge(cols, across, i + 1) - x),
                               std::to_string(edge(rows, down, j + 1) - y)});
        }
    return windows;
}

std::string withoutLines(const std::string& text, const std::string& start)
{
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end + 1 - at);
        if (line.compare(0, start.size(), start) != 0)
            out += line;
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return out;
}

// The JSON report without the members the histogram only approximates, for a comparison
// byte for byte; the two figures come out through nmad and le90.
std::string exactPart(std::string json, double& nmad, double& le90)
{
    std::string why;
    const auto value = parseJson(json, why);
    EXPECT_TRUE(value.has_value()) << why;
    const JsonValue* comparison = value ? value->member("comparison") : nullptr;
    nmad = comparison ? comparison->member("nmad")->number : -1;
    le90 = comparison ? comparison->member("le90")->number : -1;
    for (const char* name : {"\"nmad\": ", "\"le90\": "}) {
        const std::size_t at = json.find(name);
        json.erase(at, json.find(", ", at) + 2 - at);
    }
    const std::size_t mosaic = json.find(", \"mosaic\": ");
    if (mosaic != std::string::npos)
        json.erase(mosaic, json.size() - 2 - mosaic);
    return json;
}

class WindowTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        const bool raster = GetParam();
        dem = dir.file(raster ? "dem.tif" : "dem.grd");
        comparison = dir.file(raster ? "cmp.tif" : "cmp.grd");
        if (raster) {
            RasterSpec spec;
            spec.rows = t.rows, spec.cols = t.cols, spec.hasNodata = true;
            const double transform[6] = {400000, 5, 0, 6000000, 0, -5};
            std::copy(transform, transform + 6, spec.transform);
            spec.options = {"TILED=YES", "BLOCKXSIZE=16", "BLOCKYSIZE=16"};
            writeRaster(dem, spec, t.dem);
            spec.hasNodata = false;
            writeRaster(comparison, spec, t.comparison);
        } else {
            GridHeader header;
            header.nrows = t.rows, header.ncols = t.cols, header.cellsize = 5, header.hasNodata = true;
            header.xllcorner = 400000, header.yllcorner = 5999885;
            std::ostringstream text;
            text.precision(9);
            writeGrid(text, header, t.dem);
            writeText(dem, text.str());
            writeGridValues(comparison, t.rows, t.cols, t.comparison, 5);
        }
    }
    std::vector<std::string> run(const std::vector<std::string>& options)
    {
        std::vector<std::string> args = {"--mask-nodata"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {dem, comparison, "--type", "dem", "--interval", "5"});
        return args;
    }
    TempDir dir;
    Terrain t;
    std::string dem, comparison;
};

TEST_P(WindowTest, PartitionsMergeToTheWholeGridsReport)
{
    const ChildResult wholeText = report(run({}));
    const ChildResult wholeJson = report(run({"--format", "json"}));
    ASSERT_EQ(wholeText.status, 0) << wholeText.out;
    double nmad = 0, le90 = 0;
    const std::string exact = exactPart(wholeJson.out, nmad, le90);
    for (const auto& [across, down] : {std::pair{1, 1}, {2, 2}, {3, 5}}) {
        SCOPED_TRACE(std::to_string(across) + " x " + std::to_string(down));
        std::vector<std::string> merge = {"--merge"};
        for (const auto& w : cut(t.rows, t.cols, across, down)) {
            const std::string name = dir.file("w_" + w[0] + "_" + w[1] + ".json");
            const ChildResult r = report(run({"--window", w[0], w[1], w[2], w[3], "--format", "json"}));
            ASSERT_EQ(r.status, 0) << r.err;
            writeText(name, r.out);
            merge.push_back(name);
        }
        const ChildResult text = report(merge);
        EXPECT_EQ(text.err, "");
        const std::string cells = std::to_string(t.rows * t.cols);
        const std::string windows = across * down == 1 ? "1 window" : std::to_string(across * down) + " windows";
        EXPECT_EQ(text.out, withoutLines(wholeText.out, "Reading") + "Mosaic: " + windows + " covering " + cells +
                                " of " + cells + " cells\n");
        merge.insert(merge.begin(), {"--format", "json"});
        double mergedNmad = 0, mergedLe90 = 0;
        EXPECT_EQ(exactPart(report(merge).out, mergedNmad, mergedLe90), exact);
        EXPECT_NEAR(mergedNmad, nmad, 0.001);
        EXPECT_NEAR(mergedLe90, le90, 0.001);
    }
}

INSTANTIATE_TEST_SUITE_P(TextAndTiledGeoTiff, WindowTest, ::testing::Values(false, true));

class MergeTest : public ::testing::Test {
protected:
    // The JSON report of a window of a 12 x 20 plane with a spike.
    std::string window(const std::string& name, const std::vector<std::string>& w, const std::string& grid = "dem.grd")
    {
        const std::string file = dir.file(name);
        const ChildResult r = report({"--window", w[0], w[1], w[2], w[3], "--format", "json", dir.file(grid)});
        EXPECT_EQ(r.status, 0) << r.err;
        writeText(file, r.out);
        return file;
    }
    void SetUp() override
    {
        writeGridValues(dir.file("dem.grd"), 12, 20, spike(12, 20, 100, 5, 9, 10));
        writeGridValues(dir.file("other.grd"), 12, 21, flat(12, 21, 100));
    }
    TempDir dir;
};

TEST_F(MergeTest, AWindowsBorderCellsHaveTheWholeGridsCurvature)
{
    // The spike at column 9 lies in the halo of the window of columns 0 to 8: the cells
    // beside it bend by its height there as in the whole grid, and the spike's own cell is
    // the next window's.
    std::string why;
    const auto left = parseJson(report({"--window", "0", "0", "9", "12", "--format", "json", dir.file("dem.grd")}).out, why);
    ASSERT_TRUE(left.has_value()) << why;
    const JsonValue* curvature = left->member("merge")->member("curvature");
    EXPECT_EQ(curvature->member("max")->number, 10);
    EXPECT_EQ(curvature->member("max_row")->number, 5);
    EXPECT_EQ(curvature->member("max_col")->number, 8);
    EXPECT_EQ(curvature->member("levels")->items[0].number, 1);
    const auto right = parseJson(report({"--window", "9", "0", "11", "12", "--format", "json", dir.file("dem.grd")}).out, why);
    ASSERT_TRUE(right.has_value()) << why;
    EXPECT_EQ(right->member("curvature")->member("max")->number, 40);
    EXPECT_EQ(right->member("merge")->member("curvature")->member("levels")->items[0].number, 4);
}

TEST_F(MergeTest, OverlapsAreRefusedGapsNamedAndOtherGridsRefused)
{
    const std::string a = window("a.json", {"0", "0", "10", "12"});
    const std::string b = window("b.json", {"9", "0", "11", "6"});
    const ChildResult overlap = report({"--merge", a, b});
    EXPECT_EQ(overlap.status, 2);
    EXPECT_EQ(overlap.err, "Cannot merge: the windows of \"" + a + "\" and \"" + b + "\" overlap\n");
    EXPECT_EQ(overlap.out, "");

    const std::string c = window("c.json", {"10", "0", "10", "6"});
    const ChildResult gap = report({"--merge", "-"}, a + "\n" + c + "\n");
    EXPECT_EQ(gap.status, 0);
    EXPECT_EQ(gap.err, "Warning: no window covers the cells 10 6 10 6 (XOFF YOFF XSIZE YSIZE)\n");
    EXPECT_NE(gap.out.find("Mosaic: 2 windows covering 180 of 240 cells\n"), std::string::npos);

    const std::string other = window("other.json", {"10", "0", "11", "12"}, "other.grd");
    const ChildResult grids = report({"--merge", a, other});
    EXPECT_EQ(grids.status, 2);
    EXPECT_NE(grids.err.find("windows of different grids"), std::string::npos);
    const ChildResult plain = report({"--merge", dir.file("dem.grd")});
    EXPECT_EQ(plain.status, 2);
}

TEST_F(MergeTest, FilesThatHoldNoWindowAreRefusedByName)
{
    const std::string good = window("good.json", {"0", "0", "10", "12"});
    const std::string text = report({"--window", "0", "0", "10", "12", "--format", "json", dir.file("dem.grd")}).out;
    const std::string cut = dir.file("cut.json"), plain = dir.file("plain.json"), wrong = dir.file("wrong.json");
    writeText(cut, text.substr(0, text.size() / 2));
    writeText(plain, report({"--format", "json", dir.file("dem.grd")}).out);
    std::string renamed = text;
    renamed.replace(renamed.find("\"max_row\""), 9, "\"maxrow\" ");
    writeText(wrong, renamed);
    for (const auto& [file, why] : {std::pair{cut, "it is no JSON"}, {plain, "it holds no \"merge\" member"},
                                    {wrong, "its member \"max_row\" is missing or wrong"},
                                    {dir.file("missing.json"), "not found"}}) {
        const ChildResult r = report({"--merge", good, file});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("Cannot merge \"" + file + "\": " + why, 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const ChildResult csv = report({"--merge", "--format", "csv", good, window("rest.json", {"10", "0", "10", "12"})});
    EXPECT_EQ(csv.status, 0);
    EXPECT_NE(csv.out.find(",mosaic_windows,mosaic_cells,mosaic_grid_cells\n"), std::string::npos);
    EXPECT_NE(csv.out.find(",2,240,240\n"), std::string::npos);
}

TEST_F(MergeTest, WindowsOfASouthUpRasterMergeToTheWholeRaster)
{
    // Rows run south to north in the file: a window's rows are counted from the north all
    // the same, and read from the other end of the file.
    RasterSpec spec;
    spec.rows = 12, spec.cols = 20;
    const double transform[6] = {1000, 2, 0, 5000, 0, 2};
    std::copy(transform, transform + 6, spec.transform);
    std::vector<float> values = spike(12, 20, 100, 8, 3, 10);
    for (std::size_t i = 0; i < values.size(); i++)
        values[i] += float(i % 7) * 0.25f;
    writeRaster(dir.file("up.tif"), spec, values);
    std::vector<std::string> merge = {"--merge"};
    for (const auto& w : cut(12, 20, 3, 2))
        merge.push_back(window("up_" + w[0] + "_" + w[1] + ".json", w, "up.tif"));
    EXPECT_EQ(report(merge).out, withoutLines(report({dir.file("up.tif")}).out, "Reading") +
                                     "Mosaic: 6 windows covering 240 of 240 cells\n");
}

TEST_F(MergeTest, WindowsOutsideTheGridAreUsageErrors)
{
    for (const std::vector<std::string>& w : {std::vector<std::string>{"11", "0", "10", "12"}, {"0", "0", "0", "5"},
                                              {"-1", "0", "3", "3"}}) {
        const ChildResult r = report({"--window", w[0], w[1], w[2], w[3], dir.file("dem.grd")});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("\"" + dir.file("dem.grd") + "\": the window " + w[0]), std::string::npos) << r.err;
    }
    EXPECT_EQ(report({"--window", "0", "0", "3", "3", "--classes", dir.file("dem.grd")}).status, 2);
}

TEST_F(MergeTest, PlannedWindowsRunThroughXargsMergeToTheWholeGrid)
{
    const std::string program = KARVO_REPORT_BINARY, dem = dir.file("dem.grd");
    const ChildResult plan = report({"--plan", "7", dem});
    EXPECT_EQ(plan.out, "0 0 7 7\n7 0 7 7\n14 0 6 7\n0 7 7 5\n7 7 7 5\n14 7 6 5\n");
    const std::string command = "'" + program + "' --plan 7 '" + dem + "' | xargs -P 2 -L 1 sh -c '\"" + program +
                                "\" --window \"$@\" --format json \"" + dem + "\" > \"" + dir.path() +
                                "/w_$1_$2.json\"' _ && '" + program + "' --merge '" + dir.path() + "'/w_*.json";
    const ChildResult merged = runProgram({"/bin/sh", "-c", command});
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(merged.out, withoutLines(report({dem}).out, "Reading") + "Mosaic: 6 windows covering 240 of 240 cells\n");
}

}  // namespace
