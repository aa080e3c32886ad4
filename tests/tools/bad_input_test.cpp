// Bad inputs, each with what it must print and the status it must end with. Every row
// runs in a child process: the real karvo-report where it reaches the case, the model's
// and the analysis' own calls where it does not (addFile, the height classes on a given
// interval). The sanitizer build runs this table too, and there a read outside an array
// or undefined behaviour would end the row with a report and another status.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/statistics_text.h"
#include "model/error.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/temp_dir.h"

namespace {

// A file of the row, written as a.grd, b.grd ... (or made a directory or a FIFO); "{a}"
// in the row's arguments and expected text stands for its path.
struct File {
    enum Kind { Text, Directory, Fifo };
    std::string name;
    std::string text;
    Kind kind = Text;
};

using Path = std::function<std::string(const std::string& name)>;
using Run = std::function<ChildResult(const Path&)>;

struct Row {
    std::string name;
    std::vector<File> files;
    Run run;
    std::string out;
    std::string err;
    int status;
    bool limitsMemory = false;  // runs under a data limit, which AddressSanitizer's mappings exceed
};

std::ostream& operator<<(std::ostream& out, const Row& row) { return out << row.name; }

Run report(const std::vector<std::string>& args, const std::vector<std::string>& before = {})
{
    return [args, before](const Path& path) {
        std::vector<std::string> argv = before;
        argv.push_back(KARVO_REPORT_BINARY);
        for (const std::string& a : args)
            argv.push_back(a.size() == 3 && a[0] == '{' && a[2] == '}' ? path(a.substr(1, 1)) : a);
        return runProgram(argv);
    };
}

Run inChild(const std::function<void(const Path&)>& body)
{
    return [body](const Path& path) { return runInChild([&] { body(path); }); };
}

// DEM a alone, then comparison data b beside it through addFile; what is left built.
void addFileBeside(const Path& path)
{
    start(path("a").c_str(), 1, nullptr, 20, 1);
    const bool match = addFile(path("b").c_str(), 1, 20) == LoadOutcome::Loaded;
    std::cout << "sizes match " << match << ", comparison loaded " << multFiles << ", triangles " << mt.triangleCount
              << ", curvature cells " << C15 + C10 + C5 + C << ", difference cells " << D20 + D15 + D10 + D5 + D
              << ", differences " << dArrayCount << "\n";
}

// The height classes of DEM a with a given contour interval, or with the one inferred
// from contour file b.
std::function<void(const Path&)> heightClasses(int interval, bool contourFile)
{
    return [=](const Path& path) {
        const std::string a = path("a"), b = contourFile ? path("b") : "";
        start(a.c_str(), 1, contourFile ? b.c_str() : nullptr, interval, contourFile ? 2 : 1);
        mt.computeHeightClasses();
    };
}

const std::string header = "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 25\n";
const std::string reading = "Reading DEM data, 2 rows and 3 columns...\n";

std::string grid(int rows, int cols, const std::vector<float>& values) { return gridText(rows, cols, values); }

// karvo-report's text for a DEM alone whose curvature is 0 wherever there is any.
std::string levelStatistics(int rows, int cols)
{
    Statistics s;
    s.rows = rows;
    s.cols = cols;
    s.c = (rows - 1) * (cols - 1);
    return statisticsText(s) + "\n";
}

// The height class report lines 1 .. interval - 1, with the given counts (others 0).
std::string classLines(int interval, const std::vector<std::pair<int, int>>& counts)
{
    std::string text = "Height Classes Output\n";
    for (int i = 1; i < interval; i++) {
        int n = 0;
        for (const auto& [cls, count] : counts)
            if (cls == i)
                n = count;
        text += std::to_string(i) + " " + std::to_string(n) + "\n";
    }
    return text;
}

std::string oneLongLine(int count)
{
    std::string text = "ncols " + std::to_string(count) + " nrows 1 xllcorner 0 yllcorner 0 cellsize 1";
    for (int i = 0; i < count; i++)
        text += " 1000.5";
    return text;
}

std::vector<Row> rows()
{
    const std::string dem5 = grid(5, 5, spike(5, 5, 100, 2, 2, 10));
    const std::string pairRead = "Reading DEM data, 5 rows and 5 columns...\nReading sparse data, ";
    const std::string noMatch = "Files do not match\n--align resamples the comparison onto the DEM's grid\n";
    const std::string longLine = oneLongLine(800000);
    // The centre's curvature, 8 x 3.4e38, is beyond the float range: infinity.
    const std::vector<float> extremes = {3.4e38f, 3.4e38f, 3.4e38f, 3.4e38f, -3.4e38f, 3.4e38f, 3.4e38f, 3.4e38f, 3.4e38f};
    Statistics infinite;
    infinite.rows = infinite.cols = 3;
    infinite.totalSq = infinite.maxCurve = std::numeric_limits<float>::infinity();
    infinite.c15 = 1;
    infinite.c = 3;
    const std::string extremeStatistics = statisticsText(infinite) + "\n";
    return {
        // What the reader refuses is in the reader's own tables; here the report's
        // passes run on what it accepts, and comparison data is refused after the DEM.
        {"ValueThatUnderflows", {{"a", header + "1 2 3 4 5 1e-50\n"}}, report({"{a}"}),
         reading + levelStatistics(2, 3), "", 0},
        {"HeightsAtTheEndsOfTheFloatRange", {{"a", grid(3, 3, extremes)}}, report({"{a}"}),
         "Reading DEM data, 3 rows and 3 columns...\n" + extremeStatistics, "", 0},
        {"OneVeryLongLine", {{"a", longLine}}, report({"{a}"}),
         "Reading DEM data, 1 rows and 800000 columns...\n" + levelStatistics(1, 800000), "", 0},
        // Only regular files are read, and nothing waits on a FIFO.
        {"DirectoryAsTheComparisonFile", {{"a", dem5}, {"b", "", File::Directory}},
         report({"{a}", "{b}", "--type", "dem"}),
         "Reading DEM data, 5 rows and 5 columns...\nERROR: file \"{b}\": is a directory\n", "", 255},
        {"FifoAsTheDem", {{"a", "", File::Fifo}}, report({"{a}"}),
         "ERROR: file \"{a}\": is not a regular file (a FIFO, a device or a socket)\n", "", 255},
        {"FifoAsTheComparisonFile", {{"a", dem5}, {"b", "", File::Fifo}}, report({"{a}", "{b}", "--type", "sparse"}),
         "Reading DEM data, 5 rows and 5 columns...\nERROR: file \"{b}\": is not a regular file (a FIFO, a "
         "device or a socket)\n",
         "", 255},
        // A header asks for more memory than the process may have: refused before any is taken.
        {"GridLargerThanTheMemoryLimit", {{"a", "ncols 8192\nnrows 8192\nxllcorner 0\nyllcorner 0\ncellsize 1\n"}},
         report({"{a}"}, {"/usr/bin/prlimit", "--data=268435456"}),
         "ERROR: file \"{a}\": a grid of 8192 rows and 8192 columns needs 639.9 MiB of memory; this process is "
         "limited to 256.0 MiB\n",
         "", 255, true},
        {"DeviceAsTheDem", {}, report({"/dev/zero"}),
         "ERROR: file \"/dev/zero\": is not a regular file (a FIFO, a device or a socket)\n", "", 255},
        {"RefusedComparisonFile", {{"a", dem5}, {"b", header}}, report({"{a}", "{b}", "--type", "dem"}),
         pairRead + "2 rows and 3 columns...\nERROR: file \"{b}\" ends or holds a non-number after 0 of 6 heights\n",
         "", 255},
        // Grids of one row or one column have no cells: nothing to grade, no sparse maxima.
        {"OneRow", {{"a", grid(1, 5, {1, 2, 3, 4, 5})}}, report({"{a}"}),
         "Reading DEM data, 1 rows and 5 columns...\n" + levelStatistics(1, 5), "", 0},
        {"OneColumn", {{"a", grid(5, 1, {1, 2, 3, 4, 5})}}, report({"{a}"}),
         "Reading DEM data, 5 rows and 1 columns...\n" + levelStatistics(5, 1), "", 0},
        // Comparison data of another size, through both load paths.
        {"ComparisonWithFewerRowsThroughStart", {{"a", dem5}, {"b", grid(4, 5, flat(4, 5, 100))}},
         report({"{a}", "{b}", "--type", "dem"}), pairRead + "4 rows and 5 columns...\n", noMatch, 2},
        {"ComparisonWithFewerColumnsThroughStart", {{"a", dem5}, {"b", grid(5, 4, flat(5, 4, 100))}},
         report({"{a}", "{b}", "--type", "sparse"}), pairRead + "5 rows and 4 columns...\n", noMatch,
         2},
        {"LargerComparisonThroughStart", {{"a", dem5}, {"b", grid(6, 7, flat(6, 7, 100))}},
         report({"{a}", "{b}", "--type", "contour"}), pairRead + "6 rows and 7 columns...\n", noMatch,
         2},
        {"MuchSmallerComparisonThroughStart", {{"a", dem5}, {"b", grid(2, 2, flat(2, 2, 100))}},
         report({"{a}", "{b}", "--type", "dem"}), pairRead + "2 rows and 2 columns...\n", noMatch, 2},
        {"ComparisonWithFewerRowsThroughAddFile", {{"a", dem5}, {"b", grid(4, 5, flat(4, 5, 100))}},
         inChild(addFileBeside),
         pairRead + "4 rows and 5 columns...\nsizes match 0, comparison loaded 0, triangles 32, curvature cells 16, "
                    "difference cells 0, differences 0\n",
         "", 0},
        {"ComparisonWithFewerColumnsThroughAddFile", {{"a", dem5}, {"b", grid(5, 4, flat(5, 4, 100))}},
         inChild(addFileBeside),
         pairRead + "5 rows and 4 columns...\nsizes match 0, comparison loaded 0, triangles 32, curvature cells 16, "
                    "difference cells 0, differences 0\n",
         "", 0},
        {"LargerComparisonThroughAddFile", {{"a", dem5}, {"b", grid(6, 7, flat(6, 7, 100))}},
         inChild(addFileBeside),
         pairRead + "6 rows and 7 columns...\nsizes match 0, comparison loaded 0, triangles 32, curvature cells 16, "
                    "difference cells 0, differences 0\n",
         "", 0},
        {"MuchSmallerComparisonThroughAddFile", {{"a", dem5}, {"b", grid(2, 2, flat(2, 2, 100))}},
         inChild(addFileBeside),
         pairRead + "2 rows and 2 columns...\nsizes match 0, comparison loaded 0, triangles 32, curvature cells 16, "
                    "difference cells 0, differences 0\n",
         "", 0},
        {"MatchingComparisonThroughAddFile", {{"a", dem5}, {"b", grid(5, 5, flat(5, 5, 100))}},
         inChild(addFileBeside),
         pairRead + "5 rows and 5 columns...\nsizes match 1, comparison loaded 1, triangles 32, curvature cells 16, "
                    "difference cells 16, differences 16\n",
         "", 0},
        // Height classes.
        {"ContourIntervalZero", {{"a", dem5}}, inChild(heightClasses(0, false)),
         "Reading DEM data, 5 rows and 5 columns...\nHeight classes not computed: the contour interval is 0, not "
         "above 0\n",
         "", 0},
        {"ContourIntervalInferredNegative", {{"a", dem5}, {"b", grid(5, 5, flat(5, 5, -5))}},
         inChild(heightClasses(0, true)),
         pairRead + "5 rows and 5 columns...\nHeight classes not computed: the contour interval is -5, not above 0\n",
         "", 0},
        // -3, -0.7, -40 and 2 round to -3, -1, -40 and 2: classes 17, 19, 0 and 2.
        {"NegativeHeights", {{"a", grid(2, 2, {-3, -0.7f, -40, 2})}},
         report({"--classes", "--interval", "20", "{a}"}),
         "Reading DEM data, 2 rows and 2 columns...\n" + levelStatistics(2, 2) + classLines(20, {{2, 1}, {17, 1}, {19, 1}}),
         "", 0},
        {"HeightClassesAtTheEndsOfTheFloatRange", {{"a", grid(1, 3, {-3.4e38f, 3.4e38f, -1e30f})}},
         inChild(heightClasses(7, false)), "Reading DEM data, 1 rows and 3 columns...\n" + [] {
             // The floats are whole numbers: 3.4e38f = 339999995214436424907732413799364296704
             // and 1e30f = 1000000015047466219876688855040, both 1 mod 7, so their
             // negatives are at 6.
             return classLines(7, {{6, 2}, {1, 1}});
         }(),
         "", 0},
        // A grid of fewer points than spot heights has no room for them.
        {"SparseOnOnePoint", {{"a", grid(1, 1, {42})}}, report({"--sparse", "100", "{a}"}),
         "Reading DEM data, 1 rows and 1 columns...\nCreating sparse data file\nToo many spot heights: 100 on a grid "
         "of 1 x 1 points: no sparse data file made\n",
         "Enter desired number of random spot heights: \n", 1},
    };
}

std::string substitute(std::string text, const Path& path, const std::vector<File>& files)
{
    for (const File& f : files) {
        const std::string key = "{" + f.name + "}";
        for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at))
            text.replace(at, key.size(), path(f.name));
    }
    return text;
}

class BadInputTest : public ::testing::TestWithParam<Row> {
protected:
    TempDir dir;
};

TEST_P(BadInputTest, EndsWithItsMessageAndStatus)
{
    const Row& row = GetParam();
#if defined(__SANITIZE_ADDRESS__)
    if (row.limitsMemory)
        GTEST_SKIP() << "AddressSanitizer's own mappings exceed any data limit";
#endif
    const Path path = [&](const std::string& name) { return dir.file(name + ".grd"); };
    for (const File& f : row.files) {
        if (f.kind == File::Directory)
            ASSERT_EQ(mkdir(path(f.name).c_str(), 0700), 0);
        else if (f.kind == File::Fifo)
            ASSERT_EQ(mkfifo(path(f.name).c_str(), 0600), 0);
        else
            writeText(path(f.name), f.text);
    }
    const ChildResult r = row.run(path);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.out, substitute(row.out, path, row.files));
    EXPECT_EQ(r.err, substitute(row.err, path, row.files));
}

INSTANTIATE_TEST_SUITE_P(Rows, BadInputTest, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

}  // namespace
