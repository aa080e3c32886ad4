// karvo --snapshot: the real program draws one frame of a DEM into a PNG file and ends.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/grid_files.h"
#include "tests/support/png_pictures.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(KarvoSnapshot, WritesTheViewOfTheDemAndEnds)
{
    TempDir dir;
    const std::string png = dir.file("mountain.png");
    const ChildResult run = runProgram({KARVO_BINARY, "--snapshot", png, "--mask-nodata", sampleFile("mountain.grd")});
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.status, 0) << run.err;
    const Picture picture = decodePng(bytesOf(png));
    ASSERT_EQ(picture.width, 650);
    ASSERT_EQ(picture.height, 625);
    const Rgb8 background{230, 230, 255};
    EXPECT_EQ(picture.at(2, 2), background);
    EXPECT_EQ(picture.at(647, 622), background);
    // The surface, drawn as points at start, covers much of the middle of the view.
    int surface = 0;
    for (int y = 200; y < 425; y++)
        for (int x = 200; x < 450; x++)
            surface += picture.at(x, y) != background;
    EXPECT_GT(surface, 225 * 250 / 8);
}

TEST(KarvoSnapshot, RefusalsNameTheFileAndTheReason)
{
    TempDir dir;
    const std::string dem = dir.file("dem.grd");
    writeGridValues(dem, 5, 5, plane(5, 5, 100, 1, 2));
    const std::vector<std::uint8_t> demBytes = bytesOf(dem);
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* named;  // in the message
        const char* reason;
        int status;
    } cases[] = {
        {"over the DEM", {"--snapshot", dem, dem}, "dem.grd", "same file as the input", 1},
        {"unreadable DEM", {"--snapshot", dir.file("v.png"), dir.file("none.grd")}, "v.png", "Invalid DEM file", 1},
        {"no DEM", {"--snapshot", dir.file("v.png")}, "v.png", "needs a DEM", 2},
        {"unwritable", {"--snapshot", dir.file("no/dir/v.png"), dem}, "no/dir/v.png", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> argv = {KARVO_BINARY};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const ChildResult run = runProgram(argv);
        ASSERT_TRUE(run.exited);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    }
    EXPECT_EQ(bytesOf(dem), demBytes);
    EXPECT_TRUE(bytesOf(dir.file("v.png")).empty());
}

}  // namespace
