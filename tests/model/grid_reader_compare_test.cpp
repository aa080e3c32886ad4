// The model's reader against the standard stream operators, on grid files with faults
// in every place: GridText, whatever its block and split sizes, takes from a file what a
// std::istringstream takes through the same extractions, and a grid the reader accepts
// holds those values bit for bit.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/error.h"
#include "model/mountain.h"
#include "tests/support/console_capture.h"
#include "tests/support/grid_extractions.h"
#include "tests/support/grid_files.h"
#include "tests/support/grid_soup.h"
#include "tests/support/model_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

// A grid file as people and programs write them, with every kind of fault in places.
std::string gridFile(GridSoup& soup)
{
    const int rows = 1 + soup.below(9), cols = 1 + soup.below(9);
    auto after = [&]() -> std::string {
        const char* ends[] = {" ", "\r\n", "\t\n", "x", ""};
        return soup.chance(0.85) ? "\n" : ends[soup.below(5)];
    };
    auto number = [&](int n) -> std::string {
        if (soup.chance(0.92))
            return std::to_string(n);
        return soup.chance(0.5) ? soup.integer() : "+" + std::to_string(n);
    };
    auto decimal = [&]() -> std::string {
        if (soup.chance(0.92))
            return std::to_string(soup.below(900000)) + "." + std::to_string(soup.below(100));
        return soup.chance(0.6) ? soup.height() : soup.junk();
    };
    std::string keywords[5] = {"ncols", "nrows", "xllcorner", "yllcorner", "cellsize"};
    if (soup.chance(0.05)) {
        const char* wrong[] = {"NCOLS", "Nrows", "xllcenter", "yllcenter", "CELLSIZE", "cell", "ncol"};
        keywords[soup.below(5)] = wrong[soup.below(7)];
    }
    if (soup.chance(0.03))
        std::swap(keywords[0], keywords[1]);

    std::string text = keywords[0] + " " + number(cols) + after();
    text += keywords[1] + soup.separator() + number(rows) + after();
    text += keywords[2] + " " + decimal() + after();
    text += keywords[3] + " " + decimal() + after();
    const char* cellsizes[] = {"25", "10.5", "1", "0", "-25", "1e39", "nan", "0.001"};
    text += keywords[4] + " " + (soup.chance(0.9) ? std::to_string(1 + soup.below(100)) : cellsizes[soup.below(8)]) +
            after();
    switch (soup.below(6)) {
    case 0: text += "NODATA_value -9999\n"; break;
    case 1: text += "nodata_value " + soup.height() + "\n"; break;
    case 2: text += (soup.chance(0.5) ? "n " : "N\t") + decimal() + " " + decimal() + " "; break;
    case 3: text += "NOTHING" + soup.separator() + soup.junk() + soup.separator(); break;
    default: break;  // no nodata line: the first height follows
    }
    const int count = rows * cols + (soup.chance(0.8) ? 0 : soup.below(3) - 1);
    if (soup.chance(0.6)) {
        for (int i = 0; i < count; i++)
            text += (soup.chance(0.1) ? "-" : "") + std::to_string(soup.below(4000)) + "." +
                    std::to_string(soup.below(100)) + soup.separator();
    } else {
        text += soup.heights(count, soup.chance(0.6) ? 0.0 : 0.01);
    }
    if (soup.chance(0.1))
        text.resize(static_cast<std::size_t>(soup.below(static_cast<int>(text.size()) + 1)));
    return text;
}

class GridReaderCompareTest : public ModelTest {
protected:
    TempDir dir;

