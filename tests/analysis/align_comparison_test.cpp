// Alignment of comparison grids onto a DEM's grid, against values written down from the
// surfaces' formulas and, for a reprojection, positions from OSR itself.

#include <gtest/gtest.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "analysis/align_comparison.h"
#include "model/error.h"
#include "tests/support/epsg_wkt.h"

namespace {

// A reference grid whose value at its pixel centre (x, y) is f(x, y); scattered stores its
// rows apart from one another, as no model lays them out.
struct Reference {
    std::vector<float> values;
    std::vector<const float*> rows;
    ComparisonGrid grid;
    Reference(const GridFrame& f, const std::function<double(double, double)>& value, bool scattered = false)
        : values(std::size_t(f.nrows) * (f.ncols + (scattered ? 7 : 0))), rows(static_cast<std::size_t>(f.nrows))
    {
        const std::size_t stride = values.size() / std::size_t(f.nrows);
        for (int r = 0; r < f.nrows; r++) {
            float* row = values.data() + std::size_t(scattered ? f.nrows - 1 - r : r) * stride;
            rows[std::size_t(r)] = row;
            for (int c = 0; c < f.ncols; c++)
                row[c] = float(
                    value(f.xllcorner + (c + 0.5) * f.cellsize, f.yllcorner + (f.nrows - r - 0.5) * f.cellsize));
        }
        grid.rows = rows.data();
        grid.frame = f;
    }
};

double plane(double x, double y) { return 100 + 0.5 * x + 0.25 * y; }

const GridFrame dem{8, 8, 0, 0, 10, ""};  // pixel centres at 5, 15, ..., 75

TEST(AlignComparisonTest, PlaneOnAnotherGrid)
{
    // A plane is exact under bilinear and cubic interpolation away from the border; the
    // nearest value is the plane at the reference centre nearest to the DEM's (no ties:
    // the centres never lie halfway).
    const GridFrame halfCell{12, 12, -35, -35, 10, ""}, otherSize{14, 14, -47.5, -42.5, 15, ""};
    auto nearestCentre = [](double v, double first) { return first + 15 * std::round((v - first) / 15); };
    struct Case {
        const char* name;
        GridFrame frame;
        Resampling how;
        bool scattered;
    } cases[] = {
        {"half a cell, bilinear", halfCell, Resampling::bilinear, false},
        {"half a cell, cubic", halfCell, Resampling::cubic, false},
        {"cellsize 15, bilinear", otherSize, Resampling::bilinear, false},
        {"cellsize 15, cubic", otherSize, Resampling::cubic, false},
        {"cellsize 15, nearest", otherSize, Resampling::nearest, false},
        {"cellsize 15, bilinear, rows apart", otherSize, Resampling::bilinear, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Reference ref(c.frame, plane, c.scattered);
        const AlignedComparison a = alignComparison(dem, ref.grid, DEM, c.how);
        ASSERT_EQ(a.problem, "");
        EXPECT_TRUE(a.resampled && a.overlaps && !a.reprojected);
        EXPECT_EQ(a.points, 64);
        for (int r = 0; r < 8; r++)
            for (int col = 0; col < 8; col++) {
                const double x = 5 + 10 * col, y = 75 - 10 * r;
                const double want = c.how == Resampling::nearest ? plane(nearestCentre(x, -40), nearestCentre(y, -35))
                                                                 : plane(x, y);
                EXPECT_NEAR(a.values.row(r)[col], want, 1e-3) << r << "," << col;
            }
    }
}

TEST(AlignComparisonTest, SparseValuesFromTheNearestPointNoneOnNodataOrOutside)
{
    // Each reference pixel covers 2 x 2 DEM points (a bilinear resampling would blend
    // them); the DEM's last column lies east of the reference.
    Reference ref({2, 2, 0, 0, 20, ""},
                  [](double x, double y) { return x < 20 ? (y > 20 ? 1 : 3) : (y > 20 ? -9999 : 0); });
    ref.grid.hasNodata = true;
    ref.grid.nodata = -9999;
    const GridFrame wider{4, 5, 0, 0, 10, ""};
    const AlignedComparison a = alignComparison(wider, ref.grid, SPARSEF, Resampling::bilinear);
    ASSERT_EQ(a.problem, "");
    EXPECT_EQ(a.points, 12);
    const float want[4][3] = {{1, NAN, NAN}, {1, NAN, NAN}, {3, 0, NAN}, {3, 0, NAN}};
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 5; c++) {
            const float v = a.values.row(r)[c], w = want[r][c / 2];
            EXPECT_TRUE(std::isnan(w) ? std::isnan(v) : v == w) << r << "," << c << ": " << v;
        }
    // Interpolated, a point has no value where the pixel it falls in holds nodata.
    const AlignedComparison b = alignComparison(wider, ref.grid, DEM, Resampling::bilinear);
    EXPECT_EQ(b.points, 12);
    EXPECT_TRUE(std::isnan(b.values.row(1)[2]) && !std::isnan(b.values.row(1)[1]) && !std::isnan(b.values.row(2)[2]));
}

TEST(AlignComparisonTest, IdenticalGridsAreLeftAloneAndDisjointOnesRefused)
{
    const std::string utm = wktOfEpsg(32632), geographic = wktOfEpsg(4326);
    struct Case {
        const char* name;
        GridFrame dem, reference;
        bool resampled, overlaps;
    } cases[] = {
        {"same grid", dem, dem, false, true},
        {"a text grid beside a raster", {8, 8, 0, 0, 10, utm}, dem, false, true},
        {"a corner off by a billionth", dem, {8, 8, 1e-8, 0, 10, ""}, false, true},
        {"far east", dem, {8, 8, 1000, 0, 10, ""}, true, false},
        {"touching only along an edge", dem, {8, 8, 80, 0, 10, ""}, true, false},
        {"elsewhere on the globe", {8, 8, 500000, 5200000, 10, utm}, {8, 8, 100, 10, 0.01, geographic}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Reference ref(c.reference, plane);
        const AlignedComparison a = alignComparison(c.dem, ref.grid, DEM, Resampling::bilinear);
        EXPECT_EQ(a.resampled, c.resampled);
        EXPECT_EQ(a.overlaps, c.overlaps);
        EXPECT_EQ(a.problem, c.overlaps ? "" : "does not overlap the DEM");
        EXPECT_FALSE(a.values && !c.overlaps);
        EXPECT_EQ(bool(a.values), c.resampled && c.overlaps);
    }
}

TEST(AlignComparisonTest, GeographicReferenceOntoUtm)
{
    // The reference is a plane in longitude and latitude, so bilinear interpolation in its
    // own grid is exact; OSR gives the longitude and latitude of each UTM pixel centre.
    const std::string utm = wktOfEpsg(32632), geographic = wktOfEpsg(4326);
    auto f = [](double lon, double lat) { return 100 + 1000 * (lon - 9) + 2000 * (lat - 47); };
    const Reference ref({40, 60, 8.98, 46.94, 0.001, geographic}, f);
    const GridFrame utmDem{20, 20, 500000, 5200000, 100, utm};
    const AlignedComparison a = alignComparison(utmDem, ref.grid, DEM, Resampling::bilinear);
    ASSERT_EQ(a.problem, "");
    EXPECT_TRUE(a.reprojected && a.resampled);
    EXPECT_EQ(a.points, 400);

    OGRSpatialReferenceH from = OSRNewSpatialReference(utm.c_str()), to = OSRNewSpatialReference(geographic.c_str());
    OSRSetAxisMappingStrategy(to, OAMS_TRADITIONAL_GIS_ORDER);
    OGRCoordinateTransformationH t = OCTNewCoordinateTransformation(from, to);
    for (int r = 0; r < 20; r += 3)
        for (int c = 0; c < 20; c += 3) {
            double x = 500050 + 100 * c, y = 5201950 - 100 * r;
            ASSERT_TRUE(OCTTransform(t, 1, &x, &y, nullptr));
            EXPECT_NEAR(a.values.row(r)[c], f(x, y), 0.05) << r << "," << c;
        }
    OCTDestroyCoordinateTransformation(t);
    OSRDestroySpatialReference(from);
    OSRDestroySpatialReference(to);
}

}  // namespace
