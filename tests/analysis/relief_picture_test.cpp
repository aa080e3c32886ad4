#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "analysis/page_figures.h"
#include "analysis/relief_picture.h"
#include "model/colour_codes.h"
#include "tests/support/png_pictures.h"

namespace {

const Rgb8 yellow{255, 255, 51}, orange{255, 153, 51}, red{255, 0, 51}, violet{255, 51, 255};
const Rgb8 flat{181, 181, 181};  // 40 + 200 sqrt(1/2)

struct TestGrid {
    std::vector<float> heights;
    std::vector<const float*> rows;
    GridView view;
    TestGrid(int nrows, int ncols, double gx, double gy, const std::function<float(int, int)>& h)
        : heights(std::size_t(nrows) * ncols)
    {
        for (int r = 0; r < nrows; r++)
            for (int c = 0; c < ncols; c++)
                heights[std::size_t(r) * ncols + c] = h(r, c);
        for (int r = 0; r < nrows; r++)
            rows.push_back(heights.data() + std::size_t(r) * ncols);
        view.rows = rows.data();
        view.nrows = nrows;
        view.ncols = ncols;
        view.cellsize = view.groundX = gx;
        view.groundY = gy;
    }
};

TEST(ReliefPictureTest, LevelColoursAreTheViewersCodesInBytes)
{
    const struct {
        int code;
        Rgb8 rgb;
    } cases[] = {{RED, red}, {ORANGE, orange}, {YELLOW, yellow}, {VIOLET, violet}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(colourOfCode(c.code), c.rgb);
    }
    EXPECT_EQ(curvatureLevelColours()[3], red);
    EXPECT_EQ(differenceLevelColours()[4], violet);
}

// A reduced picture of a grid wider than 1600 cells, read back from its PNG file: every
// pixel covers cells of level 1 and 2, and each level-3 cell stays red where it lies.
TEST(ReliefPictureTest, AReducedPictureKeepsEveryWorstCell)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const int rows = 2000, cols = 3300;  // cells
    const TestGrid grid(rows + 1, cols + 1, 10, 10, [](int, int c) { return 0.5f * c; });
    std::vector<std::uint8_t> levels(std::size_t(rows) * cols);
    for (auto& l : levels)
        l = static_cast<std::uint8_t>(1 + random() % 2);
    std::vector<std::pair<int, int>> worst;
    for (int i = 0; i < 40; i++) {
        worst.push_back({int(random() % rows), int(random() % cols)});
        levels[std::size_t(worst.back().first) * cols + worst.back().second] = 3;
    }
    const ReliefPicture p = reliefPicture(grid.view, curvatureOverlay(levels.data(), levels.size()));
    std::string why;
    const Picture decoded = decodePng(pngOf(p.picture, why));
    ASSERT_EQ(decoded.width, 1600) << why;
    EXPECT_NEAR(decoded.height, rows * 1600.0 / cols, 1);
    EXPECT_EQ(decoded.rgb, p.picture.rgb);

    int redPixels = 0;
    for (int y = 0; y < decoded.height; y++)
        for (int x = 0; x < decoded.width; x++) {
            const Rgb8 colour = decoded.at(x, y);
            ASSERT_TRUE(colour == yellow || colour == orange || colour == red) << x << ", " << y;
            redPixels += colour == red;
        }
    EXPECT_GE(redPixels, 1);
    EXPECT_LE(redPixels, 40);
    // Cell c lies in pixel floor(c w / W) or the one after it.
    for (const auto& [r, c] : worst) {
        const int x = int(std::int64_t(c) * decoded.width / cols), y = int(std::int64_t(r) * decoded.height / rows);
        bool found = false;
        for (int dy = 0; dy <= 1; dy++)
            for (int dx = 0; dx <= 1; dx++)
                found = found || (x + dx < decoded.width && y + dy < decoded.height && decoded.at(x + dx, y + dy) == red);
        EXPECT_TRUE(found) << "cell " << r << ", " << c;
    }
}

