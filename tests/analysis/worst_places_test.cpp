#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "analysis/worst_places.h"
#include "model/mountain.h"
#include "tests/support/model_fixture.h"

namespace {

// A 20 x 24 grid at height 100, cellsize 10, lower left corner (1000, 2000), with spikes:
// +10 at (5, 5), +5 at (5, 9) (4 columns on: a place of its own, but its neighbour (5, 8)
// lies 3 from (5, 5)), +3 at (12, 18), (12, 3) and (16, 10), and a nodata hole at (9, 14).
// A spike of s has kappa 4s and lifts its four neighbours to s.
struct SpikeGrid {
    std::vector<float> values = std::vector<float>(20 * 24, 100.0f);
    std::vector<const float*> rows;
    SpikeGrid()
    {
        for (auto [r, c, rise] : {std::tuple{5, 5, 10}, {5, 9, 5}, {12, 18, 3}, {12, 3, 3}, {16, 10, 3}})
            at(r, c) += float(rise);
        at(9, 14) = -9999;
        for (int r = 0; r < 20; r++)
            rows.push_back(&values[r * 24]);
    }
    float& at(int r, int c) { return values[r * 24 + c]; }
    GridView view(bool mask) const
    {
        GridView v;
        v.rows = rows.data();
        v.nrows = 20;
        v.ncols = 24;
        v.xllcorner = 1000;
        v.yllcorner = 2000;
        v.cellsize = v.groundX = v.groundY = 10;
        v.maskValue = mask;
        v.nodata = -9999;
        return v;
    }
};

struct Expected {
    int row, col;
    float value;
    int level, cells;
};

void expectPlaces(const std::vector<Place>& places, const std::vector<Expected>& expected)
{
    ASSERT_EQ(places.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); i++) {
        const Place& p = places[i];
        const Expected& e = expected[i];
        EXPECT_EQ(std::tuple(p.rank, p.row, p.col, p.value(), p.level(), p.cells),
                  std::tuple(int(i) + 1, e.row, e.col, e.value, e.level, e.cells));
    }
}

