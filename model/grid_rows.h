#pragma once
// A grid of floats owned until a model takes it: the rows lie in one block of large memory
// after a table of row pointers, as allocate() lays them out, so that the table can become
// a model's grid and be freed there with releaseRows. Unlike allocate(), making one never
// ends the process: a grid that does not fit comes back empty, for the caller to refuse.

#include <cstddef>

class GridRows {
public:
    GridRows() = default;
    // nrows x ncols floats, all 0; empty when there is no memory for them.
    static GridRows make(int nrows, int ncols);
    // The bytes make(nrows, ncols) asks for.
    static std::size_t bytes(int nrows, int ncols);

    ~GridRows();
    GridRows(GridRows&& other) noexcept;
    GridRows& operator=(GridRows&& other) noexcept;
    GridRows(const GridRows&) = delete;
    GridRows& operator=(const GridRows&) = delete;

    explicit operator bool() const { return table != nullptr; }
    float* const* rows() const { return table; }
    float* row(int r) const { return table[r]; }
    // The first value; row r starts r x ncols floats after it.
    float* first() const { return table != nullptr ? table[0] : nullptr; }
    // Hands the table over; the taker frees it with releaseRows.
    float** release();

private:
    float** table = nullptr;
};
