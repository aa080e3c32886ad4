// Coregistration on analytic terrain: the DEM is a surface sampled at the grid points, the
// reference the same surface sampled at shifted coordinates plus a bias, so the true shift
// is known without any interpolation.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "analysis/coregistration.h"

namespace {

using Surface = std::function<double(double x, double y)>;  // x east, y north, ground units

// Slopes up to about 0.5 facing every direction, wavelengths of 18 to 38 cells.
double sines(double x, double y)
{
    return 40 * std::sin(x / 120 + 0.3) + 30 * std::cos(y / 90) + 25 * std::sin((x + y) / 150) +
           15 * std::sin((x - 0.6 * y) / 70);
}

struct Dem {
    int rows = 120, cols = 150;
    double groundX = 20, groundY = 25;
    std::vector<float> h;
    std::vector<const float*> rowStarts;

    // reference(x, y) = surface(x - east, y - north) + bias at point (r, c), x = c groundX,
    // y = -r groundY; with no shift and bias, the DEM itself.
    std::vector<float> sample(const Surface& s, double eastCells = 0, double northCells = 0, double bias = 0) const
    {
        std::vector<float> v;
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++)
                v.push_back(float(s((c - eastCells) * groundX, -(r + northCells) * groundY) + bias));
        return v;
    }
    GridView view(const Surface& s)
    {
        h = sample(s);
        rowStarts.clear();
        for (int r = 0; r < rows; r++)
            rowStarts.push_back(h.data() + std::size_t(r) * cols);
        GridView g;
        g.rows = rowStarts.data();
        g.nrows = rows;
        g.ncols = cols;
        g.groundX = groundX;
        g.groundY = groundY;
        return g;
    }
};

TEST(CoregistrationTest, RecoversKnownShiftsAndBiases)
{
    const struct {
        double east, north, bias;
    } cases[] = {{0.37, -0.62, 1.5}, {-1.3, 0.8, -2.0}, {0, 0, 0}, {2.4, 1.15, 0.25}, {-0.06, 0.04, 30}};
    Dem dem;
    const GridView view = dem.view(sines);
    for (const auto& t : cases) {
        SCOPED_TRACE(testing::Message() << t.east << " east, " << t.north << " north, bias " << t.bias);
        const std::vector<float> reference = dem.sample(sines, t.east, t.north, t.bias);
        const Coregistration k = coregistrationOf(view, reference.data());
        EXPECT_EQ(k.status, CoregistrationStatus::Converged);
        EXPECT_NEAR(k.eastCells, t.east, 0.05);
        EXPECT_NEAR(k.northCells, t.north, 0.05);
        EXPECT_NEAR(k.east, t.east * dem.groundX, 0.05 * dem.groundX);
        EXPECT_NEAR(k.north, t.north * dem.groundY, 0.05 * dem.groundY);
        EXPECT_NEAR(k.bias, t.bias, 0.05);
        ASSERT_TRUE(k.before && k.after);
        EXPECT_LT(k.after->rmse, 0.5);
        EXPECT_LT(std::fabs(k.after->mean), 0.05);
        double sum = 0;  // the coregistered reference against the DEM
        int n = 0;
        for (std::size_t i = 0; i < dem.h.size(); i++)
            if (std::isfinite(k.reference[i])) {
                sum += (k.reference[i] - dem.h[i]) * (k.reference[i] - dem.h[i]);
                n++;
            }
        EXPECT_GT(n, 0.9 * double(dem.h.size()));
        EXPECT_LT(std::sqrt(sum / n), 0.5);
    }
}

TEST(CoregistrationTest, SignsFollowWhereTheReferenceLies)
{
    // A round hill at (x, y) = (1500, -1500); the reference's hill stands 8 m east, 5 m
    // north of it and is 3 higher.
    auto hill = [](double east, double north, double rise) {
        return [=](double x, double y) {
            const double dx = x - 1500 - east, dy = y + 1500 - north;
            return rise + 300 * std::exp(-(dx * dx + dy * dy) / (2 * 600.0 * 600.0));
        };
    };
    Dem dem;
    const GridView view = dem.view(hill(0, 0, 0));
    const std::vector<float> reference = dem.sample(hill(8, 5, 3));
    const Coregistration k = coregistrationOf(view, reference.data());
    EXPECT_EQ(k.status, CoregistrationStatus::Converged);
    EXPECT_NEAR(k.east, 8, 0.05 * dem.groundX);
    EXPECT_NEAR(k.north, 5, 0.05 * dem.groundY);
    EXPECT_NEAR(k.bias, 3, 0.05);
}

