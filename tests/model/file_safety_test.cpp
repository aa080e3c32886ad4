// Outputs never replace inputs and never leave a half-written file; inputs are regular
// files only.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <fstream>
#include <limits>
#include <ostream>
#include <sstream>

#include "model/grid_writer.h"
#include "model/input_file.h"
#include "model/mountain.h"
#include "model/output_file.h"
#include "tests/support/temp_dir.h"

namespace {

void writeText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int entries(const std::string& dir)
{
    int n = 0;
    DIR* d = opendir(dir.c_str());
    while (dirent* e = readdir(d))
        n += std::string(e->d_name) != "." && std::string(e->d_name) != "..";
    closedir(d);
    return n;
}

TEST(FileSafety, SameFileIsDecidedByInodeNotBySpelling)
{
    TempDir tmp;
    mkdir(tmp.file("x").c_str(), 0755);
    writeText(tmp.file("x/dem.grd"), "a");
    writeText(tmp.file("other.grd"), "a");
    symlink(tmp.file("x/dem.grd").c_str(), tmp.file("link.grd").c_str());
    EXPECT_TRUE(sameFile(tmp.file("x/dem.grd"), tmp.file("x/../x/./dem.grd")));
    EXPECT_TRUE(sameFile(tmp.file("link.grd"), tmp.file("x/dem.grd")));
    EXPECT_FALSE(sameFile(tmp.file("other.grd"), tmp.file("x/dem.grd")));
    EXPECT_FALSE(sameFile(tmp.file("missing.grd"), tmp.file("missing.grd")));

    const auto clash = outputOverInput({tmp.file("new.tif"), tmp.file("x/../x/dem.grd")}, {tmp.file("x/dem.grd")});
    ASSERT_TRUE(clash);
    EXPECT_EQ(clash->first, tmp.file("x/../x/dem.grd"));
    EXPECT_EQ(clash->second, tmp.file("x/dem.grd"));
    EXPECT_FALSE(outputOverInput({tmp.file("new.tif")}, {tmp.file("x/dem.grd")}));
}

TEST(FileSafety, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    TempDir tmp;
    const std::string target = tmp.file("report.csv");
    writeText(target, "good");
    EXPECT_FALSE(writeFileSafely(target, [](const std::string& temporary) {
        writeText(temporary, "half");
        return false;
    }));
    EXPECT_EQ(readText(target), "good");
    EXPECT_EQ(entries(tmp.path()), 1);

    EXPECT_TRUE(writeStreamSafely(target, [](std::ostream& out) { out << "better"; }));
    EXPECT_EQ(readText(target), "better");
    EXPECT_EQ(entries(tmp.path()), 1);
    struct stat info;
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_NE(info.st_mode & 0044, 0u) << "a new output is as readable as any new file";

    EXPECT_FALSE(writeStreamSafely(tmp.file("no/such/dir/x.csv"), [](std::ostream& out) { out << "x"; }));
}

TEST(FileSafety, ADeviceIsWrittenInPlaceAndAFullOneFails)
{
    EXPECT_TRUE(writeStreamSafely("/dev/null", [](std::ostream& out) { out << "nothing"; }));
    EXPECT_FALSE(writeStreamSafely("/dev/full", [](std::ostream& out) { out << std::string(1 << 16, 'x'); }));
}

TEST(FileSafety, AGridWithATokenTheReaderRefusesIsNotWritten)
{
    TempDir tmp;
    mountain m;
    m.nrows = 1;
    m.ncols = 2;
    EXPECT_FALSE(writeExactGridFile(tmp.file("sparse.grd"), m, {1, std::numeric_limits<float>::quiet_NaN()}));
    m.xllcorner = -std::numeric_limits<float>::infinity();
    EXPECT_FALSE(writeExactGridFile(tmp.file("sparse.grd"), m, {1, 2}));
    EXPECT_EQ(entries(tmp.path()), 0);
}

TEST(FileSafety, OnlyRegularFilesAreInputs)
{
    TempDir tmp;
    writeText(tmp.file("dem.grd"), "ncols 1");
    mkfifo(tmp.file("fifo").c_str(), 0600);
    EXPECT_EQ(inputProblem(tmp.file("dem.grd")), "");
    EXPECT_EQ(inputProblem(tmp.file("missing")), "not found");
    EXPECT_EQ(inputProblem(tmp.path()), "is a directory");
    EXPECT_NE(inputProblem(tmp.file("fifo")).find("not a regular file"), std::string::npos);
    EXPECT_NE(inputProblem("/dev/zero").find("not a regular file"), std::string::npos);
}

}  // namespace
