#include "analysis/accuracy.h"

#include <algorithm>
#include <cmath>

#include "analysis/compared_points.h"
#include "model/error.h"
#include "model/mountain.h"

namespace {

// The root mean square of the differences added, summed exactly.
struct SquareSum {
    ExactSum sum;
    long long n = 0;
    void add(double d)
    {
        sum.addProduct(d, d);
        n++;
    }
    double rootMean() const { return std::sqrt(sum.value() / double(n)); }
};

// The median of d, which it reorders.
double median(std::vector<double>& d)
{
    const std::size_t middle = d.size() / 2;
    std::nth_element(d.begin(), d.begin() + middle, d.end());
    const double upper = d[middle];
    if (d.size() % 2 == 1)
        return upper;
    const double lower = *std::max_element(d.begin(), d.begin() + middle);
    return (lower + upper) / 2;
}

// The q-quantile of |d| with linear interpolation between order statistics; d is
// reordered, its values kept.
double absoluteQuantile(std::vector<double>& d, double q)
{
    auto byMagnitude = [](double a, double b) { return std::fabs(a) < std::fabs(b); };
    const double h = double(d.size() - 1) * q;
    const std::size_t below = static_cast<std::size_t>(std::floor(h));
    std::nth_element(d.begin(), d.begin() + below, d.end(), byMagnitude);
    const double low = std::fabs(d[below]);
    if (below + 1 >= d.size())
        return low;
    const double high = std::fabs(*std::min_element(d.begin() + below + 1, d.end(), byMagnitude));
    return low + (h - double(below)) * (high - low);
}

}  // namespace

void DifferenceSums::add(double d)
{
    points++;
    sum.add(d);
    squares.addProduct(d, d);
    absolute.add(std::fabs(d));
    maxAbs = std::max(maxAbs, std::fabs(d));
}

void DifferenceSums::add(const DifferenceSums& other)
{
    points += other.points;
    sum.add(other.sum);
    squares.add(other.squares);
    absolute.add(other.absolute);
    maxAbs = std::max(maxAbs, other.maxAbs);
}

Accuracy accuracyOfSums(const DifferenceSums& s)
{
    Accuracy a;
    a.points = s.points;
    const double n = double(s.points);
    a.rmse = std::sqrt(s.squares.value() / n);
    a.mean = s.sum.value() / n;
    a.mae = s.absolute.value() / n;
    a.maxAbs = s.maxAbs;
    ExactSum spread;  // n^2 times the variance
    for (double p : s.squares.partials())
        spread.addProduct(p, n);
    const std::vector<double> sum = s.sum.partials();
    for (double p : sum)
        for (double q : sum)
            spread.addProduct(-p, q);
    a.std = std::sqrt(std::max(0.0, spread.value())) / n;
    return a;
}

std::optional<Accuracy> accuracyOf(std::vector<double>& d)
{
    if (d.empty())
        return std::nullopt;
    DifferenceSums sums;
    for (double v : d)
        sums.add(v);
    Accuracy a = accuracyOfSums(sums);

    a.le90 = absoluteQuantile(d, 0.9);
    a.le95 = absoluteQuantile(d, 0.95);
    const double centre = median(d);
    for (double& v : d)
        v = std::fabs(v - centre);
    a.nmad = 1.4826 * median(d);
    return a;
}

std::optional<double> comparisonRmse(const GridView& dem, const float* const* comparison)
{
    SquareSum squares;
    for (int r = 0; r < dem.nrows; r++) {
        const float* g = comparison[r];
        const float* h = dem.rows[r];
        for (int c = 0; c < dem.ncols; c++)
            if (comparedAt(dem, comparison, r, c))
                squares.add(double(g[c]) - double(h[c]));
    }
    if (squares.n == 0)
        return std::nullopt;
    return squares.rootMean();
}

std::optional<Accuracy> comparisonAccuracy(const GridView& dem, const float* const* comparison)
{
    std::vector<double> d;
    for (int r = 0; r < dem.nrows; r++)
        for (int c = 0; c < dem.ncols; c++)
            if (comparedAt(dem, comparison, r, c))
                d.push_back(double(comparison[r][c]) - double(dem.at(r, c)));
    return accuracyOf(d);
}

std::optional<Accuracy> currentAccuracy()
{
    if (!comparisonMatchesDem())
        return std::nullopt;
    return comparisonAccuracy(mt.view(), rd.grid);
}

bool rawdata::tryRmse(float& value)
{
    // A comparison grid of another size than the DEM has no point that can be compared.
    if (grid == nullptr || mt.grid == nullptr || nrows != mt.nrows || ncols != mt.ncols)
        return false;
    const std::optional<double> rmse = comparisonRmse(mt.view(), grid);
    if (rmse)
        value = static_cast<float>(*rmse);
    return rmse.has_value();
}

float rawdata::rmse()
{
    float value = 0;
    if (!tryRmse(value))
        error(DIV0);
    return value;
}
