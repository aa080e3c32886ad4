// The model's reader against the stream reader it replaced, on generated grid files:
// both run in a child process (a refused file ends it) and must print the same lines,
// end with the same status and leave the same model, bit for bit.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "model/mountain.h"
#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/grid_soup.h"
#include "tests/support/model_fixture.h"
#include "tests/support/stream_grid_reader.h"
#include "tests/support/temp_dir.h"

namespace {

// Everything the reader sets, floats as their exact hexadecimal.
void printModel(const mountain& m)
{
    std::printf("ncols %d nrows %d xll %a yll %a cellsize %a nodata %a zmin %a zmax %a contour %d\n", m.ncols,
                m.nrows, double(m.xllcorner), double(m.yllcorner), double(m.cellsize), double(m.nodata_value),
                double(m.zmin), double(m.zmax), const_cast<mountain&>(m).getContourInt());
    for (int r = 0; r < m.nrows; r++) {
        for (int c = 0; c < m.ncols; c++)
            std::printf("%a ", double(m.grid[r][c]));
        std::printf("\n");
    }
    std::fflush(stdout);
}

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
};

TEST_F(GridReaderCompareTest, RandomFilesReadAsTheStreamReaderReadsThem)
{
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 1234u;
    GridSoup soup(seed);
    const std::string path = dir.file("grid.grd");
    for (int round = 0; round < 400; round++) {
        const std::string text = gridFile(soup);
        writeText(path, text);
        const int index = soup.chance(0.7) ? 1 : 2;
        mountain& m = index == 1 ? static_cast<mountain&>(mt) : rd;
        // State left from before: the reader keeps a header value whose extraction
        // cannot even start, and the height range is not reset by the reader.
        resetModel();
        m.cellsize = soup.chance(0.5) ? 25.0f : 0.0f;
        m.zmin = soup.chance(0.8) ? 35000.0f : 5.0f;
        rd.setContourInt(soup.chance(0.7) ? 0 : 20);
        DEBUG = soup.chance(0.2);
        const char* names[2] = {path.c_str(), path.c_str()};

        const ChildResult expected = runInChild([&] {
            streamReadGridFile(m, names, index);
            printModel(m);
        });
        const ChildResult actual = runInChild([&] {
            m.readgridfile(names, index);
            printModel(m);
        });
        ASSERT_TRUE(expected.exited);
        ASSERT_EQ(actual.status, expected.status) << "seed " << seed << ", round " << round << ", file:\n" << text;
        ASSERT_EQ(actual.out, expected.out) << "seed " << seed << ", round " << round << ", file:\n" << text;
    }
    resetModel();
}

}  // namespace
