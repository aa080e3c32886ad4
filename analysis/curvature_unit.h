#pragma once
// A curvature unit that fits the data: at the start-up unit of 1.0 most real DEMs are red
// from edge to edge. The fitted unit is the 99th percentile of the curvature values divided
// by 3, rounded to two significant digits, so that the top level (above 3 units) marks
// about the worst one per cent of the cells.

#include <cstddef>

struct CurvatureUnitFit {
    long long values = 0;   // the values the percentile was taken over (NaN left out)
    double percentile = 0;  // their 99th percentile, height units
    bool fitted = false;    // false: the percentile gives no unit, and unit is 1.0
    float unit = 1.0f;      // a positive normal float
};

// The unit for the curvature values of the graded cells: one value per cell that is not
// masked and not in the first row or column, as the curvature pass leaves them in cArray
// (they do not depend on the unit). The values are read, not reordered or copied.
//
// The percentile interpolates linearly between the order statistics at (n - 1) x 0.99, as
// LE90 does at 0.9. When it is 0 (all values 0, or none) or not finite, or its third
// rounds to no normal float, the unit stays the start-up 1.0 and fitted is false.
CurvatureUnitFit fitCurvatureUnit(const float* values, std::size_t count);

// x > 0 rounded to two significant digits, half away from zero on x's shortest decimal
// form: 0.012345 -> 0.012, 1234 -> 1200, 0.0995 -> 0.1, 0.125 -> 0.13. Any other x is
// returned as it is.
double twoSignificantDigits(double x);
