#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include "model/mountain.h"
#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

const char* const plainHeader = "ncols 3\nnrows 2\nxllcorner 10.5\nyllcorner -20\ncellsize 25\n";

void readDem(const std::string& path)
{
    const char* names[2] = {path.c_str(), nullptr};
    mt.readgridfile(names, 1);
}

ChildResult readDemInChild(const std::string& path)
{
    return runInChild([&] { readDem(path); });
}

class GridReaderTest : public ModelTest {
protected:
    TempDir dir;
    std::string write(const std::string& text, const std::string& name = "grid.grd")
    {
        const std::string path = dir.file(name);
        writeText(path, text);
        return path;
    }
};

TEST_F(GridReaderTest, ReadsHeaderAndValuesInRowOrder)
{
    const std::string path = write(std::string(plainHeader) + "1 2 3\n4 5 6.5\n");
    testing::internal::CaptureStdout();
    readDem(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Reading DEM data, 2 rows and 3 columns...\n");
    EXPECT_EQ(mt.ncols, 3);
    EXPECT_EQ(mt.nrows, 2);
    EXPECT_FLOAT_EQ(mt.xllcorner, 10.5f);
    EXPECT_FLOAT_EQ(mt.yllcorner, -20.0f);
    EXPECT_FLOAT_EQ(mt.cellsize, 25.0f);
    EXPECT_EQ(mt.nodata_value, 0.0f);
    EXPECT_EQ(mt.xllRead, 10.5);
    EXPECT_EQ(mt.yllRead, -20.0);
    EXPECT_EQ(mt.cellsizeRead, 25.0);
    EXPECT_EQ(mt.getElev(0, 0), 1.0f);
    EXPECT_EQ(mt.getElev(0, 2), 3.0f);
    EXPECT_EQ(mt.getElev(1, 0), 4.0f);
    EXPECT_EQ(mt.getElev(1, 2), 6.5f);
    EXPECT_EQ(mt.getZmin(), 1.0f);
    EXPECT_EQ(mt.getZmax(), 6.5f);
    EXPECT_EQ(mt.gridsize(), 6);
}

// The header's numbers as read, beside their floats: a float puts 612345.37 a quarter of
// a 0.5 m cell away, at 612345.375.
TEST_F(GridReaderTest, HeaderNumbersAreAlsoKeptInDoublePrecision)
{
    const std::string path = write("ncols 2\nnrows 1\nxllcorner 612345.37\nyllcorner 5718030.37\ncellsize +0.1\n"
                                   "NODATA_value -9999.99\n1 2\n");
    testing::internal::CaptureStdout();
    readDem(path);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(mt.xllRead, 612345.37);
    EXPECT_EQ(mt.yllRead, 5718030.37);
    EXPECT_EQ(mt.cellsizeRead, 0.1);
    EXPECT_EQ(mt.nodataRead, -9999.99);
    EXPECT_EQ(mt.xllcorner, 612345.375f);
    EXPECT_EQ(mt.yllcorner, 5718030.5f);
    EXPECT_EQ(mt.cellsize, 0.1f);
    EXPECT_EQ(mt.nodata_value, -9999.99f);
}

TEST_F(GridReaderTest, LineLayoutDoesNotMatter)
{
    const std::string oneLine = write("ncols 2 nrows 3 xllcorner 0 yllcorner 0 cellsize 1 1 2 3 4 5 6", "a.grd");
    const std::string tabs = write("ncols\t2\nnrows\t3\r\nxllcorner 0\nyllcorner 0\ncellsize 1\n1\n2\n\n3\t4\n5 6\n", "b.grd");
    for (const std::string& path : {oneLine, tabs}) {
        SCOPED_TRACE(path);
        resetModel();
        testing::internal::CaptureStdout();
        readDem(path);
        testing::internal::GetCapturedStdout();
        for (int i = 0; i < 6; i++)
            EXPECT_EQ(mt.getElev(i / 2, i % 2), float(i + 1));
    }
}

TEST_F(GridReaderTest, NodataLineIsOptionalAndAnyWordStartingWithN)
{
    struct Case {
        const char* nodataLine;
        float nodata;
        float firstHeight;
    } cases[] = {
        {"", 0.0f, 123.5f},  // the put-back character belongs to the first height
        {"NODATA_value -9999\n", -9999.0f, 123.5f},
        {"nodata_value 7\n", 7.0f, 123.5f},
        {"Nothing 0\n", 0.0f, 123.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nodataLine);
        resetModel();
        const std::string path = write(std::string("ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\n") +
                                       c.nodataLine + "123.5 -4\n");
        testing::internal::CaptureStdout();
        readDem(path);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(mt.nodata_value, c.nodata);
        EXPECT_EQ(mt.getElev(0, 0), c.firstHeight);
        EXPECT_EQ(mt.getElev(0, 1), -4.0f);
    }
}

TEST_F(GridReaderTest, NodataCellsAreOrdinaryHeights)
{
    const std::string path = write("ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n"
                                   "10 -9999\n20 30\n");
    testing::internal::CaptureStdout();
    readDem(path);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(mt.getZmin(), -9999.0f);
    EXPECT_EQ(mt.getZmax(), 30.0f);
}

TEST_F(GridReaderTest, HeightRangeIsThatOfTheHeightsWhateverTheyAre)
{
    const std::string high = write(gridText(1, 2, {40000, 50000}), "high.grd");
    const std::string low = write(gridText(1, 2, {-2000, -3000}), "low.grd");
    testing::internal::CaptureStdout();
    readDem(high);
    EXPECT_EQ(mt.getZmin(), 40000.0f);
    EXPECT_EQ(mt.getZmax(), 50000.0f);
    readDem(low);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(mt.getZmin(), -3000.0f);
    EXPECT_EQ(mt.getZmax(), -2000.0f);
}

TEST_F(GridReaderTest, EachReadHasItsOwnRange)
{
    testing::internal::CaptureStdout();
    readDem(write(gridText(1, 2, {100, 200}), "a.grd"));
    readDem(write(gridText(1, 2, {150, 160}), "b.grd"));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(mt.getZmin(), 150.0f);
    EXPECT_EQ(mt.getZmax(), 160.0f);
}

TEST_F(GridReaderTest, ValuesBeyondTheGridAreIgnoredAndThinGridsRead)
{
    testing::internal::CaptureStdout();
    readDem(write(std::string(plainHeader) + "1 2 3 4 5 6 7 8 junk\n"));
    EXPECT_EQ(mt.getZmax(), 6.0f);
    readDem(write(gridText(1, 5, {1, 2, 3, 4, 5}), "row.grd"));
    EXPECT_EQ(mt.getRows(), 1);
    EXPECT_EQ(mt.getElev(0, 4), 5.0f);
    readDem(write(gridText(4, 1, {1, 2, 3, 4}), "col.grd"));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(mt.getCols(), 1);
    EXPECT_EQ(mt.getElev(3, 0), 4.0f);
}

TEST_F(GridReaderTest, DebugTraceNamesFileCellsizeAndNodata)
{
    DEBUG = true;
    const std::string path = write("ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 2.5\nNODATA_value -1\n5\n");
    testing::internal::CaptureStdout();
    readDem(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Reading file '" + path + "'...\ncellsize: 2.5\nnodata_value = -1\nResolution (cellsize): 2.5\n"
              "Reading DEM data, 1 rows and 1 columns...\n");
    DEBUG = true;
    const std::string bare = write("ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\n5\n", "bare.grd");
    testing::internal::CaptureStdout();
    readDem(bare);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("nodata_value = none\n"), std::string::npos);
}