    testing::AssertionResult readsAsTheStream(const std::string& text, int index)
    {
        std::istringstream stream(text);
        const GridExtractions expected = extractGrid(stream, 4096);
        for (std::size_t block : {std::size_t(1), std::size_t(3), std::size_t(1) << 17})
            for (std::size_t split : {std::size_t(1), std::size_t(1) << 30}) {
                GridText in(text, block, split);
                if (extractGrid(in, 4096).record != expected.record)
                    return testing::AssertionFailure() << "block " << block << ", split " << split
                                                       << " reads otherwise than the stream";
            }
        const std::string path = dir.file("grid.grd");
        writeText(path, text);
        const char* names[2] = {path.c_str(), path.c_str()};
        mountain& m = index == 1 ? static_cast<mountain&>(mt) : rd;
        resetModel();
        const ReadingFailuresReturn failuresReturn;
        const ConsoleCapture console;
        try {
            m.readgridfile(names, index);
        } catch (const ModelExit&) {
            return testing::AssertionSuccess();  // what was refused and why: grid_reader_test
        }
        const std::string difference = differenceFrom(m, expected);
        if (!difference.empty())
            return testing::AssertionFailure() << "the grid read differs from the stream's in its " << difference;
        return testing::AssertionSuccess();
    }
};

TEST_F(GridReaderCompareTest, EdgeFilesReadAsTheStreamReadsThem)
{
    const std::string start = "ncols 3\nnrows 2\nxllcorner 10.5\nyllcorner -20\n";
    const std::string header = start + "cellsize 25\n";
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"plain", header + "1 2 3\n4 5 6\n"},
        {"the file ends at the nodata word", header + "N"},
        {"the file ends after the nodata word", header + "NODATA_value \n"},
        {"the file ends after the nodata value", header + "NODATA_value -9999"},
        {"a lone n takes the next word as its rest", header + "n 5 1 2 3 4 5 6 7"},
        {"the file ends at the cellsize word", start + "cellsize"},
        {"the file ends right after the cellsize", start + "cellsize 25"},
        {"cellsize beyond the float range", start + "cellsize 1e39\n1 2 3 4 5 6\n"},
        {"cellsize a word", start + "cellsize big\n1 2 3 4 5 6\n"},
        {"the character after a number is dropped whatever it is", "ncols 3x\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2 3 4 5 6"},
        {"no character between a number and the next keyword", "ncols 3nrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2 3 4 5 6"},
        {"signs and leading zeros in the sizes", "ncols +03\nnrows 002\nxllcorner -0\nyllcorner +.5\ncellsize 1e1\n1 2 3 4 5 6"},
        {"ncols beyond int", "ncols 2147483648\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2"},
        {"nrows beyond long", "ncols 2\nnrows 99999999999999999999\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2"},
        {"the first height on the cellsize line", start + "cellsize 25 7 1 2 3 4 5"},
        {"the first height is negative", header + "-1 2 3 4 5 6"},
        {"two heights in one token", header + "1.5.3 4 5 6 7"},
        {"values after the grid are not read", header + "1 2 3 4 5 6 nan x"},
        {"the last height beyond the float range", header + "1 2 3 4 5 1e39"},
        {"a height that underflows", header + "1 2 3 4 5 1e-50"},
        {"carriage returns and tabs", "ncols\t3\r\nnrows 2\r\nxllcorner 0\r\nyllcorner 0\r\ncellsize 1\r\n1\t2 3\r\n4 5 6\r\n"},
        {"empty", ""},
        {"only whitespace", " \n\t "},
    };
    for (const auto& c : cases)
        for (int index : {1, 2}) {
            SCOPED_TRACE(testing::Message() << c.name << ", index " << index);
            EXPECT_TRUE(readsAsTheStream(c.text, index));
        }
}

TEST_F(GridReaderCompareTest, RandomFilesReadAsTheStreamReadsThem)
{
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 1234u;
    GridSoup soup(seed);
    for (int round = 0; round < 400; round++) {
        const std::string text = gridFile(soup);
        ASSERT_TRUE(readsAsTheStream(text, soup.chance(0.7) ? 1 : 2))
            << "seed " << seed << ", round " << round << ", file:\n" << text;
    }
}

}  // namespace
