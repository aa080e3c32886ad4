// karvo-report's worst places, fitted unit and HTML page, through the real binary, on
// grids whose places and units are worked out by hand.

#include <gtest/gtest.h>

#include <cpl_json.h>
#include <cpl_string.h>
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/png_pictures.h"
#include "tests/support/raster_files.h"
#include "tests/support/temp_dir.h"
#include "tools/report_command.h"

namespace {

ChildResult report(std::vector<std::string> args)
{
    args.insert(args.begin(), KARVO_REPORT_BINARY);
    return runProgram(args);
}

// 12 x 14 points of 100 m, 10 m cells, corner (1000, 2000), with a spike of 12 at row 3,
// column 4 and one of 6 at row 8, column 10. The Laplacian is 4 x spike at a spike and the
// spike at its four neighbours: 48 and 12, 24 and 6.
std::vector<float> twoSpikes()
{
    std::vector<float> h = flat(12, 14, 100);
    h[3 * 14 + 4] += 12;
    h[8 * 14 + 10] += 6;
    return h;
}

void writeDem(const std::string& path, const std::vector<float>& heights)
{
    GridHeader header;
    header.nrows = 12;
    header.ncols = 14;
    header.xllcorner = 1000;
    header.yllcorner = 2000;
    header.cellsize = 10;
    std::ofstream out(path);
    writeGrid(out, header, heights);
}

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDem(dem, twoSpikes());
        writeDem(flatDem, flat(12, 14, 100));  // also the comparison: d is the spikes
    }
    TempDir dir;
    std::string dem = dir.file("dem.asc"), flatDem = dir.file("flat.asc");
};

TEST_F(HandOverTest, WorstPlacesAfterTheTextReport)
{
    const ChildResult r = report({"--worst", "5", dem, flatDem, "--type", "dem"});
    ASSERT_EQ(r.status, 0) << r.err;
    // x = 1000 + (c + 0.5) 10, y = 2000 + (12 - r - 0.5) 10; a spike and its four
    // neighbours are one place, their differences (0 beside the spikes) are not.
    const std::string expected = "\n\nWorst places by curvature:\n"
                                 "   1  row 3  col 4  x 1045  y 2085  height 112  curvature 48  level 3  cells 5\n"
                                 "   2  row 8  col 10  x 1105  y 2035  height 106  curvature 24  level 3  cells 5\n"
                                 "\nWorst places by difference:\n"
                                 "   1  row 3  col 4  x 1045  y 2085  height 112  difference 12  level 4  cells 1\n"
                                 "   2  row 8  col 10  x 1105  y 2035  height 106  difference 6  level 4  cells 1\n";
    ASSERT_GE(r.out.size(), expected.size());
    EXPECT_EQ(r.out.substr(r.out.size() - expected.size()), expected);
    EXPECT_NE(report({"--worst", "5", flatDem}).out.find("\nWorst places by curvature: none\n"), std::string::npos);
}

TEST_F(HandOverTest, FittedUnitGradesTheReportAndThePlaces)
{
    // 120 values: 110 zeros, 6 6 6 6 12 12 12 12 24 48. At (120 - 1) 0.99 = 117.81 the
    // percentile is 12 + 0.81 (24 - 12) = 21.72, its third 7.24, the unit 7.2: the spikes
    // above 3 units, the 12s above 1, the 6s at level 0.
    ChildResult r = report({"--unit", "auto", "--worst", "2", dem});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Curvature unit: 7.2 (fitted: 99th percentile 21.72 of 120 values / 3)\n\n"),
              std::string::npos);
    const std::string padding(30, ' ');  // a one-digit count padded to 16
    EXPECT_NE(r.out.find("   >    21.6" + padding + "2\n   >    14.4" + padding + "0\n   >    7.2" + padding + "4\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("curvature 24  level 3  cells 1\n"), std::string::npos);

    r = report({"--unit", "auto", "--format", "json", dem});
    EXPECT_NE(r.out.find("\"unit\": 7.2000000000000002, "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"unit_fitted\": true, \"unit_values\": 120, \"unit_percentile\": 21.7"),
              std::string::npos);

    r = report({"--unit", "auto", "--format", "json", flatDem});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Cannot fit the curvature unit: the 99th percentile of the 120 curvature values is 0; "
                         "the unit stays 1\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\"unit\": 1, "), std::string::npos);
    EXPECT_NE(r.out.find("\"unit_fitted\": false"), std::string::npos);
    EXPECT_NE(report({"--unit", "auto", "--format", "csv", flatDem}).out.find(",curvature_unit_fitted\n"),
              std::string::npos);
}

