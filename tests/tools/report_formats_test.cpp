// karvo-report's JSON, CSV and level maps, read back and compared with its text report.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/raster_files.h"
#include "tests/support/temp_dir.h"
#include "tools/report_formats.h"

namespace {

ChildResult report(std::vector<std::string> args)
{
    args.insert(args.begin(), KARVO_REPORT_BINARY);
    return runProgram(args);
}

// The number after "key": in a JSON text (the first such key).
double jsonNumber(const std::string& json, const std::string& key)
{
    const std::size_t at = json.find("\"" + key + "\": ");
    EXPECT_NE(at, std::string::npos) << key;
    return at == std::string::npos ? -1 : std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}

// The number after label in the text report.
double textNumber(const std::string& text, const std::string& label)
{
    const std::size_t at = text.find(label);
    EXPECT_NE(at, std::string::npos) << label;
    return at == std::string::npos ? -1 : std::strtod(text.c_str() + at + label.size(), nullptr);
}

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, separator);)
        fields.push_back(field);
    return fields;
}

// The value of the named column of a two-line CSV text (no quoted commas); "?" if none.
std::string csvValue(const std::string& csv, const std::string& name)
{
    const std::vector<std::string> lines = split(csv, '\n');
    const std::vector<std::string> names = split(lines.at(0), ','), values = split(lines.at(1) + ",", ',');
    const auto at = std::find(names.begin(), names.end(), name);
    return at == names.end() ? "?" : values.at(std::size_t(at - names.begin()));
}

class ReportFormatsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dem = dir.file("dem.grd");
        writeGridValues(dem, 6, 7, spike(6, 7, 100, 3, 3, 12), 10);
        comparison = dir.file("cmp.grd");
        writeGridValues(comparison, 6, 7, surface(6, 7, [](int r, int c) { return (r + c) % 3 ? 0.0 : 97.0 + r; }), 10);
    }
    TempDir dir;
    std::string dem, comparison;
};

TEST_F(ReportFormatsTest, JsonAndCsvCarryTheFiguresOfTheTextReport)
{
    const std::vector<std::string> files = {dem, comparison, "--type", "dem", "--classes"};
    std::vector<std::string> args = files;
    args.push_back("--accuracy");
    const ChildResult text = report(args);
    args = files;
    args.insert(args.end(), {"--format", "json"});
    const ChildResult json = report(args);
    args.back() = "csv";
    const ChildResult csv = report(args);
    ASSERT_EQ(text.status, 0);
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.out.find("Reading"), std::string::npos);  // the console lines went to stderr
    EXPECT_NE(json.err.find("Reading DEM data, 6 rows and 7 columns..."), std::string::npos);
    EXPECT_EQ(json.out.front(), '{');

    EXPECT_EQ(jsonNumber(json.out, "total_squared"), textNumber(text.out, "Total Squared Curvature:"));
    EXPECT_EQ(jsonNumber(json.out, "max"), textNumber(text.out, "Maximum Curvature:"));
    const std::pair<const char*, const char*> figures[] = {
        {"rmse", "RMSE: "}, {"mean", "Mean (bias): "}, {"mae", "MAE: "}, {"nmad", "NMAD: "}, {"le90", "LE90: "}};
    for (const auto& [key, label] : figures)
        EXPECT_NEAR(jsonNumber(json.out, key), textNumber(text.out, label), 0.0005) << key;
    EXPECT_EQ(jsonNumber(json.out, "interval"), 20);
    EXPECT_NE(json.out.find("\"height_classes\": ["), std::string::npos);

    const std::vector<std::string> lines = split(csv.out, '\n');
    ASSERT_EQ(lines.size(), 2u);
    const std::vector<std::string> names = split(lines[0], ','), values = split(lines[1], ',');
    ASSERT_EQ(names.size(), values.size());
    for (std::size_t i = 0; i < names.size(); i++) {
        if (names[i] == "rmse" || names[i] == "points" || names[i] == "nmad") {
            EXPECT_EQ(std::strtod(values[i].c_str(), nullptr), jsonNumber(json.out, names[i])) << names[i];
        }
    }
}

TEST_F(ReportFormatsTest, ALevelMapReadsBackAsTheCellsLevels)
{
    const std::string map = dir.file("levels.tif");
    const ChildResult r = report({"--map", "curvature", map, "--unit", "2", dem});
    ASSERT_EQ(r.status, 0);
    RasterRead back;
    ASSERT_TRUE(readRasterBack(map, back));
    EXPECT_EQ(back.rows, 6);
    EXPECT_EQ(back.cols, 7);
    EXPECT_EQ(back.type, "Byte");
    EXPECT_TRUE(back.hasNodata && back.nodata == 255);
    const double transform[6] = {0, 10, 0, 60, 0, -10};  // the corner at 0, 0 with 6 rows of 10
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(back.transform[i], transform[i]);
    auto at = [&](int r, int c) { return back.values[std::size_t(r) * 7 + c]; };
    // The spike of 12 at (3, 3) bends 48 there (level 3 of unit 2) and 12 beside it.
    EXPECT_EQ(at(3, 3), 3);
    EXPECT_EQ(at(2, 3), 3);
    EXPECT_EQ(at(3, 2), 3);
    EXPECT_EQ(at(1, 1), 0);
    EXPECT_EQ(at(0, 3), 0);  // the first row of cells has no value
    for (int c = 0; c < 7; c++)
        EXPECT_EQ(at(5, c), 255);
    for (int r = 0; r < 6; r++)
        EXPECT_EQ(at(r, 6), 255);
}

