// Writes the benchmark's input into the directory named on the command line:
//   dem.grd        a rows x cols mountain DEM, heights with two decimals (about 8
//                  characters a value, 128 MB at 4000 x 4000)
//   contours.grd   its contour raster at interval 20, the same size
// The terrain is a function of the grid position and a fixed seed only, so every run
// writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "model/grid_writer.h"
#include "tools/sample_terrain.h"

namespace {

// Peaks and ridges placed relative to the grid's size, so any size shows the same
// landscape; a little deterministic noise keeps the curvature from being smooth.
Terrain benchTerrain(int rows, int cols)
{
    Terrain t;
    t.header.nrows = rows;
    t.header.ncols = cols;
    t.header.xllcorner = 480000;
    t.header.yllcorner = 5100000;
    t.header.cellsize = 10;
    t.header.hasNodata = true;
    t.header.nodata = -9999;
    t.heights.resize(static_cast<std::size_t>(rows) * cols);

    struct Peak {
        double row, col, height, width;  // position and width as shares of the grid
    } const peaks[] = {{0.45, 0.55, 2100, 0.16}, {0.25, 0.25, 1200, 0.10}, {0.75, 0.80, 900, 0.08},
                       {0.35, 0.42, 500, 0.05},  {0.80, 0.20, 700, 0.12}, {0.60, 0.65, 350, 0.03}};
    const double size = std::max(rows, cols);
    std::uint32_t state = 20061;
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < cols; c++) {
            const double y = double(r) / size, x = double(c) / size;
            double h = 1180 + 300 * x + 150 * y;
            for (const Peak& p : peaks) {
                const double d2 = (y - p.row) * (y - p.row) + (x - p.col) * (x - p.col);
                h += p.height * std::exp(-d2 / (2 * p.width * p.width));
            }
            h += 40 * std::sin(y * 37) * std::cos(x * 29) + 12 * std::sin((x + y) * 151);
            state = state * 1664525u + 1013904223u;
            h += double(state >> 8) / double(1u << 24) - 0.5;
            t.heights[static_cast<std::size_t>(r) * cols + c] = static_cast<float>(std::round(h * 100) / 100);
        }
    }
    return t;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: make-bench-grids DIRECTORY [ROWS COLS]\n";
        return 2;
    }
    const std::string dir = argv[1];
    const int rows = argc == 4 ? std::atoi(argv[2]) : 4000;
    const int cols = argc == 4 ? std::atoi(argv[3]) : 4000;
    if (rows < 3 || cols < 3) {
        std::cerr << "make-bench-grids: the grid needs at least 3 rows and 3 columns\n";
        return 2;
    }
    const Terrain dem = benchTerrain(rows, cols);
    GridHeader plain = dem.header;
    plain.hasNodata = false;
    bool ok = writeGridFile(dir + "/dem.grd", dem.header, dem.heights);
    ok = writeGridFile(dir + "/contours.grd", plain, contourRaster(dem, 20)) && ok;
    if (!ok) {
        std::cerr << "make-bench-grids: cannot write into " << dir << "\n";
        return 1;
    }
    return 0;
}
