// karvo-report's JSON, CSV and level maps, read back and compared with its text report.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
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

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, separator);)
        fields.push_back(field);
    return fields;
}

// The value of the named column of a two-line CSV text (no quoted commas).
std::string csvValue(const std::string& csv, const std::string& name)
{
    const std::vector<std::string> lines = split(csv, '\n');
    const std::vector<std::string> names = split(lines.at(0), ','), values = split(lines.at(1) + ",", ',');
    for (std::size_t i = 0; i < names.size(); i++)
        if (names[i] == name)
            return i < values.size() ? values[i] : "";
    ADD_FAILURE() << "no column " << name;
    return "";
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
    // A file written in place would change under every hard link to it; one written
    // beside and renamed over the target leaves the link with the old contents.
    const std::string target = dir.file("out"), link = dir.file("link"), big = dir.file("big.grd");
    writeGridValues(big, 10, 10, flat(10, 10, 5));  // room for a hundred spot heights
    const std::vector<std::vector<std::string>> runs = {{"--map", "curvature", target, dem},
                                                        {"--sparse", "100", "-o", target, big}};
    for (const auto& args : runs) {
        SCOPED_TRACE(args[0]);
        writeText(target, "old");
        std::filesystem::remove(link);
        ASSERT_EQ(::link(target.c_str(), link.c_str()), 0);
        EXPECT_EQ(report(args).status, 0);
        EXPECT_EQ(readText(link), "old");
        EXPECT_NE(readText(target), "old");
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            files += entry.is_regular_file();
        EXPECT_EQ(files, 5);  // dem, cmp, big, target and link: no temporary left
    }
}

TEST_F(ReportFormatsTest, AFailedMapWriteSaysSoAloneAndFails)
{
    const ChildResult r = report({"--map", "curvature", "/dev/full", dem});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot write /dev/full\n");  // none of GDAL's own lines
}

TEST(ReportJson, FileNamesStayValidUtf8)
{
    const struct {
        std::string name, json;
    } cases[] = {
        {"dem\xff.tif", "\"dem\\ufffd.tif\""},
        {"h\xc3\xb6he \xf0\x9f\x97\xbb.tif", "\"h\xc3\xb6he \xf0\x9f\x97\xbb.tif\""},  // kept as they are
        {"\xc0\xaf", "\"\\ufffd\\ufffd\""},                                  // an overlong "/"
        {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},                       // a surrogate
        {"\xf4\x90\x80\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\""},            // beyond U+10FFFF
        {"\xe2\x82", "\"\\ufffd\\ufffd\""},                                  // cut short
        {"\xf4\x8f\xbf\xbf", "\"\xf4\x8f\xbf\xbf\""},                          // U+10FFFF itself
        {"a\"b\\\n", "\"a\\\"b\\\\\\u000a\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        ReportFigures f;
        f.demFile = c.name;
        EXPECT_NE(reportJson(f).find("{\"file\": " + c.json + ", "), std::string::npos);
    }
}

TEST(ReportFormats, HeaderNumbersAsTheFileGaveThem)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        HeaderNumber nodata;
        std::string json, csv;
    } cases[] = {
        {{-9999, -9999}, "-9999", "-9999"},
        {{612345.375f, 612345.37}, "612345.375", "612345.375"},  // the float holds it
        {{inf, 1e300}, "1e+300", "1e+300"},
        {{0, 1e-50}, "1e-50", "1e-50"},
        {{1e-40f, 1e-40}, "1e-40", "1e-40"},  // a subnormal float keeps a few digits only
        {{nan, nan}, "\"NaN\"", "NaN"},
        {{-inf, -inf}, "\"-Infinity\"", "-Infinity"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        ReportFigures f;
        f.nodata = c.nodata;
        EXPECT_NE(reportJson(f).find("\"nodata\": " + c.json + ", "), std::string::npos);
        EXPECT_EQ(csvValue(reportCsv(f), "dem_nodata"), c.csv);
    }
    ReportFigures f;  // no nodata, and figures that cannot be computed
    f.statistics.totalSq = inf;
    f.zmax = nan;
    for (const char* none : {"\"nodata\": null", "\"total_squared\": null", "\"zmax\": null"})
        EXPECT_NE(reportJson(f).find(none), std::string::npos) << none;
    const std::string csv = reportCsv(f);
    EXPECT_EQ(csv.find("null"), std::string::npos);
    EXPECT_EQ(csvValue(csv, "dem_nodata"), "");
    EXPECT_EQ(csvValue(csv, "curvature_total_squared"), "");
}

TEST(ReportCsv, HeightClassesAreColumns)
{
    ReportFigures f;
    f.withClasses = true;
    f.heightClasses = {3, 0, 5};
    const std::string csv = reportCsv(f);
    EXPECT_EQ(csvValue(csv, "height_class_0"), "3");
    EXPECT_EQ(csvValue(csv, "height_class_1"), "0");
    EXPECT_EQ(csvValue(csv, "height_class_2"), "5");
    EXPECT_EQ(csv.find("height_class_3"), std::string::npos);
}

TEST_F(ReportFormatsTest, HeaderNumbersOfRealFiles)
{
    RasterSpec spec;
    spec.rows = spec.cols = 3;
    spec.type = "Float64";
    spec.hasNodata = true;
    const struct {
        double nodata;
        std::string json;
    } cases[] = {{1e-50, "1e-50"}, {std::numeric_limits<double>::quiet_NaN(), "\"NaN\""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        spec.nodata = c.nodata;
        const std::string raster = dir.file("dem.tif");
        writeRaster(raster, spec, flat(3, 3, 5));
        const ChildResult r = report({"--format", "json", raster});
        EXPECT_NE(r.out.find("\"nodata\": " + c.json + ", "), std::string::npos) << r.out;
    }
    EXPECT_NE(report({"--format", "json", dem}).out.find("\"cellsize\": 10, "), std::string::npos);
}

}  // namespace