TEST_F(GridReaderTest, AcceptsFileNamesOfAnyLength)
{
    std::string deep = dir.path();
    for (int i = 0; i < 12; i++) {
        deep += "/" + std::string(200, char('a' + i));
        std::filesystem::create_directory(deep);
    }
    const std::string path = deep + "/" + std::string(200, 'z') + ".grd";
    ASSERT_GT(path.size(), 2400u);
    writeText(path, gridText(1, 2, {1, 2}));
    testing::internal::CaptureStdout();
    readDem(path);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(mt.getElev(0, 1), 2.0f);
}

struct Refusal {
    const char* name;
    std::string text;
    std::string message;  // after "ERROR: "
};

// Bytes of no format: the first is no letter a keyword or a nodata line starts with.
std::string binaryGarbage(unsigned seed, int length)
{
    std::string bytes;
    for (int i = 0; i < length; i++) {
        seed = seed * 1103515245u + 12345u;
        bytes += static_cast<char>(seed >> 16);
    }
    bytes[0] = '\x01';
    return bytes;
}

TEST_F(GridReaderTest, RefusedHeadersEndWithTheirMessageAndStatus255)
{
    const std::string body = "1 2 3 4 5 6\n";
    const std::string ncols = "'ncols' not found in input file\n", nrows = "'nrows' not found in input file\n";
    const std::string keyword = "Some kinda error!\n";
    const Refusal cases[] = {
        {"capitals", "NCOLS 3\nNROWS 2\nXLLCORNER 0\nYLLCORNER 0\nCELLSIZE 1\n" + body, ncols},
        {"cellsize in capitals", "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\nCELLSIZE 1\n" + body, keyword},
        {"nrows first", "nrows 2\nncols 3\nxllcorner 0\nyllcorner 0\ncellsize 1\n" + body, ncols},
        {"yllcorner first", "ncols 3\nnrows 2\nyllcorner 0\nxllcorner 0\ncellsize 1\n" + body, keyword},
        {"centre-based", "ncols 3\nnrows 2\nxllcenter 0\nyllcenter 0\ncellsize 1\n" + body, keyword},
        {"cellsize missing", "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\n" + body, keyword},
        // A number that cannot be read fails the stream: the next keyword is not found.
        {"ncols not a number", "ncols abc\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n" + body, nrows},
        {"no number after ncols", "ncols\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n" + body, nrows},
        {"ncols beyond int", "ncols 2147483648\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n" + body, nrows},
        {"no number after nrows", "ncols 3\nnrows\nxllcorner 0\nyllcorner 0\ncellsize 1\n" + body, keyword},
        {"nrows beyond int", "ncols 3\nnrows 99999999999\nxllcorner 0\nyllcorner 0\ncellsize 1\n" + body, keyword},
        {"no number after xllcorner", "ncols 3\nnrows 2\nxllcorner\nyllcorner 0\ncellsize 1\n" + body, keyword},
        {"xllcorner beyond float", "ncols 3\nnrows 2\nxllcorner 1e39\nyllcorner 0\ncellsize 1\n" + body, keyword},
        {"no number after yllcorner", "ncols 3\nnrows 2\nxllcorner 0\nyllcorner\ncellsize 1\n" + body, keyword},
        {"empty file", "", ncols},
        {"only whitespace", " \n\t\r\n", ncols},
        {"NUL inside a keyword", std::string("ncols\0 3\nnrows 2\n", 17), ncols},
        {"binary garbage", binaryGarbage(7, 4096), ncols},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        const ChildResult r = readDemInChild(write(c.text));
        EXPECT_TRUE(r.exited);
        EXPECT_EQ(r.status, 255);
        EXPECT_EQ(r.out, "ERROR: " + c.message);
    }
}

