#pragma once
// The accuracy figures of a DEM against its comparison set, as DEM quality reports give
// them: over the points the RMSE is taken over (comparedAt: a valid DEM height and
// comparison data), from d = comparison - DEM in double precision:
//   rmse     sqrt(mean of d^2)
//   mean     mean of d, the bias
//   mae      mean of |d|
//   std      population standard deviation of d
//   nmad     1.4826 x median(|d - median(d)|)
//   le90     the 90th percentile of |d|, interpolated linearly between the order
//            statistics at (n - 1) x 0.9
//   le95     the 95th percentile of |d|, likewise at (n - 1) x 0.95
//   maxAbs   the largest |d|
// The medians of an even count are the mean of the two middle values.

#include <optional>
#include <vector>

#include "analysis/exact_sum.h"
#include "model/grid_view.h"

struct Accuracy {
    long long points = 0;
    double rmse = 0, mean = 0, mae = 0, std = 0, nmad = 0, le90 = 0, le95 = 0, maxAbs = 0;
};

// The sums behind the figures that add up over the parts of a grid: sum of d, of d^2 and
// of |d|, each exact, and the largest |d|.
struct DifferenceSums {
    long long points = 0;
    ExactSum sum, squares, absolute;
    double maxAbs = 0;
    void add(double d);
    void add(const DifferenceSums& other);
};

// rmse, mean, mae, std and maxAbs of the sums (std from them exactly: n sum d^2 - (sum d)^2
// over n^2, rounded once before the root); the quantiles stay 0. Needs points > 0.
Accuracy accuracyOfSums(const DifferenceSums& s);

// The figures of the differences d, which it overwrites; nullopt when there are none.
std::optional<Accuracy> accuracyOf(std::vector<double>& d);

// The RMSE of dem against comparison (rows of dem's size) over the points comparedAt
// takes, in row order: the rmse accuracyOf gives for them, without holding them. nullopt
// without such a point.
std::optional<double> comparisonRmse(const GridView& dem, const float* const* comparison);

// All the figures of dem against comparison, over the same points; one double each.
std::optional<Accuracy> comparisonAccuracy(const GridView& dem, const float* const* comparison);

// The figures of mt against rd; nullopt without a comparison set of mt's size or
// without a point that carries comparison data.
std::optional<Accuracy> currentAccuracy();
