// Writes the seed corpus of the grid file fuzzer into the directory named on the command
// line: small grid files the model accepts (made by the sample terrain and grid writers)
// and small files it refuses, one for each way a header or a body goes wrong.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "model/grid_writer.h"
#include "tools/sample_terrain.h"

namespace {

struct Seed {
    std::string name;
    std::string text;
};

std::string grid(int rows, int cols, const std::vector<float>& values, double cellsize = 25, bool nodata = false)
{
    GridHeader header;
    header.nrows = rows;
    header.ncols = cols;
    header.cellsize = cellsize;
    header.hasNodata = nodata;
    std::ostringstream out;
    writeGrid(out, header, values);
    return out.str();
}

// The sample mountain, every step-th point in both directions: the same terrain, small.
Terrain smallMountain(int step)
{
    const Terrain full = sampleMountain();
    Terrain small;
    small.header = full.header;
    small.header.nrows = (full.header.nrows + step - 1) / step;
    small.header.ncols = (full.header.ncols + step - 1) / step;
    small.header.cellsize = full.header.cellsize * step;
    for (int r = 0; r < full.header.nrows; r += step)
        for (int c = 0; c < full.header.ncols; c += step)
            small.heights.push_back(full.heights[static_cast<std::size_t>(r) * full.header.ncols + c]);
    return small;
}

std::vector<float> ramp(int rows, int cols, float base, float perRow, float perCol)
{
    std::vector<float> v;
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++)
            v.push_back(base + perRow * r + perCol * c);
    return v;
}

// Grids the model accepts, from the sample terrain and small surfaces.
std::vector<Seed> acceptedSeeds()
{
    const Terrain mountain = smallMountain(10);
    GridHeader plain = mountain.header;
    plain.hasNodata = false;
    std::ostringstream mountainText, contourText;
    writeGrid(mountainText, mountain.header, mountain.heights);
    writeGrid(contourText, plain, contourRaster(mountain, 20));

    std::vector<float> spike(25, 100.0f);
    spike[12] = 110;
    std::vector<float> holes = ramp(4, 4, 1500, 7, 3);
    holes[5] = holes[10] = -9999;

    return {
        {"mountain", mountainText.str()},
        {"contours", contourText.str()},
        {"spike", grid(5, 5, spike)},
        {"plane", grid(8, 6, ramp(8, 6, 900, 4.5f, -2.25f), 10)},
        {"flat", grid(3, 3, std::vector<float>(9, 7.0f))},
        {"one_point", grid(1, 1, {42})},
        {"one_row", grid(1, 6, ramp(1, 6, 10, 0, 1))},
        {"one_column", grid(6, 1, ramp(6, 1, 10, 1, 0))},
        {"negative", grid(4, 4, ramp(4, 4, -40, 3.3f, 0.7f))},
        {"nodata_holes", grid(4, 4, holes, 30, true)},
        {"all_zero", grid(4, 4, std::vector<float>(16, 0.0f))},
        {"float_ends", grid(3, 3, {3.4e38f, -3.4e38f, 1e-45f, 0, 1, -1, 3.4e38f, 3.4e38f, -3.4e38f})},
        {"one_line", "ncols 3 nrows 2 xllcorner 0 yllcorner 0 cellsize 1 1 2 3 4 5 6"},
        {"tabs_and_returns", "ncols\t3\r\nnrows 2\r\nxllcorner 0\r\nyllcorner 0\r\ncellsize 1\r\n1\t2 3\r\n4 5 6\r\n"},
    };
}

// One file for each way a header or a body goes wrong.
std::vector<Seed> refusedSeeds()
{
    const std::string head = "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\n";
    const std::string header = head + "cellsize 25\n";
    const std::string body = "1 2 3\n4 5 6\n";

    std::string garbage;
    unsigned state = 2006;
    for (int i = 0; i < 300; i++) {
        state = state * 1103515245u + 12345u;
        garbage += static_cast<char>(state >> 16);
    }

    return {
        {"empty", ""},
        {"header_only", header},
        {"capitals", "NCOLS 3\nNROWS 2\nXLLCORNER 0\nYLLCORNER 0\nCELLSIZE 25\n" + body},
        {"nrows_first", "nrows 2\nncols 3\nxllcorner 0\nyllcorner 0\ncellsize 25\n" + body},
        {"centre", "ncols 3\nnrows 2\nxllcenter 0\nyllcenter 0\ncellsize 25\n" + body},
        {"no_ncols_number", "ncols\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 25\n" + body},
        {"no_cellsize_number", head + "cellsize"},
        {"zero_columns", "ncols 0\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 25\n" + body},
        {"negative_rows", "ncols 3\nnrows -2\nxllcorner 0\nyllcorner 0\ncellsize 25\n" + body},
        {"huge", "ncols 100000\nnrows 100000\nxllcorner 0\nyllcorner 0\ncellsize 25\n" + body},
        {"cellsize_zero", head + "cellsize 0\n" + body},
        {"cellsize_negative", head + "cellsize -25\n" + body},
        {"cellsize_beyond_float", head + "cellsize 1e39\n" + body},
        {"too_few", header + "1 2 3 4\n"},
        {"word_among_values", header + "1 2 x 4 5 6\n"},
        {"nan", header + "1 nan 3 4 5 6\n"},
        {"inf", header + "1 2 inf 4 5 6\n"},
        {"value_beyond_float", header + "1 2 3 -1e39 5 6\n"},
        {"nodata_without_value", header + "NODATA_value\n"},
        {"long_token", header + std::string(2000, '7') + " 2 3 4 5 6\n"},
        {"garbage", garbage},
        {"garbage_after_header", header + garbage},
    };
}

std::vector<Seed> seeds()
{
    std::vector<Seed> all = acceptedSeeds();
    const std::vector<Seed> refused = refusedSeeds();
    all.insert(all.end(), refused.begin(), refused.end());
    return all;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-fuzz-seeds DIRECTORY\n";
        return 2;
    }
    for (const Seed& seed : seeds()) {
        std::ofstream out(std::string(argv[1]) + "/" + seed.name + ".grd", std::ios::binary);
        out << seed.text;
        if (!out) {
            std::cerr << "make-fuzz-seeds: cannot write into " << argv[1] << "\n";
            return 1;
        }
    }
    return 0;
}
