#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "analysis/sparse.h"
#include "model/mountain.h"
#include "tests/support/console_capture.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"
#include "tests/support/sparse_reference.h"

namespace {

class SparseTest : public ModelTest {
protected:
    struct Run {
        std::vector<float> values;
        std::string out, err;
        int nextInput;  // the integer that standard input gives after the run, or -1
    };
    Run run(int n, const std::string& input = "7\n")
    {
        ConsoleCapture console(input);
        Run r;
        r.values = makeSparseGrid(mt, n);
        r.nextInput = -1;
        std::cin >> r.nextInput;
        r.out = console.out();
        r.err = console.err();
        return r;
    }
};

const unsigned SEED = 2006;

std::vector<float> reference(int rows, int cols, const std::vector<float>& h, int n)
{
    return sparseReference(rows, cols, h, n, SEED).values;
}

std::string body(int rows, int cols, const std::vector<float>& values) { return sparseBody(rows, cols, values); }

const std::string PROMPT = "Enter desired number of random spot heights: \n";
const std::string HEADING = "Creating sparse data file\nPeak heights will be included automatically.\n";

TEST_F(SparseTest, FewerThanAHundredIsRefusedAndNothingElseHappens)
{
    setGrid(mt, 5, 5, spike(5, 5, 10, 2, 2, 5));
    for (int n : {99, 0, -1, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(n);
        RandomSeed random(SEED);
        const Run r = run(n);
        EXPECT_TRUE(r.values.empty());
        EXPECT_EQ(r.out, "Creating sparse data file\nERROR: Number of heights must be >= 100-\ntry again\n");
        EXPECT_EQ(r.err, PROMPT);
        EXPECT_EQ(r.nextInput, 7);  // no pause
        const int next = rand();
        srand(SEED);
        EXPECT_EQ(next, rand());  // no picks
        EXPECT_EQ(mt.grid[2][2], 15.0f);
    }
}

TEST_F(SparseTest, MoreSpotHeightsThanPointsAreRefusedBeforeThePause)
{
    setGrid(mt, 10, 10, spike(10, 10, 10, 4, 4, 5));
    for (int n : {101, std::numeric_limits<int>::max()}) {
        const Run r = run(n);
        EXPECT_EQ(r.out + r.err, "Creating sparse data file\nToo many spot heights: " + std::to_string(n) +
                                     " on a grid of 10 x 10 points: no sparse data file made\n" + PROMPT);
        EXPECT_TRUE(r.values.empty() && r.nextInput == 7);
    }
    EXPECT_EQ(run(100).values.size(), 100u);  // one spot height for every point is allowed
}

TEST_F(SparseTest, HeightsThatAreNoNumbersAreNeitherMaximaNorSpotHeights)
{
    std::vector<float> h = flat(10, 10, 10);
    h[22] = INFINITY;  // above its neighbours, but no height a file can hold
    h[55] = -INFINITY;
    h[66] = 50;
    std::fill(h.begin() + 80, h.end(), NAN);
    setGrid(mt, 10, 10, h);
    RandomSeed random(SEED);
    const Run r = run(100);
    EXPECT_EQ(r.err, PROMPT + "local max 0: 50\nFound 1 local maximums.\npause\nnumLocals = 1\n");
    ASSERT_EQ(r.values.size(), 100u);
    EXPECT_TRUE(std::all_of(r.values.begin(), r.values.end(), [](float v) { return std::isfinite(v); }));
}

TEST_F(SparseTest, TheFirstHundredMaximaInScanOrder)
{
    // Peaks at every odd row and column: 12 x 12 of them, 12 per scanned row.
    const int size = 25;
    setGrid(mt, size, size, surface(size, size, [](int r, int c) { return r % 2 && c % 2 ? 1000 + 100 * r + c : 0; }));
    RandomSeed random(SEED);
    const Run r = run(100);
    std::string err = PROMPT;
    std::vector<float> expected(size * size, 0.0f);
    int count = 0;
    for (int row = 1; row < size && count < 100; row += 2)
        for (int col = 1; col < size && count < 100; col += 2) {
            const int h = 1000 + 100 * row + col;
            err += "local max " + std::to_string(count++) + ": " + std::to_string(h) + "\n";
            expected[row * size + col] = float(h);
        }
    err += "Found 100 local maximums.\npause\nnumLocals = 100\n";
    EXPECT_EQ(r.err, err);
    EXPECT_EQ(r.values, expected);
    EXPECT_EQ(r.out, HEADING + body(size, size, expected));
    const int next = rand();
    srand(SEED);
    EXPECT_EQ(next, rand());  // a hundred maxima leave no point to pick
}

TEST_F(SparseTest, PlateausAndBordersHoldNoMaximum)
{
    const int rows = 10, cols = 10;
    std::vector<float> h = flat(rows, cols, 10);
    auto at = [&](int r, int c) -> float& { return h[r * cols + c]; };
    at(2, 2) = at(2, 3) = 50;  // plateaus of two equal tops, side by side and diagonal
    at(4, 5) = at(5, 6) = 55;
    at(0, 7) = at(9, 9) = 99;  // border points are never examined
    at(1, 7) = 60;             // below its border neighbour
    at(6, 1) = 30;             // the only maximum
    setGrid(mt, rows, cols, h);
    RandomSeed random(SEED);
    const Run r = run(100);
    EXPECT_EQ(r.err, PROMPT + "local max 0: 30\nFound 1 local maximums.\npause\nnumLocals = 1\n");
    EXPECT_EQ(r.values, reference(rows, cols, h, 100));
}

TEST_F(SparseTest, RandomPicksRepeatAndLeaveTheDemAlone)
{
    struct Case {
        int rows, cols, n;
    } cases[] = {{2, 50, 100}, {1, 100, 100}, {12, 13, 150}, {40, 31, 300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " x " << c.cols << ", " << c.n);
        std::vector<float> h;
        {
            RandomSeed random(99);
            h = surface(c.rows, c.cols, [](int, int) { return 100 + rand() % 5000 / 7.0; });
        }
        buildDem(c.rows, c.cols, h, 10);
        const LargeVector<std::uint8_t> levels = mt.curveLevels;
        const float zmin = mt.zmin, zmax = mt.zmax;
        RandomSeed random(SEED);
        const Run r = run(c.n);
        const std::vector<float> expected = reference(c.rows, c.cols, h, c.n);
        EXPECT_EQ(r.values, expected);
        EXPECT_EQ(r.out, HEADING + body(c.rows, c.cols, expected));
        int nonZero = 0;
        for (float v : r.values)
            nonZero += v != 0;
        EXPECT_LT(nonZero, c.n);
        for (int row = 0; row < c.rows; row++)
            for (int col = 0; col < c.cols; col++)
                ASSERT_EQ(mt.grid[row][col], h[std::size_t(row) * c.cols + col]);
        EXPECT_EQ(mt.curveLevels, levels);
        EXPECT_EQ(mt.zmin, zmin);
        EXPECT_EQ(mt.zmax, zmax);
    }
}

TEST_F(SparseTest, ValuesInTheStreamsDefaultFormat)
{
    // Peaks on a low plain, so that every one is a spot height.
    std::vector<float> h = flat(10, 10, -1000);
    const std::pair<int, float> peaks[] = {{12, 1234.567f}, {14, -0.25f}, {16, 100000}, {32, 1234567}, {34, 0.0001f}};
    for (const auto& [at, height] : peaks)
        h[at] = height;
    setGrid(mt, 10, 10, h);
    RandomSeed random(SEED);
    std::cout << std::fixed;
    std::cout.precision(2);
    const Run r = run(100);
    std::cout.unsetf(std::ios::floatfield);
    std::cout.precision(6);
    for (const char* token : {" 1234.57 ", " -0.25 ", " 100000 ", " 1.23457e+06 ", " 0.0001 "})
        EXPECT_NE(r.out.find(token), std::string::npos) << token;
}

TEST_F(SparseTest, ThePauseTakesOneInteger)
{
    setGrid(mt, 10, 10, flat(10, 10, 1));
    struct Case {
        std::string input;
        int next;
    } cases[] = {{"42 17\n", 17}, {"abc def\n5\n", 5}, {"", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        RandomSeed random(SEED);
        EXPECT_EQ(run(100, c.input).nextInput, c.next);
    }
}

TEST_F(SparseTest, NoDemNoSparseData)
{
    const Run r = run(100);
    EXPECT_TRUE(r.values.empty());
    EXPECT_EQ(r.out, "Creating sparse data file\nNo DEM loaded: no sparse data file made\n");
    EXPECT_EQ(r.nextInput, 7);
}

}  // namespace