// Planes h = p x + q y (x east, y north) with cells of 2 m east-west and 3 m north-south:
// shade = (p / 2 - q / 2 + sqrt(1/2)) / sqrt(1 + p^2 + q^2), grey = 40 + 200 shade.
TEST(ReliefPictureTest, PlanesAreShadedFromTheNorthWest)
{
    const struct {
        double p, q, exaggeration;
        float shade;
        int grey;
    } cases[] = {
        {0, 0, 1, 0.70711f, 181},     // flat
        {1, -1, 1, 0.98560f, 237},    // facing the sun: rises to the south-east
        {-1, 1, 1, 0, 40},            // facing away
        {-1, 0, 1, 0.14645f, 69},     // facing east
        {0.5, 0, 2, 0.85355f, 211},   // facing west, exaggerated to p = 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.p) + ", " + std::to_string(c.q));
        const TestGrid grid(4, 4, 2, 3, [&](int r, int col) { return float(c.p * 2 * col - c.q * 3 * r); });
        EXPECT_NEAR(cellShade(grid.view.at(0, 0), grid.view.at(0, 1), grid.view.at(1, 0), grid.view.at(1, 1) ,
                              2 / c.exaggeration, 3 / c.exaggeration),
                    c.shade, 1e-4);
        ReliefStyle style;
        style.exaggeration = c.exaggeration;
        const ReliefPicture p = reliefPicture(grid.view, {}, style);
        ASSERT_EQ(p.picture.width, 3 * 8);  // three cells, enlarged eight times at most
        for (const auto& [x, y] : {std::pair{0, 0}, {12, 12}, {23, 23}})
            EXPECT_EQ(p.picture.at(x, y), (Rgb8{std::uint8_t(c.grey), std::uint8_t(c.grey), std::uint8_t(c.grey)}));
    }
}

TEST(ReliefPictureTest, CellsTouchingNoHeightAreNeutral)
{
    const struct {
        bool mask;
        float value;
    } cases[] = {{true, -9999}, {false, NAN}, {false, INFINITY}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        TestGrid grid(5, 5, 1, 1, [&](int r, int col) { return r == 2 && col == 2 ? c.value : 100.0f; });
        grid.view.maskValue = c.mask;
        grid.view.nodata = -9999;
        const ReliefPicture p = reliefPicture(grid.view, {});
        ASSERT_EQ(p.picture.width, 4 * 8);
        for (int r = 0; r < 4; r++)
            for (int col = 0; col < 4; col++) {
                const bool touches = (r == 1 || r == 2) && (col == 1 || col == 2);
                EXPECT_EQ(p.picture.at(col * 8 + 4, r * 8 + 4), touches ? reliefNoData : flat)
                    << r << ", " << col;
            }
    }
}

TEST(ReliefPictureTest, PlacesAreWindowsClippedAtTheBorders)
{
    const TestGrid grid(100, 80, 1, 1, [](int, int) { return 0.0f; });  // 99 x 79 cells
    const struct {
        int row, col;
        int firstRow, firstCol, rows, cols;  // rows 0: no picture
    } cases[] = {
        {50, 40, 18, 8, 64, 64}, {1, 1, 0, 0, 33, 33}, {98, 78, 66, 46, 33, 33}, {0, 78, 0, 46, 32, 33},
        {99, 10, 0, 0, 0, 0},    {-1, 5, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + ", " + std::to_string(c.col));
        std::vector<std::uint8_t> levels(99 * 79, 0);
        if (c.rows > 0)
            levels[std::size_t(c.row) * 79 + c.col] = 4;
        const ReliefPicture p = placePicture(grid.view, differenceOverlay(levels.data(), levels.size()), c.row, c.col);
        EXPECT_EQ(p.picture.empty(), c.rows == 0);
        if (c.rows == 0)
            continue;
        EXPECT_EQ(p.firstRow, c.firstRow);
        EXPECT_EQ(p.firstCol, c.firstCol);
        EXPECT_EQ(p.picture.width, c.cols * 4);
        EXPECT_EQ(p.picture.height, c.rows * 4);
        const int x = (c.col - c.firstCol) * 4 + 2, y = (c.row - c.firstRow) * 4 + 2;
        EXPECT_EQ(p.picture.at(x, y), violet);
        EXPECT_EQ(p.picture.at(x - 4, y), flat);  // a neighbour
        if (x >= 12) {  // the ring two cells out, edged white
            EXPECT_EQ(p.picture.at(x - 10, y), placeMarker);
            EXPECT_EQ(p.picture.at(x - 12, y), (Rgb8{255, 255, 255}));
        }
    }
}

TEST(ReliefPictureTest, LevelsOfAnotherSizeAreNotDrawn)
{
    const TestGrid grid(6, 6, 1, 1, [](int, int) { return 0.0f; });
    const std::vector<std::uint8_t> levels(24, 3);  // 25 cells
    const ReliefPicture p = reliefPicture(grid.view, curvatureOverlay(levels.data(), levels.size()));
    ASSERT_FALSE(p.picture.empty());
    EXPECT_EQ(p.picture.at(0, 0), flat);
    EXPECT_TRUE(reliefPicture(TestGrid(1, 6, 1, 1, [](int, int) { return 0.0f; }).view, {}).picture.empty());
}

}  // namespace
