#include "tests/support/grid_files.h"

#include <fstream>
#include <sstream>

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string gridText(int rows, int cols, const std::vector<float>& values, double cellsize)
{
    GridHeader header;
    header.nrows = rows;
    header.ncols = cols;
    header.cellsize = cellsize;
    std::ostringstream out;
    out.precision(9);
    writeGrid(out, header, values);
    return out.str();
}

void writeGridValues(const std::string& path, int rows, int cols, const std::vector<float>& values, double cellsize)
{
    writeText(path, gridText(rows, cols, values, cellsize));
}

std::vector<float> surface(int rows, int cols, const std::function<double(int, int)>& f)
{
    std::vector<float> v;
    v.reserve(static_cast<std::size_t>(rows) * cols);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++)
            v.push_back(static_cast<float>(f(r, c)));
    return v;
}

std::vector<float> field(const GridHeader& h, const std::function<double(double, double)>& f)
{
    return surface(h.nrows, h.ncols, [&](int r, int c) {
        return f(h.xllcorner + (c + 0.5) * h.cellsize, h.yllcorner + (h.nrows - r - 0.5) * h.cellsize);
    });
}

std::vector<float> flat(int rows, int cols, float height)
{
    return surface(rows, cols, [=](int, int) { return height; });
}

std::vector<float> plane(int rows, int cols, double base, double perRow, double perCol)
{
    return surface(rows, cols, [=](int r, int c) { return base + perRow * r + perCol * c; });
}

std::vector<float> spike(int rows, int cols, float base, int row, int col, float height)
{
    return surface(rows, cols, [=](int r, int c) { return r == row && c == col ? base + height : base; });
}

std::string sampleFile(const std::string& name) { return std::string(KARVO_SAMPLE_DIR) + "/" + name; }
