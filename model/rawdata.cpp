#include <cmath>

#include "model/error.h"
#include "model/mountain.h"

bool comparedPoint(int r, int c) { return comparedPoint(mt, rd.grid[r][c], r, c); }

namespace {

// Sum and count are kept in double and a 64-bit count: a float sum loses whole units
// on large grids and a float count stops growing at 2^24 points. A comparison grid of
// another size than the DEM has no point that can be compared.
bool rmseOf(const rawdata& comparison, float& value)
{
    if (comparison.grid == nullptr || mt.grid == nullptr || comparison.nrows != mt.nrows ||
        comparison.ncols != mt.ncols)
        return false;
    double sum = 0;
    long long n = 0;
    for (int r = 0; r < comparison.nrows; r++) {
        const float* g = comparison.grid[r];
        const float* h = mt.grid[r];
        for (int c = 0; c < comparison.ncols; c++) {
            if (comparedPoint(mt, g[c], r, c)) {
                const double d = double(g[c]) - double(h[c]);
                sum += d * d;
                n++;
            }
        }
    }
    if (n == 0)
        return false;
    value = static_cast<float>(std::sqrt(sum / double(n)));
    return true;
}

}  // namespace

bool rawdata::tryRmse(float& value) { return rmseOf(*this, value); }

float rawdata::rmse()
{
    float value = 0;
    if (!rmseOf(*this, value))
        error(DIV0);
    return value;
}