TEST(WorstPlacesTest, CurvatureBlundersMakeOnePlaceEach)
{
    const SpikeGrid grid;
    struct Case {
        float unit;
        int n;
        bool mask;
        std::vector<Expected> places;
    } cases[] = {
        // (5, 8) joins the first place within 3, not the nearer (5, 9); the three equal
        // spikes come by row, then column.
        {1, 10, true, {{5, 5, 40, 3, 6}, {5, 9, 20, 3, 4}, {12, 3, 12, 3, 5}, {12, 18, 12, 3, 5}, {16, 10, 12, 3, 5}}},
        {1, 2, true, {{5, 5, 40, 3, 6}, {5, 9, 20, 3, 4}}},
        // A neighbour at exactly the unit is level 0 and joins nothing.
        {5, 10, true, {{5, 5, 40, 3, 5}, {5, 9, 20, 3, 1}, {12, 3, 12, 2, 1}, {12, 18, 12, 2, 1}, {16, 10, 12, 2, 1}}},
        // Unmasked, the hole is the worst blunder of all, and takes (12, 17) from (12, 18).
        {1, 10, false, {{9, 14, 4 * 10099.0f, 3, 6}, {5, 5, 40, 3, 6}, {5, 9, 20, 3, 4}, {12, 3, 12, 3, 5},
                        {12, 18, 12, 3, 4}, {16, 10, 12, 3, 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "unit " << c.unit << ", n " << c.n << ", mask " << c.mask);
        WorstPlacesInput in;
        in.dem = grid.view(c.mask);
        in.unit = c.unit;
        expectPlaces(worstPlaces(in, PlaceKind::curvature, c.n), c.places);
    }
    WorstPlacesInput in;
    in.dem = grid.view(true);
    const std::vector<Place> places = worstPlaces(in, PlaceKind::curvature, 4);
    ASSERT_EQ(places.size(), 4u);
    // x = 1000 + (c + 0.5) 10, y = 2000 + (20 - r - 0.5) 10
    EXPECT_EQ(std::make_pair(places[0].x, places[0].y), std::make_pair(1055.0, 2145.0));
    EXPECT_EQ(std::make_pair(places[3].x, places[3].y), std::make_pair(1185.0, 2075.0));
    EXPECT_EQ(places[0].height, 110.0f);
    EXPECT_TRUE(worstPlaces(in, PlaceKind::curvature, 0).empty());
    EXPECT_TRUE(worstPlaces(in, PlaceKind::difference, 5).empty());  // no comparison set
}

TEST(WorstPlacesTest, DifferencesGradedInSinglePrecision)
{
    SpikeGrid grid;
    SpikeGrid comparison;
    std::fill(comparison.values.begin(), comparison.values.end(), 0.0f);
    // d = 5, -3, 1, 2, -2, 0.5 and 3 against interval 20: 3 / 20 and 1 / 20 as floats lie
    // above 0.15 and 0.05; (0, 0) lies exactly 3 rows and columns from (3, 3).
    for (auto [r, c, value] : {std::tuple{3, 3, 95.0f}, {3, 4, 103.0f}, {3, 5, 99.0f}, {0, 0, 98.0f}, {10, 0, 102.0f},
                               {2, 2, 99.5f}, {16, 10, 100.0f}})
        comparison.at(r, c) = value;
    const GridView compared = comparison.view(false);
    WorstPlacesInput in;
    in.dem = grid.view(true);
    in.comparison = &compared;
    in.interval = 20;
    const std::vector<Place> places = worstPlaces(in, PlaceKind::difference, 10);
    expectPlaces(places, {{3, 3, 5, 4, 4}, {16, 10, 3, 3, 1}, {10, 0, -2, 2, 1}});
    ASSERT_EQ(places.size(), 3u);
    EXPECT_TRUE(places[0].hasCurvature && places[0].curvature == 0);
    EXPECT_TRUE(places[1].curvature == 12 && places[1].curvatureLevel == 3);
    EXPECT_FALSE(places[2].hasCurvature);  // the first column
    // The other kind's figures of a curvature place, with and without comparison data.
    const std::vector<Place> curvature = worstPlaces(in, PlaceKind::curvature, 5);
    ASSERT_EQ(curvature.size(), 5u);
    EXPECT_FALSE(curvature[0].hasDifference);
    EXPECT_TRUE(curvature[4].hasDifference && curvature[4].difference == 3 && curvature[4].differenceLevel == 3);
}

TEST(WorstPlacesTest, CellFiguresOfAnyPoint)
{
    SpikeGrid grid, comparison;
    std::fill(comparison.values.begin(), comparison.values.end(), 0.0f);
    comparison.at(5, 6) = comparison.at(19, 23) = 120;
    const GridView compared = comparison.view(false);
    WorstPlacesInput in{grid.view(true), &compared, 4, 20};
    const struct {
        int r, c;
        std::tuple<double, double, float> at;  // x, y, height
        std::tuple<bool, float, int> curvature, difference;
    } cases[] = {
        {5, 5, {1055, 2145, 110}, {true, 40, 3}, {false, 0, 0}},
        {5, 6, {1065, 2145, 100}, {true, 10, 2}, {true, -20, 4}},   // beside the spike, compared
        {0, 7, {1075, 2195, 100}, {false, 0, 0}, {false, 0, 0}},    // the first row
        {19, 23, {1235, 2005, 100}, {false, 0, 0}, {false, 0, 0}},  // no cell's first corner
        {9, 13, {1135, 2105, 100}, {false, 0, 0}, {false, 0, 0}},   // masked beside the hole
    };
    for (const auto& e : cases) {
        SCOPED_TRACE(std::to_string(e.r) + ", " + std::to_string(e.c));
        const Place p = cellFigures(in, e.r, e.c);
        EXPECT_EQ(std::tuple(p.row, p.col, p.cells, std::tuple(p.x, p.y, p.height)), std::tuple(e.r, e.c, 1, e.at));
        EXPECT_EQ(std::tuple(p.hasCurvature, p.curvature, p.curvatureLevel), e.curvature);
        EXPECT_EQ(std::tuple(p.hasDifference, p.difference, p.differenceLevel), e.difference);
    }
}

// The places of random integer grids, whose figures every arithmetic gives exactly,
// against the passes' own levels and a plain grouping of all their graded cells.
class WorstPlacesRandomTest : public ModelTest {};

std::vector<Expected> referencePlaces(const std::vector<float>& h, int rows, int cols, PlaceKind kind,
                                      const std::vector<float>& comparison, int n)
{
    const auto& levels = kind == PlaceKind::curvature ? mt.curveLevels : mt.diffLevels;
    std::vector<Expected> cells;
    for (int r = 0; r + 1 < rows; r++)
        for (int c = 0; c + 1 < cols; c++) {
            const int level = levels[std::size_t(r) * (cols - 1) + c];
            auto z = [&](int i, int j) { return int(h[std::size_t(i) * cols + j]); };
            if (level > 0)
                cells.push_back({r, c,
                                 kind == PlaceKind::curvature
                                     ? float(std::abs(z(r - 1, c) + z(r + 1, c) + z(r, c - 1) + z(r, c + 1) -
                                                      4 * z(r, c)))
                                     : h[std::size_t(r) * cols + c] - comparison[std::size_t(r) * cols + c],
                                 level, 1});
        }
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Expected& a, const Expected& b) { return std::fabs(a.value) > std::fabs(b.value); });
    std::vector<Expected> places;
    for (const Expected& cell : cells) {
        auto joined = std::find_if(places.begin(), places.end(), [&](const Expected& p) {
            return std::abs(p.row - cell.row) <= 3 && std::abs(p.col - cell.col) <= 3;
        });
        if (joined != places.end())
            joined->cells++;
        else
            places.push_back(cell);
    }
    places.resize(std::min<std::size_t>(places.size(), std::size_t(n)));
    return places;
}

TEST_F(WorstPlacesRandomTest, AgreesWithThePassesAndAPlainGrouping)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const int rows = 30, cols = 40;
    std::vector<float> h(rows * cols), g(rows * cols);
    for (float& v : h)
        v = float(random() % 12 + 100);
    for (float& v : g)
        v = random() % 3 == 0 ? 0.0f : float(random() % 12 + 100);
    h[7 * cols + 9] = -1;  // a hole, masked
    setGrid(mt, rows, cols, h);
    mt.nodata_value = -1;
    mt.hasNodata = true;
    setGrid(rd, rows, cols, g);
    rd.setContourInt(40);
    units = 2.5f;
    allocated = false;
    changeOptions(true, false);
    rebuild(1, true);
    for (PlaceKind kind : {PlaceKind::curvature, PlaceKind::difference})
        for (int n : {1, 3, 8, 60}) {
            SCOPED_TRACE(testing::Message() << placeKindName(kind) << ", n " << n);
            const GridView compared = rd.view();
            WorstPlacesInput in;
            in.dem = mt.view();
            in.comparison = &compared;
            in.unit = units;
            in.interval = rd.getContourInt();
            expectPlaces(worstPlaces(in, kind, n), referencePlaces(h, rows, cols, kind, g, n));
        }
}

}  // namespace