TEST_F(GridReaderTest, UnusableOrUnreadableHeaderValuesAreRefusedBeforeReadingValues)
{
    auto header = [](const std::string& cols, const std::string& rows, const std::string& cellsize) {
        return "ncols " + cols + "\nnrows " + rows + "\nxllcorner 0\nyllcorner 0\ncellsize " + cellsize + "\n1 2\n";
    };
    const std::string start = "ncols 1\nnrows 2\nxllcorner 0\nyllcorner 0\n";
    const std::string full = start + "cellsize 1\n";
    const std::string noNumber = " is missing or not a number\n", beyond = " is beyond the range of a float\n";
    const Refusal cases[] = {
        {"zero columns", header("0", "2", "1"), "ncols 0 is not a positive number of columns\n"},
        {"negative columns", header("-3", "2", "1"), "ncols -3 is not a positive number of columns\n"},
        {"zero rows", header("3", "0", "1"), "nrows 0 is not a positive number of rows\n"},
        {"negative rows", header("3", "-4", "1"), "nrows -4 is not a positive number of rows\n"},
        {"zero cellsize", header("1", "2", "0"), "cellsize 0 is not a positive finite distance\n"},
        {"negative cellsize", header("1", "2", "-25"), "cellsize -25 is not a positive finite distance\n"},
        {"cellsize that underflows to 0", header("1", "2", "1e-50"), "cellsize 0 is not a positive finite distance\n"},
        {"cells beyond int", header("100000", "100000", "1"),
         "a grid of 100000 rows and 100000 columns is too large to hold\n"},
        {"triangles beyond int", header("40000", "40000", "1"),
         "a grid of 40000 rows and 40000 columns is too large to hold\n"},
        // One row has no triangles, but the passes count a row's records in an int.
        {"a row's triangles beyond int", header("1073741824", "1", "1"),
         "a grid of 1 rows and 1073741824 columns is too large to hold\n"},
        // Header numbers that cannot be read, where no keyword follows to notice it.
        {"the file ends after the cellsize keyword", start + "cellsize", "cellsize" + noNumber},
        {"cellsize a word", header("1", "2", "big"), "cellsize" + noNumber},
        {"cellsize nan", header("1", "2", "nan"), "cellsize" + noNumber},
        {"cellsize inf", header("1", "2", "inf"), "cellsize" + noNumber},
        {"cellsize beyond float", header("1", "2", "1e39"), "cellsize" + beyond},
        {"cellsize below float", header("1", "2", "-1e39"), "cellsize" + beyond},
        {"the file ends after the nodata word", full + "NODATA_value", "nodata value" + noNumber},
        {"the file ends at a lone N", full + "N", "nodata value" + noNumber},
        {"nodata value a word", full + "NODATA_value none\n1 2\n", "nodata value" + noNumber},
        {"nodata value beyond float", full + "NODATA_value -1e39\n1 2\n", "nodata value" + beyond},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = write(c.text);
        const ChildResult r = readDemInChild(path);
        EXPECT_EQ(r.status, 255);
        EXPECT_EQ(r.out, "ERROR: file \"" + path + "\": " + c.message);
    }
}

