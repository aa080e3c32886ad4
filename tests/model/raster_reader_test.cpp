// Rasters through GDAL against their text twins, and the rasters the reader refuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/mountain.h"
#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/raster_files.h"
#include "tests/support/temp_dir.h"

namespace {

const int ROWS = 4, COLS = 5;

class RasterReaderTest : public ModelTest {
protected:
    void read(mountain& m, const std::string& path, int index = 1)
    {
        const char* names[2] = {path.c_str(), path.c_str()};
        testing::internal::CaptureStdout();
        m.readgridfile(names, index);
        lines = testing::internal::GetCapturedStdout();
    }
    RasterSpec spec(bool southUp = false)
    {
        RasterSpec s;
        s.rows = ROWS;
        s.cols = COLS;
        const double top = 5143000 + ROWS * 25;
        const double t[6] = {612000, 25, 0, southUp ? 5143000 : top, 0, southUp ? 25.0 : -25.0};
        std::copy(t, t + 6, s.transform);
        return s;
    }
    TempDir dir;
    std::string lines;
};

TEST_F(RasterReaderTest, ARasterReadsAsItsTextTwin)
{
    std::vector<float> heights = plane(ROWS, COLS, 612.25, 3.5, -1.25);
    heights[7] = -9999;
    GridHeader header;
    header.nrows = ROWS;
    header.ncols = COLS;
    header.xllcorner = 612000;
    header.yllcorner = 5143000;
    header.cellsize = 25;
    header.hasNodata = true;
    const std::string text = dir.file("twin.grd");
    writeGridFile(text, header, heights);
    rawdata twin;
    read(twin, text);
    const std::string textLines = lines;

    for (bool southUp : {false, true}) {
        SCOPED_TRACE(southUp ? "rows south to north" : "rows north to south");
        RasterSpec s = spec(southUp);
        s.hasNodata = true;
        std::vector<float> stored = heights;
        if (southUp)
            for (int r = 0; r < ROWS / 2; r++)
                std::swap_ranges(stored.begin() + r * COLS, stored.begin() + (r + 1) * COLS,
                                 stored.begin() + (ROWS - 1 - r) * COLS);
        const std::string path = dir.file(southUp ? "south.tif" : "north.tif");
        writeRaster(path, s, stored);
        resetModel();
        read(mt, path);
        EXPECT_EQ(lines, textLines);
        EXPECT_EQ(mt.nrows, twin.nrows);
        EXPECT_EQ(mt.ncols, twin.ncols);
        EXPECT_EQ(mt.xllcorner, twin.xllcorner);
        EXPECT_EQ(mt.yllcorner, twin.yllcorner);
        EXPECT_EQ(mt.cellsize, twin.cellsize);
        EXPECT_EQ(mt.nodata_value, twin.nodata_value);
        EXPECT_TRUE(mt.hasNodata && twin.hasNodata);
        EXPECT_EQ(mt.zmin, twin.zmin);
        EXPECT_EQ(mt.zmax, twin.zmax);
        for (int r = 0; r < ROWS; r++)
            for (int c = 0; c < COLS; c++)
                EXPECT_EQ(mt.grid[r][c], twin.grid[r][c]) << r << ", " << c;
        EXPECT_FALSE(mt.geographic);
    }
}

TEST_F(RasterReaderTest, AComparisonRasterInfersItsIntervalAndKnowsItsCoordinateSystem)
{
    RasterSpec s = spec();
    s.epsg = 4326;
    s.transform[1] = 0.001;
    s.transform[5] = -0.001;
    const std::string path = dir.file("contours.tif");
    writeRaster(path, s, surface(ROWS, COLS, [](int r, int) { return r == 1 ? 120.0 : r == 3 ? 140.0 : 0.0; }));
    rawdata contours;
    read(contours, path, 2);
    EXPECT_EQ(lines, "Reading sparse data, 4 rows and 5 columns...\n");
    EXPECT_EQ(contours.getContourInt(), 20);
    EXPECT_TRUE(contours.geographic);
    EXPECT_NE(contours.projection.find("WGS"), std::string::npos);
    EXPECT_FALSE(contours.hasNodata);
}

TEST_F(RasterReaderTest, RefusedRastersEndWithTheirReason)
{
    RasterSpec rotated = spec(), oblong = spec();
    rotated.transform[2] = 0.5;
    oblong.transform[5] = -30;
    writeRaster(dir.file("rotated.tif"), rotated, flat(ROWS, COLS, 1));
    writeRaster(dir.file("oblong.tif"), oblong, flat(ROWS, COLS, 1));
    writeText(dir.file("junk.bin"), "\x01\x02\x03 not a raster");  // refused as text
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {{"rotated.tif", "the raster is rotated"},
                 {"oblong.tif", "its pixels are not square (25 x 30)"},
                 {"junk.bin", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = dir.file(c.file);
        const ChildResult r = runInChild([&] {
            const char* names[2] = {path.c_str(), nullptr};
            mt.readgridfile(names, 1);
        });
        EXPECT_EQ(r.status, 255);
        if (c.reason == nullptr)
            EXPECT_EQ(r.out, "ERROR: 'ncols' not found in input file\n");
        else
            EXPECT_EQ(r.out.rfind("ERROR: file \"" + path + "\": " + c.reason, 0), 0u) << r.out;
    }
}

}  // namespace
