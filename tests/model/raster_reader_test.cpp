// Rasters through GDAL against their text twins, and the rasters the reader refuses.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include <algorithm>
#include <string>
#include <vector>

#include "model/mountain.h"
#include "model/raster_reader.h"
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

// Raw values become heights: signed bytes as signed, then scale and offset; nodata is
// compared raw and scaled like the rest, so a raw nodata pixel stays nodata.
TEST_F(RasterReaderTest, SignedBytesScaleAndOffsetGiveHeights)
{
    const struct {
        const char* name;
        const char* type;
        const char* pixels;
        double scale, offset, nodata;
        std::vector<float> stored, heights;
    } cases[] = {
        {"signed bytes", "Byte", "PIXELTYPE=SIGNEDBYTE", 1, 0, -128, {206, 49, 128, 255, 127, 0},
         {-50, 49, -128, -1, 127, 0}},
        {"scaled signed bytes", "Byte", "PIXELTYPE=SIGNEDBYTE", 2, 1, -128, {206, 49, 128, 255, 127, 0},
         {-99, 99, -255, -1, 255, 1}},
        {"bytes", "Byte", nullptr, 1, 0, 255, {206, 49, 255, 128, 127, 0}, {206, 49, 255, 128, 127, 0}},
        {"scaled Int16", "Int16", nullptr, 0.5, 100, -32768, {-3, 0, -32768, 1, 1000, 32767},
         {98.5, 100, -16284, 100.5, 600, 16483.5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RasterSpec s = spec();
        s.rows = 2;
        s.cols = 3;
        s.type = c.type;
        if (c.pixels != nullptr)
            s.options = {c.pixels};
        s.scale = c.scale;
        s.offset = c.offset;
        s.hasNodata = true;
        s.nodata = c.nodata;
        const std::string path = dir.file(std::string(c.name) + ".tif");
        writeRaster(path, s, c.stored);
        resetModel();
        read(mt, path);
        for (int i = 0; i < 6; i++)
            EXPECT_EQ(mt.grid[i / 3][i % 3], c.heights[i]) << i;
        EXPECT_EQ(mt.nodata_value, c.heights[2]);  // the raw nodata pixel
        EXPECT_EQ(mt.nodataRead, c.nodata * c.scale + c.offset);
    }
}

// The corner and cellsize as the file gives them, in double; a corner no float can
// hold is refused.
TEST_F(RasterReaderTest, TheCornerIsKeptAsReadAndMustBeFinite)
{
    RasterSpec s = spec();
    const double t[6] = {612345.37, 0.5, 0, 5718030.37 + ROWS * 0.5, 0, -0.5};
    std::copy(t, t + 6, s.transform);
    writeRaster(dir.file("fine.tif"), s, flat(ROWS, COLS, 1));
    read(mt, dir.file("fine.tif"));
    EXPECT_EQ(mt.xllRead, 612345.37);
    EXPECT_EQ(mt.yllRead, 5718030.37 + ROWS * 0.5 - ROWS * 0.5);
    EXPECT_EQ(mt.cellsizeRead, 0.5);
    EXPECT_EQ(mt.xllcorner, 612345.375f);

    s.transform[0] = 1e300;
    const std::string far = dir.file("far.tif");
    writeRaster(far, s, flat(ROWS, COLS, 1));
    const ChildResult r = runInChild([&] {
        const char* names[2] = {far.c_str(), nullptr};
        mt.readgridfile(names, 1);
    });
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out, "ERROR: file \"" + far + "\": its lower left corner (1e+300, 5718030.37) is not a finite position\n");
}

// Rows come from GDAL in blocks of about a million heights, north to south or south to
// north; 300000 columns make blocks of 3 rows, the last one short.
TEST_F(RasterReaderTest, RowsReadInBlocksKeepTheirOrder)
{
    const int rows = 7, cols = 300000;
    for (bool southUp : {false, true}) {
        SCOPED_TRACE(southUp ? "rows south to north" : "rows north to south");
        RasterSpec s = spec(southUp);
        s.rows = rows;
        s.cols = cols;
        s.transform[3] = southUp ? 0 : rows;
        s.transform[1] = 1;
        s.transform[5] = southUp ? 1 : -1;
        // Stored row f holds grid row r: f itself, or counted from the south.
        writeRaster(dir.file("wide.tif"), s, surface(rows, cols, [&](int f, int c) {
                        return (southUp ? rows - 1 - f : f) * 1000000.0 + c;
                    }));
        resetModel();
        read(mt, dir.file("wide.tif"));
        for (int r = 0; r < rows; r++)
            for (int c : {0, 1, cols / 2, cols - 1})
                EXPECT_EQ(mt.grid[r][c], r * 1000000.0f + c) << r << ", " << c;
        EXPECT_EQ(mt.zmax, 6000000.0f + cols - 1);
    }
}

// Which reader takes a file is decided by what it holds, whatever its first bytes look
// like, and a raster that names other files is read only when it is trusted.
TEST_F(RasterReaderTest, FormatsAreToldByContentAndOnlyTrustedRastersReadOtherFiles)
{
    // Little-endian Int16 16705 and 12594 are the bytes "AA" and "21".
    const std::vector<float> heights = {16705, 12594, -3, 4, 5, 6};
    RasterSpec s = spec();
    s.rows = 2;
    s.cols = 3;
    s.type = "Int16";
    for (const char* driver : {"HFA", "EHdr", "netCDF"}) {
        SCOPED_TRACE(driver);
        s.driver = driver;
        const std::string path = dir.file(std::string("dem.") + driver);
        writeRaster(path, s, heights);
        resetModel();
        read(mt, path);
        ASSERT_EQ(lines, "Reading DEM data, 2 rows and 3 columns...\n");
        for (int i = 0; i < 6; i++)
            EXPECT_EQ(mt.grid[i / 3][i % 3], heights[i]);
        EXPECT_EQ(mt.xllRead, 612000);
    }
    s.driver = "netCDF";
    s.options = {"FORMAT=NC4"};
    writeRaster(dir.file("dem.nc4"), s, heights);

    writeText(dir.file("secret"), "ABCD");
    const std::string vrt = "\xEF\xBB\xBF<VRTDataset rasterXSize=\"4\" rasterYSize=\"1\"><VRTRasterBand "
                            "dataType=\"Byte\" band=\"1\" subClass=\"VRTRawRasterBand\"><SourceFilename "
                            "relativeToVRT=\"1\">secret</SourceFilename><LineOffset>4</LineOffset></VRTRasterBand>"
                            "</VRTDataset>";
    writeText(dir.file("mosaic.vrt"), vrt);
    const struct {
        const char* file;
        const char* refusal;
    } refused[] = {{"mosaic.vrt", "a VRT raster may read other files or the network; --trust-raster reads it"},
                   {"dem.nc4", "a netCDF-4 (HDF5) raster may read other files; --trust-raster reads it"}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.file);
        const std::string path = dir.file(r.file);
        const ChildResult refusal = runInChild([&] {
            const char* names[2] = {path.c_str(), nullptr};
            mt.readgridfile(names, 1);
        });
        EXPECT_EQ(refusal.status, 255);
        EXPECT_EQ(refusal.out, "ERROR: file \"" + path + "\": " + r.refusal + "\n");
    }
    resetModel();
    trustRasters = true;
    read(mt, dir.file("mosaic.vrt"));
    ASSERT_EQ(mt.ncols, 4);
    EXPECT_EQ(mt.grid[0][0], 'A');
    EXPECT_EQ(mt.grid[0][3], 'D');
}

// A file beside a raster that GDAL looks for can be a FIFO, which no one writes.
TEST_F(RasterReaderTest, AFifoBesideARasterIsNotOpened)
{
    RasterSpec s = spec();
    s.driver = "EHdr";
    writeRaster(dir.file("dem.bil"), s, flat(ROWS, COLS, 7));
    std::remove(dir.file("dem.prj").c_str());
    ASSERT_EQ(mkfifo(dir.file("dem.prj").c_str(), 0600), 0);
    for (bool trusted : {false, true}) {
        SCOPED_TRACE(trusted ? "trusted" : "untrusted");
        resetModel();
        trustRasters = trusted;
        read(mt, dir.file("dem.bil"));
        EXPECT_EQ(mt.grid[ROWS - 1][COLS - 1], 7);
        EXPECT_EQ(mt.projection, "");
    }
}

}  // namespace
