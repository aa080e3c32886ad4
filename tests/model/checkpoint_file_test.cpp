// Checkpoint files: text tables with each separator, and vector files written with OGR.

#include <gtest/gtest.h>
#include <gdal_utils.h>

#include <string>
#include <vector>

#include "model/checkpoint_file.h"
#include "tests/support/epsg_wkt.h"
#include "tests/support/grid_files.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(CheckpointFileTest, TextTablesWithEachSeparator)
{
    struct Case {
        const char* name;
        const char* text;
        const char* skippedLine;
    } cases[] = {
        {"comma", "id,x,y,z,class\nP1,100.5,200,50.25,road\n\nP2,101,201,oops,road\nP3,102,202,52,wood\n", "line 4"},
        {"semicolon, decimal commas",
         "# survey 2021\nName;Easting;Northing;Height\nP1;100,5;200;50,25\nP2;101\nP3;102;202;52\n", "line 4"},
        {"tab, quoted", "E\tN\tH\tid\r\n100.5\t200\t50.25\t\"P1\"\r\n101\t\t51\t\"P2\"\r\n102\t202\t52\tP3\r\n",
         "line 3"},
        {"blanks", "  lon   lat  elevation  landcover\n100.5 200 50.25 road\n101 201 inf road\n102   202  52 wood\n",
         "line 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(startsAsCheckpointTable(c.text));
        const CheckpointSet set = parseCheckpointTable(c.text, 100);
        EXPECT_EQ(set.problem, "");
        ASSERT_EQ(set.points.size(), 2u);
        const Checkpoint& p = set.points[0];
        EXPECT_TRUE(p.x == 100.5 && p.y == 200 && p.z == 50.25 && set.points[1].z == 52) << p.x << " " << p.z;
        ASSERT_EQ(set.skipped.size(), 1u);
        EXPECT_EQ(set.skipped[0].where, c.skippedLine);
    }
    const CheckpointSet ids = parseCheckpointTable(cases[0].text, 100);
    EXPECT_EQ(ids.points[1].id, "P3");
    EXPECT_EQ(ids.points[1].landClass, "wood");
    EXPECT_TRUE(ids.hasClasses);
    EXPECT_EQ(ids.skipped[0].reason, "z \"oops\" is not a number");
    EXPECT_EQ(parseCheckpointTable(cases[3].text, 100).points[1].landClass, "wood");
    EXPECT_EQ(parseCheckpointTable(cases[2].text, 100).points[0].id, "P1");
    EXPECT_EQ(parseCheckpointTable("x,y,z\n1,2,3\n", 100).points[0].id, "2");  // its line
}

TEST(CheckpointFileTest, TablesWithoutAUsablePointAreRefused)
{
    struct Case {
        const char* text;
        const char* problem;
    } cases[] = {
        {"x,y,z\n1,2\n", "holds no usable checkpoint"},
        {"x,y\n1,2\n", "has no z (height) column"},
        {"x,y,z\n1,2,3\n4,5,6\n", "holds more checkpoints than memory allows (1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CheckpointSet set = parseCheckpointTable(c.text, 1);
        EXPECT_EQ(set.problem, c.problem);
        EXPECT_TRUE(set.points.empty());
    }
    TempDir dir;
    EXPECT_EQ(readCheckpoints(dir.path(), "").problem, "is a directory");
    writeText(dir.file("plain.txt"), "these are not checkpoints\n");
    EXPECT_NE(readCheckpoints(dir.file("plain.txt"), "").problem.find("is neither a checkpoint table"),
              std::string::npos);
}

// Points in geographic coordinates with their heights in a field: one without a height,
// one that is not a point.
const char* const survey = R"({"type": "FeatureCollection", "features": [
    {"type": "Feature", "properties": {"name": "central meridian", "Height": 120.5},
     "geometry": {"type": "Point", "coordinates": [9, 45]}},
    {"type": "Feature", "properties": {"name": "equator", "Height": 3}, "geometry": {"type": "Point", "coordinates": [9, 0]}},
    {"type": "Feature", "properties": {"name": "no height", "Height": null},
     "geometry": {"type": "Point", "coordinates": [9.1, 45]}},
    {"type": "Feature", "properties": {"name": "a line", "Height": 7},
     "geometry": {"type": "LineString", "coordinates": [[9, 45], [9.1, 45]]}}]})";

// The GeoJSON file geojson as a GeoPackage, written by OGR.
void writeGeoPackage(const std::string& geojson, const std::string& path)
{
    GDALAllRegister();
    GDALDatasetH source = GDALOpenEx(geojson.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    const char* arguments[] = {"-f", "GPKG", nullptr};
    GDALVectorTranslateOptions* options = GDALVectorTranslateOptionsNew(const_cast<char**>(arguments), nullptr);
    GDALClose(GDALVectorTranslate(path.c_str(), nullptr, 1, &source, options, nullptr));
    GDALVectorTranslateOptionsFree(options);
    GDALClose(source);
}

TEST(CheckpointFileTest, VectorFilesInGeographicCoordinatesOnAUtmDem)
{
    // UTM zone 32 has its central meridian at 9 E: easting 500000 there, northing 0 on the
    // equator and 0.9996 x 4984944.378 m (the meridian arc to 45 N on WGS 84) at 45 N.
    TempDir dir;
    const std::string utm = wktOfEpsg(32632);
    writeText(dir.file("survey.geojson"), survey);
    writeGeoPackage(dir.file("survey.geojson"), dir.file("points.gpkg"));
    const CheckpointSet set = readCheckpoints(dir.file("points.gpkg"), utm);
    EXPECT_EQ(set.problem, "");
    EXPECT_TRUE(set.vectorFile && set.transformed);
    ASSERT_EQ(set.points.size(), 2u);
    EXPECT_EQ(set.points[0].id, "central meridian");
    EXPECT_NEAR(set.points[0].x, 500000, 0.01);
    EXPECT_NEAR(set.points[0].y, 4982950.40, 0.01);
    EXPECT_EQ(set.points[0].z, 120.5);
    EXPECT_NEAR(set.points[1].y, 0, 0.01);
    ASSERT_EQ(set.skipped.size(), 2u);
    EXPECT_EQ(set.skipped[0].where, "feature 3");
    EXPECT_EQ(set.skipped[1].reason, "is not a point");

    // GeoJSON is text without a table's header; its heights are the geometry's Z.
    writeText(dir.file("points.geojson"), R"({"type": "FeatureCollection", "features": [
        {"type": "Feature", "properties": {"id": "K7"}, "geometry": {"type": "Point", "coordinates": [9, 45, 88]}}]})");
    const CheckpointSet json = readCheckpoints(dir.file("points.geojson"), utm);
    ASSERT_EQ(json.points.size(), 1u);
    EXPECT_EQ(json.points[0].id, "K7");
    EXPECT_NEAR(json.points[0].y, 4982950.40, 0.01);
    EXPECT_EQ(json.points[0].z, 88);
    // Without the DEM's coordinate system the points stay as they are.
    EXPECT_EQ(readCheckpoints(dir.file("points.geojson"), "").points[0].x, 9);
}

}  // namespace
