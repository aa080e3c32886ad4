#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "model/grid_text.h"
#include "tests/support/grid_soup.h"
#include "tests/support/temp_dir.h"

namespace {

const std::size_t blockSizes[] = {1, 2, 3, 5, 8, 13, 64, 4096, std::size_t(1) << 20};
// Blocks of twice this or more are read on two cores; the largest never is.
const std::size_t splitSizes[] = {1, 3, 16, 200, std::size_t(1) << 30};

std::uint32_t bits(float f)
{
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

std::string hex(float f)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a (%08x)", double(f), bits(f));
    return text;
}

// What reading wanted heights does: the values stored before the first failing
// extraction, and the height range after them.
struct HeightsRead {
    std::vector<float> values;
    float zmin = 35000.0f, zmax = -1000.0f;
};

HeightsRead throughStream(const std::string& text, long long wanted)
{
    HeightsRead read;
    std::istringstream in(text);
    for (long long i = 0; i < wanted; i++) {
        float v;
        if (!(in >> v))
            break;
        read.values.push_back(v);
        if (v > read.zmax)
            read.zmax = v;
        if (read.zmin > v)
            read.zmin = v;
    }
    return read;
}

HeightsRead throughBuffer(const std::string& text, long long wanted, std::size_t block, std::size_t split)
{
    HeightsRead read;
    const int cols = 7;
    const int rows = static_cast<int>((wanted + cols - 1) / cols);
    std::vector<float> cells(static_cast<std::size_t>(rows) * cols, -12345.0f);
    std::vector<float*> rowPointers;
    for (int r = 0; r < rows; r++)
        rowPointers.push_back(cells.data() + static_cast<std::size_t>(r) * cols);
    // A grid of rows x 7 wants a multiple of 7 values: ask for the first `wanted` only
    // through a grid of one row when that is not the case.
    GridText in(text, block, split);
    long long stored;
    if (wanted % cols == 0) {
        stored = in.readHeights(rowPointers.data(), rows, cols, read.zmin, read.zmax);
    } else {
        float* one = cells.data();
        stored = in.readHeights(&one, 1, static_cast<int>(wanted), read.zmin, read.zmax);
    }
    read.values.assign(cells.begin(), cells.begin() + stored);
    return read;
}

// Compares the two and says where they part.
testing::AssertionResult sameHeights(const std::string& text, long long wanted, std::size_t block,
                                     std::size_t split)
{
    const HeightsRead expected = throughStream(text, wanted);
    const HeightsRead actual = throughBuffer(text, wanted, block, split);
    if (actual.values.size() != expected.values.size())
        return testing::AssertionFailure() << "stored " << actual.values.size() << " values, the stream "
                                           << expected.values.size() << " (block " << block << ", split " << split
                                           << ")";
    for (std::size_t i = 0; i < expected.values.size(); i++)
        if (bits(actual.values[i]) != bits(expected.values[i]))
            return testing::AssertionFailure() << "value " << i << " is " << hex(actual.values[i])
                                               << ", the stream's " << hex(expected.values[i]) << " (block "
                                               << block << ", split " << split << ")";
    if (bits(actual.zmin) != bits(expected.zmin) || bits(actual.zmax) != bits(expected.zmax))
        return testing::AssertionFailure() << "range " << hex(actual.zmin) << " .. " << hex(actual.zmax)
                                           << ", the stream's " << hex(expected.zmin) << " .. "
                                           << hex(expected.zmax);
    return testing::AssertionSuccess();
}

TEST(GridTextTest, TokensReadAsTheStreamOperatorReadsThem)
{
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"plain", "1 2.5 -3 1234.56\n"},
        {"signs and points", "+5 -0 +.5 -.5 5. -5. 0.000 -000.0"},
        {"leading zeros", "007 -0007.50 00000000000000000000000000001"},
        {"exponents", "1e5 1E5 1e+05 1e-05 2.5E-3 -4e0 1e38"},
        {"subnormals and underflow", "1e-40 1.4e-45 7.006492321624085e-46 7.0064923216240862e-46 1e-50 -1e-50"},
        {"largest float and beyond", "3.4028235e38 3.40282356e38 3.40282357e38"},
        {"overflow", "1 2 1e39 4"},
        {"negative overflow", "1 -3.5e38 4"},
        {"two values in one token", "1.5.3 3-4 1e5e5"},
        {"partial exponent", "1 2 1e 4"},
        {"exponent sign only", "1 1e+ 3"},
        {"sign only", "1 - 3"},
        {"two signs", "1 +-1 3"},
        {"a point only", "1 . 3"},
        {"hexadecimal", "0x1A 5"},
        {"words", "1 nan 3"},
        {"infinity", "1 inf 3"},
        {"comma", "1,5 2"},
        {"any whitespace", "1\t2\n3\r\n4\v5\f6   7"},
        {"nothing after the last value", "1 2 3"},
        {"ends in whitespace", "1 2 3 \n\n"},
        {"only whitespace", " \n\t"},
        {"empty", ""},
        {"a NUL inside", std::string("1 2\0 3", 6)},
        {"bytes above 127", "1 \xc3\xa9 3"},
        {"long mantissa", "0." + std::string(400, '3') + " " + std::string(300, '9') + "e-300"},
        {"halfway, ties to even", "16777217 16777219 0.100000001490116119384765625"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (std::size_t block : blockSizes)
            for (std::size_t split : splitSizes)
                EXPECT_TRUE(sameHeights(c.text, 12, block, split));
    }
}