TEST(CoregistrationTest, FlatOrOneFacedTerrainGivesNoShift)
{
    const struct {
        const char* terrain;
        Surface s;
        CoregistrationStatus status;
    } cases[] = {
        {"level", [](double, double) { return 100.0; }, CoregistrationStatus::TooFewSlopedPoints},
        {"level with holes", [](double x, double y) { return int(x / 20) % 5 + int(-y / 25) % 3 == 0 ? -9999.0 : 100.0; },
         CoregistrationStatus::TooFewSlopedPoints},
        {"tan 0.049", [](double x, double y) { return 0.049 * (0.6 * x + 0.8 * y); }, CoregistrationStatus::TooFewSlopedPoints},
        {"plane facing west", [](double x, double) { return 0.3 * x; }, CoregistrationStatus::TooFewAspects},
        {"ridge", [](double x, double) { return -0.3 * std::fabs(x - 1490); }, CoregistrationStatus::TooFewAspects},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.terrain);
        Dem dem;
        GridView view = dem.view(t.s);
        view.maskValue = true;
        view.nodata = -9999;
        const std::vector<float> reference = dem.sample(t.s, 0, 0, 2);
        const Coregistration k = coregistrationOf(view, reference.data());
        EXPECT_EQ(k.status, t.status);
        EXPECT_EQ(k.iterations, 0);
        EXPECT_EQ(k.eastCells, 0);
        EXPECT_EQ(k.northCells, 0);
        EXPECT_NEAR(k.bias, 2, 1e-4);
        EXPECT_NEAR(k.reference[1000], dem.h[1000], 1e-4);
    }
}

TEST(CoregistrationTest, StopsAtTheIterationLimitAndWithoutCommonPoints)
{
    Dem dem;
    const GridView view = dem.view(sines);
    const std::vector<float> reference = dem.sample(sines, 2.4, 1.15, 0);
    CoregistrationOptions once;
    once.maxIterations = 1;
    const Coregistration k = coregistrationOf(view, reference.data(), once);
    EXPECT_EQ(k.status, CoregistrationStatus::NotConverged);
    EXPECT_EQ(k.iterations, 1);
    EXPECT_GT(k.eastCells, 1);

    const std::vector<float> none(reference.size(), std::numeric_limits<float>::quiet_NaN());
    const Coregistration n = coregistrationOf(view, none.data());
    EXPECT_EQ(n.status, CoregistrationStatus::NoCommonPoints);
    EXPECT_FALSE(n.before || n.after);
    EXPECT_TRUE(std::isnan(n.reference[1000]));
}

TEST(CoregistrationTest, SampledWithHolesAndBlunders)
{
    Dem dem;
    GridView view = dem.view(sines);
    std::vector<float> reference = dem.sample(sines, 0.45, 0.3, -1);
    for (std::size_t i = 0; i < reference.size(); i += 37)
        reference[i] += 500;
    view.maskValue = true;
    view.nodata = -9999;
    for (int r = 20; r < 40; r++)
        for (int c = 30; c < 60; c++) {
            dem.h[r * dem.cols + c] = -9999;
            reference[(r + 50) * dem.cols + c + 60] = std::numeric_limits<float>::quiet_NaN();
        }
    CoregistrationOptions sampled;
    sampled.maxSamplePoints = 4000;
    const Coregistration k = coregistrationOf(view, reference.data(), sampled);
    EXPECT_EQ(k.status, CoregistrationStatus::Converged);
    EXPECT_NEAR(k.samplePoints, 4000, 400);
    EXPECT_NEAR(k.eastCells, 0.45, 0.05);
    EXPECT_NEAR(k.northCells, 0.3, 0.05);
    EXPECT_NEAR(k.bias, -1, 0.05);
    ASSERT_TRUE(k.after);
    EXPECT_LT(k.after->rmse, 0.5);  // the blunders lie outside the robust bound
    EXPECT_TRUE(std::isfinite(k.reference[30 * dem.cols + 45]));   // DEM's hole
    EXPECT_TRUE(std::isnan(k.reference[80 * dem.cols + 105]));     // reference's hole
}

TEST(CoregistrationTest, ProgressRisesThroughTheFitsToOne)
{
    Dem dem;
    const std::vector<float> reference = dem.sample(sines, 0.37, -0.62, 1.5);
    std::vector<double> shares;
    CoregistrationOptions options;
    options.progress = [&shares](double share) { shares.push_back(share); };
    const Coregistration k = coregistrationOf(dem.view(sines), reference.data(), options);
    EXPECT_GT(shares.size(), std::size_t(k.iterations));  // at least once a fit
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()) && shares.front() > 0 && shares.back() == 1);
}

}  // namespace