TEST_F(ReportFormatsTest, OutputsReplaceTheirTargetAndLeaveItsOtherNamesAlone)
{
    // Written in place, a file would change under its hard link too; written beside and
    // renamed, it leaves the link with the old contents and no temporary behind.
    const std::string target = dir.file("out"), link = dir.file("link");
    writeText(target, "old");
    ASSERT_EQ(::link(target.c_str(), link.c_str()), 0);
    EXPECT_EQ(report({"--map", "curvature", target, dem}).status, 0);
    EXPECT_EQ(std::filesystem::file_size(link), 3u);
    EXPECT_GT(std::filesystem::file_size(target), 3u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
}

TEST_F(ReportFormatsTest, AFailedMapWriteSaysSoAloneAndFails)
{
    const ChildResult r = report({"--map", "curvature", "/dev/full", dem});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot write /dev/full\n");  // none of GDAL's own lines
}

TEST(ReportJson, FileNamesStayValidUtf8)
{
    std::string eleven;
    for (int i = 0; i < 11; i++)
        eleven += "\\ufffd";
    const std::pair<std::string, std::string> cases[] = {
        {"dem\xff.tif\n", "dem\\ufffd.tif\\u000a"},
        {"h\xc3\xb6he \xf4\x8f\xbf\xbf", "h\xc3\xb6he \xf4\x8f\xbf\xbf"},  // up to U+10FFFF as it is
        // an overlong "/", a surrogate, a code point beyond U+10FFFF, a sequence cut short
        {"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82", eleven}};
    for (const auto& [name, json] : cases) {
        ReportFigures f;
        f.demFile = name;
        EXPECT_NE(reportJson(f).find("{\"file\": \"" + json + "\", "), std::string::npos) << json;
    }
}

TEST(ReportFormats, HeaderNumbersAsTheFileGaveThemAndNoneAsNothing)
{
    const struct {
        HeaderNumber nodata;
        std::string json, csv;
    } cases[] = {{{-9999, -9999}, "-9999", "-9999"},
                 {{612345.375f, 612345.37}, "612345.375", "612345.375"},  // the float holds it
                 {{INFINITY, 1e300}, "1e+300", "1e+300"},
                 {{NAN, NAN}, "\"NaN\"", "NaN"}};
    for (const auto& c : cases) {
        ReportFigures f;
        f.nodata = c.nodata;
        EXPECT_NE(reportJson(f).find("\"nodata\": " + c.json + ", "), std::string::npos) << c.json;
        EXPECT_EQ(csvValue(reportCsv(f), "dem_nodata"), c.csv);
    }
    ReportFigures f;  // no nodata, a total that cannot be computed, three height classes
    f.statistics.totalSq = INFINITY;
    f.withClasses = true;
    f.heightClasses = {3, 0, 5};
    EXPECT_NE(reportJson(f).find("\"nodata\": null, "), std::string::npos);
    EXPECT_NE(reportJson(f).find("\"total_squared\": null, "), std::string::npos);
    const std::string csv = reportCsv(f);
    EXPECT_EQ(csvValue(csv, "dem_nodata") + csvValue(csv, "curvature_total_squared"), "");
    EXPECT_EQ(csvValue(csv, "height_class_0") + csvValue(csv, "height_class_2") + csvValue(csv, "height_class_3"), "35?");
}

TEST_F(ReportFormatsTest, ANodataTheFloatLosesIsWrittenAsRead)
{
    RasterSpec spec;
    spec.rows = spec.cols = 3;
    spec.type = "Float64";
    spec.hasNodata = true;
    spec.nodata = 1e-50;  // 0 as a float
    const std::string raster = dir.file("dem.tif");
    writeRaster(raster, spec, flat(3, 3, 5));
    EXPECT_NE(report({"--format", "json", raster}).out.find("\"nodata\": 1e-50, "), std::string::npos);
}

// A float puts 612345.37 a quarter of a 0.5 m cell away: the corner and cellsize go out
// as read, in the level map, the figures and the sparse grid file; ordinary ones as before.
TEST_F(ReportFormatsTest, TheCornerAndCellsizeGoOutAsRead)
{
    const std::string fine = dir.file("fine.grd"), map = dir.file("fine.tif"), spots = dir.file("spots.grd");
    std::string heights;  // 100 points, as many as the fewest spot heights
    for (int i = 0; i < 100; i++)
        heights += std::to_string(i % 7) + " ";
    writeText(fine, "ncols 10\nnrows 10\nxllcorner 612345.37\nyllcorner 5718030.37\ncellsize 0.5\n" + heights);
    ASSERT_EQ(report({"--map", "curvature", map, fine}).status, 0);
    RasterRead back;
    ASSERT_TRUE(readRasterBack(map, back));
    const double transform[6] = {612345.37, 0.5, 0, 5718030.37 + 10 * 0.5, 0, -0.5};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(back.transform[i], transform[i]) << i;

    const std::string json = report({"--format", "json", fine}).out;
    EXPECT_NE(json.find("\"cellsize\": 0.5, \"cellsize_m\": 0.5, \"xllcorner\": 612345.37, \"yllcorner\": 5718030.37,"),
              std::string::npos) << json;
    const std::string ordinary = report({"--format", "csv", dem}).out;
    EXPECT_NE(ordinary.find("\n" + dem + ",6,7,10,10,0,0,"), std::string::npos) << ordinary;

    ASSERT_EQ(report({"--sparse", "100", "-o", spots, fine}).status, 0);
    std::ifstream in(spots);
    std::string header, line;
    for (int i = 0; i < 5 && std::getline(in, line); i++)
        header += line + "\n";
    EXPECT_EQ(header, "ncols 10\nnrows 10\nxllcorner 612345.37\nyllcorner 5718030.37\ncellsize 0.5\n");
}

}  // namespace