TEST(GridTextTest, RandomHeightsMatchTheStreamBitForBit)
{
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 20061u;
    GridSoup soup(seed);
    for (int round = 0; round < 1500; round++) {
        const int count = 1 + soup.below(120);
        const std::string text = soup.heights(count, round % 2 ? 0.0 : 0.04);
        const long long wanted = 1 + soup.below(count + 4);
        const std::size_t block = blockSizes[soup.below(static_cast<int>(std::size(blockSizes)))];
        const std::size_t split = splitSizes[soup.below(static_cast<int>(std::size(splitSizes)))];
        const testing::AssertionResult same = sameHeights(text, wanted, block, split);
        ASSERT_TRUE(same) << "seed " << seed << ", round " << round << ", text:\n" << text;
    }
}

TEST(GridTextTest, ValuesBeyondTheWantedOnesAreNotRead)
{
    // Nothing after the last value wanted is looked at: no refusal from what follows.
    for (std::size_t block : blockSizes)
        for (std::size_t split : splitSizes) {
            SCOPED_TRACE(testing::Message() << "block " << block << ", split " << split);
            const HeightsRead read = throughBuffer("1 2 3 nan 1e99 x", 3, block, split);
            EXPECT_EQ(read.values, (std::vector<float>{1, 2, 3}));
        }
}

// The header extractions, run in lockstep on a std::istringstream and on GridText: after
// every step the value stored, the value returned and the failure state must agree.
template <typename Stream>
std::string runSteps(Stream& in, const std::vector<int>& steps)
{
    std::ostringstream log;
    char lastRead = 0;
    bool canPutBack = false;
    for (int step : steps) {
        switch (step) {
        case 0: {
            std::string word = "?";
            in >> word;
            log << "word[" << word << "] ";
            canPutBack = false;
            break;
        }
        case 1: {
            int value = -77;
            in >> value;
            log << "int " << value << " ";
            canPutBack = false;
            break;
        }
        case 2: {
            float value = -77.0f;
            in >> value;
            log << "float " << hex(value) << " ";
            canPutBack = false;
            break;
        }
        case 3: {
            char c = '?';
            canPutBack = static_cast<bool>(in >> c);
            lastRead = c;
            log << "char " << int(static_cast<unsigned char>(c)) << " ";
            break;
        }
        case 4: {
            const int c = in.get();
            canPutBack = c != EOF;
            lastRead = static_cast<char>(c);
            log << "get " << c << " ";
            break;
        }
        default:
            if (canPutBack) {
                in.putback(lastRead);
                log << "putback ";
            }
            canPutBack = false;
        }
        log << (in ? "ok" : "fail") << (in.eof() ? "+eof" : "") << "\n";
    }
    return log.str();
}