// The features of a GeoJSON file as OGR reads them: kind, rank, x, y, value.
struct Feature {
    std::string kind;
    int rank;
    double x, y, value;
};

std::vector<Feature> readFeatures(const std::string& path, std::string& epsg)
{
    GDALAllRegister();
    const char* const drivers[] = {"GeoJSON", nullptr};
    GDALDatasetH d = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, drivers, nullptr, nullptr);
    std::vector<Feature> out;
    if (d == nullptr)
        return out;
    OGRLayerH layer = GDALDatasetGetLayer(d, 0);
    OGRSpatialReferenceH srs = OGR_L_GetSpatialRef(layer);
    epsg = srs && OSRGetAuthorityCode(srs, nullptr) ? OSRGetAuthorityCode(srs, nullptr) : "";
    while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
        OGRGeometryH g = OGR_F_GetGeometryRef(f);
        out.push_back({OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "kind")),
                       OGR_F_GetFieldAsInteger(f, OGR_F_GetFieldIndex(f, "rank")), OGR_G_GetX(g, 0), OGR_G_GetY(g, 0),
                       OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "value"))});
        OGR_F_Destroy(f);
    }
    GDALClose(d);
    return out;
}

TEST_F(HandOverTest, PlacesFileReadsBackThroughOgrInTheDemsCoordinates)
{
    // The DEM as a GeoTIFF in UTM 32N, its north-west corner at (500000, 5600000).
    RasterSpec spec;
    spec.rows = 12;
    spec.cols = 14;
    const double transform[6] = {500000, 10, 0, 5600000, 0, -10};
    std::copy(transform, transform + 6, spec.transform);
    spec.epsg = 32632;
    const std::string tif = dir.file("dem.tif"), places = dir.file("places.geojson");
    writeRaster(tif, spec, twoSpikes());
    const ChildResult r = report({"--worst", "1", "--worst-geojson", places, tif, flatDem, "--type", "dem"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string epsg;
    const std::vector<Feature> read = readFeatures(places, epsg);
    EXPECT_EQ(epsg, "32632");
    ASSERT_EQ(read.size(), 2u);
    const Feature expected[] = {{"curvature", 1, 500045, 5599965, 48}, {"difference", 1, 500045, 5599965, 12}};
    for (std::size_t i = 0; i < 2; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read[i].kind, expected[i].kind);
        EXPECT_EQ(read[i].rank, expected[i].rank);
        EXPECT_DOUBLE_EQ(read[i].x, expected[i].x);  // pixel centre of row 3, column 4
        EXPECT_DOUBLE_EQ(read[i].y, expected[i].y);
        EXPECT_DOUBLE_EQ(read[i].value, expected[i].value);
    }
}

// Every number in the text of the page's table cells.
std::vector<double> tableNumbers(const std::string& html)
{
    std::vector<double> numbers;
    for (std::size_t at = html.find("<t"); at != std::string::npos; at = html.find("<t", at + 1)) {
        if (html.compare(at, 3, "<td") != 0 && html.compare(at, 3, "<th") != 0)
            continue;
        const std::size_t begin = html.find('>', at) + 1, end = html.find("</t", begin);
        const std::string cell = html.substr(begin, end - begin);
        for (std::size_t i = 0; i < cell.size(); i++) {
            char* stop = nullptr;
            const double v = std::strtod(cell.c_str() + i, &stop);
            if (stop != cell.c_str() + i && (std::isdigit(static_cast<unsigned char>(cell[i])) || cell[i] == '-')) {
                numbers.push_back(v);
                i = std::size_t(stop - cell.c_str()) - 1;
            }
        }
    }
    return numbers;
}

// Every number of a JSON value, walked depth first.
void jsonNumbers(const CPLJSONObject& o, const std::string& path, std::vector<std::pair<std::string, double>>& out)
{
    using Type = CPLJSONObject::Type;
    const Type type = o.GetType();
    if (type == Type::Integer || type == Type::Long || type == Type::Double)
        out.push_back({path, o.ToDouble()});
    else if (type == Type::Array)
        for (int i = 0; i < o.ToArray().Size(); i++)
            jsonNumbers(o.ToArray()[i], path + "[" + std::to_string(i) + "]", out);
    else if (type == Type::Object)
        for (const CPLJSONObject& child : o.GetChildren())
            jsonNumbers(child, path + "." + child.GetName(), out);
}

TEST_F(HandOverTest, HtmlPageHoldsEveryFigureOfTheJsonReportAndPicturesThatDecode)
{
    const std::string page = dir.file("page.html");
    const std::vector<std::string> data = {dem, flatDem, "--type", "dem", "--classes", "--unit", "auto"};
    std::vector<std::string> args = data;
    args.insert(args.end(), {"--html", page, "--format", "json", "--worst", "20", "--accuracy", "--by-slope"});
    const ChildResult r = report(args);
    ASSERT_EQ(r.status, 0) << r.err;
    std::ifstream in(page);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos);  // nothing fetched, no link out

    CPLJSONDocument json;
    ASSERT_TRUE(json.LoadMemory(r.out));
    std::vector<std::pair<std::string, double>> figures;
    jsonNumbers(json.GetRoot(), "", figures);
    const std::vector<double> shown = tableNumbers(html);
    for (const auto& [name, value] : figures) {
        SCOPED_TRACE(name);
        // Within the page's rounding: two decimals, three for the accuracy figures.
        const bool found = std::any_of(shown.begin(), shown.end(), [v = value](double s) {
            return std::fabs(s - v) <= 0.0051 + 1e-7 * std::fabs(v);
        });
        EXPECT_TRUE(found) << value;
    }

    // Two reliefs, the histogram, two bar charts, the class graph, two place pictures of
    // each kind.
    int pictures = 0;
    const std::string uri = "src=\"data:image/png;base64,";
    for (std::size_t at = html.find(uri); at != std::string::npos; at = html.find(uri, at + 1), pictures++) {
        std::string text = html.substr(at + uri.size(), html.find('"', at + uri.size()) - at - uri.size());
        const int bytes = CPLBase64DecodeInPlace(reinterpret_cast<GByte*>(text.data()));
        const Picture p = decodePng(std::vector<std::uint8_t>(text.begin(), text.begin() + bytes));
        const std::size_t width = html.find("width=\"", at) + 7;
        EXPECT_GT(p.height, 0) << pictures;
        EXPECT_EQ(p.width, std::atoi(html.c_str() + width)) << pictures;
    }
    EXPECT_EQ(pictures, 10);
}

TEST_F(HandOverTest, RefusalsNameTheFileAndTheReason)
{
    using Args = std::vector<std::string>;
    for (const Args& args : {Args{"--worst", "0", dem}, Args{"--worst", "10001", dem}, Args{"--worst", "x", dem},
                             Args{"--worst-geojson", "p.geojson", dem}, Args{"--html", "", dem},
                             Args{"--sparse", "100", "--worst", "3", dem}, Args{"--sparse", "100", "--html", "p", dem},
                             Args{"--unit", "auto"}}) {
        SCOPED_TRACE(testing::PrintToString(args));
        const ChildResult r = report(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, reportUsage);
    }
    const std::string other = dir.path() + "/./dem.asc", missing = dir.file("no/page.html");
    for (const Args& args : {Args{"--html", other, dem}, Args{"--worst", "1", "--worst-geojson", other, dem}}) {
        const ChildResult r = report(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "Cannot write " + other + ": it is the same file as the input " + dem + "\n");
    }
    const ChildResult r = report({"--html", missing, dem});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot write " + missing + "\n"), std::string::npos);
}

}  // namespace
