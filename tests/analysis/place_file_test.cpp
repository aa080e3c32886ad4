// Places files written through the GDAL module and read back by GDAL itself, and the
// review's decisions through an export and an import.

#include <gtest/gtest.h>

#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "analysis/place_records.h"
#include "analysis/place_review.h"
#include "model/mountain.h"
#include "model/place_file.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/raster_files.h"
#include "tests/support/temp_dir.h"

namespace {

class PlaceFileTest : public ModelTest {
protected:
    // A 12 x 14 GeoTIFF in UTM 32N, 30 m cells, top left corner (612345.5, 5123456.25),
    // at height 500 with a spike of 7 at (4, 6) and a pit of 2 at (9, 2), read into mt.
    void SetUp() override
    {
        ModelTest::SetUp();
        RasterSpec spec;
        spec.rows = 12;
        spec.cols = 14;
        spec.epsg = 32632;
        const double transform[6] = {612345.5, 30, 0, 5123456.25, 0, -30};
        std::copy(transform, transform + 6, spec.transform);
        std::vector<float> heights = flat(12, 14, 500);
        heights[4 * 14 + 6] += 7;
        heights[9 * 14 + 2] -= 2;
        const std::string dem = dir.file("dem.tif");
        writeRaster(dem, spec, heights);
        const char* names[1] = {dem.c_str()};
        testing::internal::CaptureStdout();
        mt.readgridfile(names, 1);
        testing::internal::GetCapturedStdout();
        WorstPlacesInput in;
        in.dem = mt.view();
        places = worstPlaces(in, PlaceKind::curvature, 10);
    }
    TempDir dir;
    std::vector<Place> places;
};

TEST_F(PlaceFileTest, GdalReadsThePointsBackInTheGridsCoordinateSystem)
{
    const std::string path = dir.file("places.geojson");
    std::string why;
    ASSERT_TRUE(writePlaceFile(path, placesFile(places, mt.projection), why)) << why;

    GDALAllRegister();
    GDALDatasetH file = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    ASSERT_NE(file, nullptr);
    OGRLayerH layer = GDALDatasetGetLayer(file, 0);
    OGRSpatialReferenceH srs = OGR_L_GetSpatialRef(layer);
    ASSERT_NE(srs, nullptr);
    EXPECT_STREQ(OSRGetAuthorityCode(srs, nullptr), "32632");
    // x, y, then rank, row, col, height, value, level, cells; x = 612345.5 + (c + 0.5) 30,
    // y = 5123456.25 - (r + 0.5) 30.
    const std::pair<double, double> points[] = {{612540.5, 5123321.25}, {612420.5, 5123171.25}};
    const std::vector<double> properties[] = {{1, 4, 6, 507, 28, 3, 5}, {2, 9, 2, 498, 8, 3, 5}};
    ASSERT_EQ(OGR_L_GetFeatureCount(layer, TRUE), 2);
    OGR_L_ResetReading(layer);
    for (int i = 0; i < 2; i++) {
        SCOPED_TRACE(i);
        OGRFeatureH f = OGR_L_GetNextFeature(layer);
        ASSERT_NE(f, nullptr);
        OGRGeometryH point = OGR_F_GetGeometryRef(f);
        EXPECT_EQ(std::make_pair(OGR_G_GetX(point, 0), OGR_G_GetY(point, 0)), points[i]);
        std::vector<double> fields;
        for (const char* name : {"rank", "row", "col", "height", "value", "level", "cells"})
            fields.push_back(OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, name)));
        EXPECT_EQ(fields, properties[i]);
        EXPECT_STREQ(OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "kind")), "curvature");
        EXPECT_EQ(OGR_F_GetFieldIndex(f, "status"), -1);
        OGR_F_Destroy(f);
    }
    GDALClose(file);
}

TEST_F(PlaceFileTest, AnExportAndAnImportKeepEveryDecision)
{
    ASSERT_EQ(places.size(), 2u);
    ReviewList review(places);
    EXPECT_FALSE(review.hasUnexportedDecisions());
    const std::string note = "ridge \"cut\", see\nsheet 4 — Höhe";
    review.setStatus(0, ReviewStatus::confirmed);
    review.setNote(0, note);
    review.setStatus(1, ReviewStatus::dismissed);
    EXPECT_TRUE(review.hasUnexportedDecisions());

    const std::string path = dir.file("review.geojson");
    std::string why;
    ASSERT_TRUE(writePlaceFile(path, review.exportFile(mt.projection), why)) << why;
    review.markExported();
    EXPECT_FALSE(review.hasUnexportedDecisions());

    ReviewList restored(places);
    restored.setNote(1, "kept until the file names it");
    PlaceFile file;
    ASSERT_TRUE(readPlaceFile(path, file, why)) << why;
    EXPECT_TRUE(file.review);
    const ReviewImport imported = restored.importDecisions(file);
    EXPECT_EQ(imported.restored, 2);
    for (std::size_t i = 0; i < 2; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(restored.entries()[i].status, review.entries()[i].status);
        EXPECT_EQ(restored.entries()[i].note, review.entries()[i].note);
    }
    EXPECT_FALSE(restored.hasUnexportedDecisions());
    restored.setStatus(1, ReviewStatus::unreviewed);
    EXPECT_TRUE(restored.hasUnexportedDecisions());
    restored.setStatus(1, ReviewStatus::dismissed);
    EXPECT_FALSE(restored.hasUnexportedDecisions());

    // Records of another place or with no status name change nothing.
    file.records[0].row = 5;
    file.records[1].status = "maybe";
    const ReviewImport strays = restored.importDecisions(file);
    EXPECT_EQ(strays.restored, 0);
    EXPECT_EQ(strays.unknownPlaces, 1);
    EXPECT_EQ(strays.noStatus, 1);
    EXPECT_EQ(restored.entries()[1].status, ReviewStatus::dismissed);
}

TEST_F(PlaceFileTest, FilesThatHoldNoPlacesAreRefused)
{
    writeText(dir.file("grid.asc"), "ncols 3\nnrows 1\n");
    const std::string large = dir.file("large.geojson");
    writeText(large, "");
    ASSERT_EQ(truncate(large.c_str(), largestPlaceFile + 1), 0);
    const std::string cases[][2] = {{dir.path(), "is a directory"},
                                    {dir.file("grid.asc"), "is no GeoJSON places file"},
                                    {large, "is larger than 16 MB"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        PlaceFile file;
        std::string why;
        EXPECT_FALSE(readPlaceFile(c[0], file, why));
        EXPECT_EQ(why.substr(0, c[1].size()), c[1]);
    }
}

}  // namespace
