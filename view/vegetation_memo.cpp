#include "view/vegetation_memo.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "analysis/slope.h"
#include "model/mountain.h"

namespace {

struct Memo {
    const float* const* grid = nullptr;
    int rows = 0, cols = 0;
    float cellsize = 0, eastWest = 0;  // in the heights' unit, north-south and east-west
    bool masking = false;
    int treeline = 0;
    float slope = 0;
    std::vector<std::uint8_t> bits;  // two per point, four points a byte
};

Memo memo;

bool madeForMt()
{
    return memo.grid == mt.grid && memo.rows == mt.nrows && memo.cols == mt.ncols && memo.cellsize == mt.groundCellsize() &&
           memo.eastWest == mt.groundEastWest() && memo.masking == mt.masking() && memo.treeline == TREELINE && memo.slope == SLOPE;
}

}  // namespace

bool rememberedVegetationHigh(int row, int col)
{
    if (!madeForMt()) {
        forgetVegetation();
        memo.grid = mt.grid;
        memo.rows = mt.nrows;
        memo.cols = mt.ncols;
        memo.cellsize = mt.groundCellsize();
        memo.eastWest = mt.groundEastWest();
        memo.masking = mt.masking();
        memo.treeline = TREELINE;
        memo.slope = SLOPE;
        try {
            memo.bits.assign((std::size_t(mt.nrows) * std::size_t(mt.ncols) + 3) / 4, 0);
        } catch (const std::bad_alloc&) {
            memo.bits.clear();  // without room for the memo the rule is worked out every frame
        }
    }
    if (memo.bits.empty())
        return vegetationHigh(mt.grid[row][col], row, col);
    const std::size_t point = std::size_t(row) * std::size_t(memo.cols) + std::size_t(col);
    std::uint8_t& byte = memo.bits[point / 4];
    const int shift = int(point % 4) * 2;
    if (byte >> shift & 1)
        return byte >> shift & 2;
    const bool high = vegetationHigh(mt.grid[row][col], row, col);
    byte = std::uint8_t(byte | (high ? 3 : 1) << shift);
    return high;
}

void forgetVegetation()
{
    memo = Memo();
}
