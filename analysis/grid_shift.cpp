#include "analysis/grid_shift.h"

namespace {

const double farOff = 1099511627776.0;  // 2^40 cells: off any grid, far from overflow

// Splits a shift into whole cells and a fraction in [0, 1); a shift that is not finite or
// lies off every grid becomes farOff, which reads no point.
void split(double shift, long long& whole, double& fraction)
{
    if (!(std::fabs(shift) < farOff)) {
        whole = static_cast<long long>(farOff);
        fraction = 0;
        return;
    }
    const double below = std::floor(shift);
    whole = static_cast<long long>(below);
    fraction = shift - below;
}

}  // namespace

BilinearShift::BilinearShift(double down, double right)
{
    split(down, rows, fr);
    split(right, cols, fc);
}

std::vector<float> shiftedGrid(const float* v, int nrows, int ncols, double down, double right)
{
    const BilinearShift shift(down, right);
    std::vector<float> out(static_cast<std::size_t>(nrows > 0 ? nrows : 0) * static_cast<std::size_t>(ncols > 0 ? ncols : 0));
    float* o = out.data();
    for (int r = 0; r < nrows; r++)
        for (int c = 0; c < ncols; c++)
            *o++ = shift.at(v, nrows, ncols, r, c);
    return out;
}
