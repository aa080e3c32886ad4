#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "analysis/grid_shift.h"

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();

// Bilinear interpolation reproduces a + b r + c c + d r c exactly, so the grid read at any
// position inside the grid points' hull [0, rows - 1] x [0, cols - 1] is this function
// there, and outside it there is no value.
double bilinearSurface(double r, double c) { return 3 + 10 * r + c + 0.5 * r * c; }

TEST(GridShiftTest, ReadsTheSurfaceInsideTheGridAndNothingOutside)
{
    const int rows = 4, cols = 5;
    std::vector<float> v;
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++)
            v.push_back(static_cast<float>(bilinearSurface(r, c)));
    const struct {
        double down, right;
    } shifts[] = {{0, 0}, {0.5, 0.25}, {-1, 2}, {1.75, -0.5}, {-0.3, -1.6}, {3, 4}, {4, 0}, {0, -5}, {nan, 0}, {0, 1e300}};
    for (const auto& s : shifts) {
        SCOPED_TRACE(testing::Message() << "down " << s.down << ", right " << s.right);
        const std::vector<float> out = shiftedGrid(v.data(), rows, cols, s.down, s.right);
        ASSERT_EQ(out.size(), v.size());
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++) {
                const double y = r + s.down, x = c + s.right;
                const float got = out[r * cols + c];
                if (y >= 0 && y <= rows - 1 && x >= 0 && x <= cols - 1)
                    EXPECT_NEAR(got, bilinearSurface(y, x), 1e-4) << r << ", " << c;
                else
                    EXPECT_TRUE(std::isnan(got)) << r << ", " << c;
            }
    }
}

TEST(GridShiftTest, AHoleTakesEveryPointThatWeighsIt)
{
    // Ones with no value at (2, 2); the points listed are those that weigh it.
    const struct {
        double down, right;
        std::vector<int> lost;  // r * 5 + c
    } cases[] = {
        {0, 0, {12}},
        {0.5, 0.5, {6, 7, 11, 12, 20, 21, 22, 23, 24, 4, 9, 14, 19}},
        {1, 0, {7, 20, 21, 22, 23, 24}},
        {0, -0.25, {12, 13, 0, 5, 10, 15, 20}},
    };
    std::vector<float> v(25, 1.0f);
    v[12] = std::numeric_limits<float>::infinity();
    for (const auto& t : cases) {
        SCOPED_TRACE(testing::Message() << "down " << t.down << ", right " << t.right);
        const std::vector<float> out = shiftedGrid(v.data(), 5, 5, t.down, t.right);
        for (int i = 0; i < 25; i++) {
            const bool lost = std::find(t.lost.begin(), t.lost.end(), i) != t.lost.end();
            if (lost)
                EXPECT_TRUE(std::isnan(out[i])) << i;
            else
                EXPECT_FLOAT_EQ(out[i], 1.0f) << i;
        }
    }
}

}  // namespace
