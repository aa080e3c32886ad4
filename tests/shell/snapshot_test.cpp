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

TEST(KarvoSnapshot, WritesTheViewOfTheDemOrSaysWhyNot)
{
    TempDir dir;
    const std::string png = dir.file("mountain.png"), dem = dir.file("dem.grd");
    const ChildResult run = runProgram({KARVO_BINARY, "--snapshot", png, "--mask-nodata", sampleFile("mountain.grd")});
    EXPECT_EQ(run.status, 0) << run.err;
    const Picture picture = decodePng(bytesOf(png));
    ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(650, 625));
    const Rgb8 background{230, 230, 255};
    int surface = 0;  // drawn as points at start, over much of the middle of the view
    for (int y = 200; y < 425; y++)
        for (int x = 200; x < 450; x++)
            surface += picture.at(x, y) != background;
    EXPECT_TRUE(picture.at(2, 2) == background && surface > 225 * 250 / 8) << surface;

    writeGridValues(dem, 5, 5, plane(5, 5, 100, 1, 2));
    const std::vector<std::uint8_t> demBytes = bytesOf(dem);
    const struct {
        std::vector<std::string> args;
        std::string said;
        int status;
    } refusals[] = {
        {{"--snapshot", dem, dem}, dem + ": it is the same file as the input", 1},
        {{"--snapshot", png, dir.file("none.grd")}, png + ": " + dir.file("none.grd") + ": Invalid DEM file.", 1},
        {{"--snapshot", png}, png + " needs a DEM", 2},
        {{"--snapshot", dir.file("no/dir/v.png"), dem}, dir.file("no/dir/v.png") + ": ", 1},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.said);
        std::vector<std::string> argv = {KARVO_BINARY};
        argv.insert(argv.end(), r.args.begin(), r.args.end());
        const ChildResult refused = runProgram(argv);
        EXPECT_EQ(refused.status, r.status);
        EXPECT_NE(refused.err.find(r.said), std::string::npos) << refused.err;
    }
    EXPECT_EQ(bytesOf(dem), demBytes);
    EXPECT_TRUE(decodePng(bytesOf(png)).rgb == picture.rgb);  // a refused snapshot leaves the file as it was
}

}  // namespace
