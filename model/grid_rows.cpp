#include "model/grid_rows.h"

#include <cstdint>
#include <utility>

#include "model/large_memory.h"

namespace {

std::size_t tableBytes(int nrows) { return (std::size_t(nrows) * sizeof(float*) + 63) / 64 * 64; }

}  // namespace

std::size_t GridRows::bytes(int nrows, int ncols)
{
    if (nrows <= 0 || ncols <= 0)
        return 0;
    const std::size_t values = std::size_t(nrows) * std::size_t(ncols);
    if (values > (SIZE_MAX - tableBytes(nrows)) / sizeof(float))
        return SIZE_MAX;
    return tableBytes(nrows) + values * sizeof(float);
}

GridRows GridRows::make(int nrows, int ncols)
{
    GridRows g;
    const std::size_t size = bytes(nrows, ncols);
    if (size == 0 || size == SIZE_MAX)
        return g;
    void* block = allocateLarge(size, true);
    if (block == nullptr)
        return g;
    g.table = static_cast<float**>(block);
    float* values = reinterpret_cast<float*>(static_cast<char*>(block) + tableBytes(nrows));
    for (int r = 0; r < nrows; r++)
        g.table[r] = values + std::size_t(r) * std::size_t(ncols);
    return g;
}

GridRows::~GridRows() { releaseLarge(table); }

GridRows::GridRows(GridRows&& other) noexcept : table(std::exchange(other.table, nullptr)) {}

GridRows& GridRows::operator=(GridRows&& other) noexcept
{
    if (this != &other) {
        releaseLarge(table);
        table = std::exchange(other.table, nullptr);
    }
    return *this;
}

float** GridRows::release() { return std::exchange(table, nullptr); }