TEST_F(GridReaderTest, ShortFilesAndNonNumbersAreRefusedWithTheCountRead)
{
    const std::string header = plainHeader;
    const std::string start = "ncols 3\nnrows 2\nxllcorner 10.5\nyllcorner -20\n";
    const Refusal cases[] = {
        {"too few", header + "1 2 3 4\n", "4 of 6"},
        {"header only", header, "0 of 6"},
        {"word among values", header + "1 2 x 4 5 6\n", "2 of 6"},
        {"nan", header + "1 nan 3 4 5 6\n", "1 of 6"},
        {"inf", header + "1 2 3 inf 5 6\n", "3 of 6"},
        {"minus infinity", header + "-infinity 2 3 4 5 6\n", "0 of 6"},
        {"beyond float", header + "1 2 3 1e39 5 6\n", "3 of 6"},
        {"below float", header + "1 2 -1e39 4 5 6\n", "2 of 6"},
        {"one token of megabytes", header + std::string(5 << 20, '7') + " 2 3 4 5 6\n", "0 of 6"},
        {"binary garbage after the header", header + binaryGarbage(11, 4096), "0 of 6"},
        // Without their number, cellsize and the nodata line take the first height.
        {"no number after cellsize", start + "cellsize\n1 2 3 4 5 6\n", "5 of 6"},
        {"a nodata line without its value", header + "NODATA_value\n1 2 3 4 5 6\n", "5 of 6"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = write(c.text);
        const ChildResult r = readDemInChild(path);
        EXPECT_EQ(r.status, 255);
        EXPECT_EQ(r.out, "Reading DEM data, 2 rows and 3 columns...\nERROR: file \"" + path +
                             "\" ends or holds a non-number after " + c.message + " heights\n");
    }
}

// The stream leaves the value untouched when nothing follows the keyword: the cellsize
// of the file read before must not stand in for the missing one.
TEST_F(GridReaderTest, AHeaderCutAtTheCellsizeKeepsNoCellsizeFromBefore)
{
    const std::string good = write(gridText(2, 3, flat(2, 3, 1), 25), "good.grd");
    const std::string cut = write("ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize", "cut.grd");
    const ChildResult r = runInChild([&] {
        readDem(good);
        readDem(cut);
    });
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out, "Reading DEM data, 2 rows and 3 columns...\nERROR: file \"" + cut +
                         "\": cellsize is missing or not a number\n");
}

TEST_F(GridReaderTest, OnlyARegularFileIsRead)
{
    const std::string fifo = dir.file("pipe.grd");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path, message;
    } cases[] = {{dir.file("absent.grd"), "\" not found"},
                 {dir.path(), "\": is a directory"},
                 {fifo, "\": is not a regular file (a FIFO, a device or a socket)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const ChildResult r = readDemInChild(c.path);
        EXPECT_EQ(r.status, 255);
        EXPECT_EQ(r.out, "ERROR: file \"" + c.path + c.message + "\n");
    }
}

TEST_F(GridReaderTest, ReadingANewFileReplacesTheOldGrid)
{
    testing::internal::CaptureStdout();
    readDem(write(gridText(3, 3, flat(3, 3, 7)), "a.grd"));
    readDem(write(gridText(1, 2, {8, 9}), "b.grd"));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(mt.getRows(), 1);
    EXPECT_EQ(mt.getCols(), 2);
    EXPECT_EQ(mt.getElev(0, 1), 9.0f);
}

}  // namespace
