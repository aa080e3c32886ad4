// Sparse data generation. The spot heights are, in this order, the local maxima found by
// localMaximums and then rand() picks (row first, then column) until there are n; later
// records overwrite earlier ones at the same point. Everything else is 0, so a spot
// height of 0 cannot be told from an empty point.

#include "analysis/sparse.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <memory>
#include <new>

#include "model/error.h"
#include "model/grid_writer.h"
#include "model/mountain.h"

namespace {

// Strictly above all eight neighbours; a plateau or ridge of equal tops is no maximum, and
// neither is an infinite height, which no grid file can carry.
bool isLocalMaximum(float** e, int r, int c)
{
    const float h = e[r][c];
    return std::isfinite(h) && h > e[r - 1][c - 1] && h > e[r - 1][c] && h > e[r - 1][c + 1] && h > e[r][c - 1] &&
           h > e[r][c + 1] && h > e[r + 1][c - 1] && h > e[r + 1][c] && h > e[r + 1][c + 1];
}

// The pause waits for one integer and forgets it. A word that is no number is dropped
// with the rest of its line, so that later console prompts still read.
void pause()
{
    std::cerr << "pause" << std::endl;
    int ignored;
    if (std::cin >> ignored)
        return;
    const bool atEnd = std::cin.eof();
    std::cin.clear();
    if (!atEnd)
        std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

// With nodata masking, a maximum beside a hole would only be higher than the hole.
bool validAround(const mountain& m, int r, int c)
{
    if (!m.masking())
        return true;
    for (int i = r - 1; i <= r + 1; i++)
        for (int j = c - 1; j <= c + 1; j++)
            if (!m.validPoint(i, j))
                return false;
    return true;
}

}  // namespace

int mountain::localMaximums(randomHeight* out)
{
    int count = 0;
    for (int r = 1; count < LOCALNUM && r < nrows - 1; r++)
        for (int c = 1; count < LOCALNUM && c < ncols - 1; c++) {
            if (!isLocalMaximum(grid, r, c) || !validAround(*this, r, c))
                continue;
            out[count] = {r, c, grid[r][c]};
            std::cerr << "local max " << count << ": " << grid[r][c] << std::endl;
            count++;
        }
    std::cerr << "Found " << count << " local maximums." << std::endl;
    pause();
    return count;
}

std::vector<float> makeSparseGrid(mountain& m, int n)
{
    std::cout << "Creating sparse data file" << std::endl;
    std::cerr << "Enter desired number of random spot heights: " << std::endl;
    if (n < LOCALNUM) {
        error(SPARSE);
        return {};
    }
    if (m.grid == nullptr || m.nrows <= 0 || m.ncols <= 0) {
        std::cout << "No DEM loaded: no sparse data file made" << std::endl;
        return {};
    }
    // The spot heights are an array of n records: more of them than there are points to
    // place them on would only take memory, gigabytes for a number mistyped.
    const long long points = static_cast<long long>(m.nrows) * m.ncols;
    if (n > points) {
        std::cout << "Too many spot heights: " << n << " on a grid of " << m.nrows << " x " << m.ncols
                  << " points: no sparse data file made" << std::endl;
        return {};
    }
    std::cout << "Peak heights will be included automatically." << std::endl;

    // n comes from the user, and the sparse grid is a second grid of the DEM's size:
    // what cannot be held is refused before anything is asked or written. The sparse
    // grid is its own array so that the DEM stays loaded for every later frame,
    // statistic and pass.
    std::unique_ptr<randomHeight[]> records(new (std::nothrow) randomHeight[static_cast<std::size_t>(n)]);
    std::vector<float> values;
    try {
        if (records)
            values.assign(static_cast<std::size_t>(m.nrows) * static_cast<std::size_t>(m.ncols), 0.0f);
    } catch (const std::bad_alloc&) {
        records.reset();
    }
    if (!records) {
        std::cout << "Not enough memory for " << n << " spot heights on a grid of " << m.nrows << " x " << m.ncols
                  << " points: no sparse data file made" << std::endl;
        return {};
    }

    const int k = m.localMaximums(records.get());
    std::cerr << "numLocals = " << k << std::endl;
    for (int i = k; i < n; i++) {
        const int row = std::rand() % m.nrows;
        const int col = std::rand() % m.ncols;
        records[i] = {row, col, m.grid[row][col]};
    }
    // A random pick in a hole is no spot height, nor is one whose height is no number.
    for (int i = 0; i < n; i++)
        if (m.validPoint(records[i].row, records[i].col) && std::isfinite(records[i].height))
            values[static_cast<std::size_t>(records[i].row) * m.ncols + records[i].col] = records[i].height;
    // The body is in the default float format, whatever the console was set to.
    const std::ios::fmtflags flags = std::cout.flags(std::ios::fmtflags{});
    const std::streamsize precision = std::cout.precision(6);
    std::cout.width(0);
    writeGridBody(std::cout, m.nrows, m.ncols, values);
    std::cout.flags(flags);
    std::cout.precision(precision);
    std::cout.flush();
    return values;
}

void mountain::makeSparseFile(int n) { makeSparseGrid(*this, n); }
