#pragma once
// The accuracy figures of a DEM against its comparison set, as DEM quality reports give
// them: over the points the RMSE is taken over (comparedPoint: a valid DEM height and
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

struct Accuracy {
    long long points = 0;
    double rmse = 0, mean = 0, mae = 0, std = 0, nmad = 0, le90 = 0, le95 = 0, maxAbs = 0;
};

// The figures of the differences d, which it overwrites; nullopt when there are none.
std::optional<Accuracy> accuracyOf(std::vector<double>& d);

// The figures of mt against rd; nullopt without a comparison set of mt's size or
// without a point that carries comparison data.
std::optional<Accuracy> currentAccuracy();
