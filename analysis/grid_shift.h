#pragma once
// A grid of values moved by a constant shift of a fraction of a cell, by bilinear
// interpolation: a reference that already lies on a DEM's grid, moved onto where the
// DEM's terrain is. Values are row-major, nrows x ncols, row 0 north; a value that is not
// finite (NaN) is no value.
//
// Shifting by (down, right) cells reads the grid at (r + down, c + right):
//
//   v(r0, c0)          v(r0, c0 + 1)          r0 = floor(r + down),  fr = r + down - r0
//             (r + down, c + right)           c0 = floor(c + right), fc = c + right - c0
//   v(r0 + 1, c0)      v(r0 + 1, c0 + 1)
//
//   out(r, c) = (1 - fr) ((1 - fc) v00 + fc v01) + fr ((1 - fc) v10 + fc v11)
//
// A point gets no value (NaN) when a neighbour the formula weighs (weight above 0) lies
// outside the grid or holds no value. A shift by whole cells weighs one neighbour only,
// so it moves the values unchanged and a zero shift keeps the border.

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

class BilinearShift {
public:
    BilinearShift(double down, double right);

    // The grid v (nrows x ncols) read at (r + down, c + right); NaN for no value.
    float at(const float* v, int nrows, int ncols, int r, int c) const
    {
        const long long r0 = r + rows, c0 = c + cols;
        const long long r1 = fr > 0 ? r0 + 1 : r0, c1 = fc > 0 ? c0 + 1 : c0;
        if (r0 < 0 || c0 < 0 || r1 >= nrows || c1 >= ncols)
            return std::numeric_limits<float>::quiet_NaN();
        const float* top = v + static_cast<std::size_t>(r0) * static_cast<std::size_t>(ncols);
        const float* bottom = v + static_cast<std::size_t>(r1) * static_cast<std::size_t>(ncols);
        const double h = (1 - fr) * ((1 - fc) * double(top[c0]) + fc * double(top[c1])) +
                         fr * ((1 - fc) * double(bottom[c0]) + fc * double(bottom[c1]));
        return std::isfinite(h) ? static_cast<float>(h) : std::numeric_limits<float>::quiet_NaN();
    }

private:
    // Whole cells of the shift, kept within +-2^40 so that a shift far off the grid gives
    // no value rather than an overflow; and its fractions in [0, 1).
    long long rows = 0, cols = 0;
    double fr = 0, fc = 0;
};

// The grid v (nrows x ncols, row-major) shifted by (down, right) cells: nrows x ncols
// values, NaN where there is no value.
std::vector<float> shiftedGrid(const float* v, int nrows, int ncols, double down, double right);