TEST(GridTextTest, RandomHeaderExtractionsMatchTheStream)
{
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 7u;
    GridSoup soup(seed);
    const char* words[] = {"ncols", "nrows", "xllcorner", "NODATA_value", "n", "N", "cellsize"};
    for (int round = 0; round < 3000; round++) {
        std::string text;
        for (int tokens = soup.below(8); tokens > 0; tokens--) {
            switch (soup.below(4)) {
            case 0: text += words[soup.below(7)]; break;
            case 1: text += soup.integer(); break;
            case 2: text += soup.height(); break;
            default: text += soup.junk();
            }
            text += soup.separator();
        }
        std::vector<int> steps;
        for (int n = 1 + soup.below(10); n > 0; n--)
            steps.push_back(soup.below(6));
        std::istringstream expected(text);
        GridText actual(text, blockSizes[soup.below(static_cast<int>(std::size(blockSizes)))]);
        ASSERT_EQ(runSteps(actual, steps), runSteps(expected, steps))
            << "seed " << seed << ", round " << round << ", text:\n" << text;
    }
}

TEST(GridTextTest, IntegersOutsideTheRangeFailWithTheStreamsValue)
{
    const char* cases[] = {"2147483647", "2147483648", "-2147483648", "-2147483649",
                           "9223372036854775807", "9223372036854775808", "-9223372036854775809",
                           "+12", "-0", "0x10", "+", "-", "abc", "  \n 0012x"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        const std::vector<int> steps = {1, 4, 0};
        std::istringstream expected(text);
        GridText actual(text, 3);
        EXPECT_EQ(runSteps(actual, steps), runSteps(expected, steps));
    }
}

TEST(GridTextTest, OpensFilesButNotDirectoriesOrMissingOnes)
{
    TempDir dir;
    const std::string path = dir.file("a.grd");
    std::ofstream(path) << "1 2";
    EXPECT_TRUE(GridText(path.c_str()).is_open());
    EXPECT_FALSE(GridText(dir.file("absent.grd").c_str()).is_open());
    EXPECT_FALSE(GridText(dir.path().c_str()).is_open());
}

TEST(GridTextTest, FileContentsLargerThanABlockReadWhole)
{
    // Two megabytes of heights, some far longer than the block the file is read in.
    GridSoup soup(99);
    std::string text;
    while (text.size() < (std::size_t(2) << 20)) {
        text += std::to_string(soup.below(5000)) + "." + std::to_string(soup.below(100)) + soup.separator();
        if (soup.chance(0.001))
            text += "0." + std::string(5000 + soup.below(5000), '7') + " ";
    }
    text += std::string(3 << 20, '1') + "e-3145700 5 ";
    TempDir dir;
    const std::string path = dir.file("big.grd");
    std::ofstream(path, std::ios::binary) << text;

    std::istringstream expected(text);
    std::vector<float> stream;
    for (float v; expected >> v;)
        stream.push_back(v);
    ASSERT_GT(stream.size(), 100000u);

    std::vector<float> cells(stream.size(), 0.0f);
    float* row = cells.data();
    float zmin = 0, zmax = 0;
    GridText in(path.c_str());
    ASSERT_EQ(in.readHeights(&row, 1, static_cast<int>(cells.size()), zmin, zmax),
              static_cast<long long>(stream.size()));
    for (std::size_t i = 0; i < stream.size(); i++)
        ASSERT_EQ(bits(cells[i]), bits(stream[i])) << "value " << i;
}

}  // namespace
