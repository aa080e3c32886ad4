#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/exact_sum.h"

namespace {

TEST(ExactSum, CancellationAndOrderLoseNothing)
{
    ExactSum a;
    for (double v : {1e16, 1.0, -1e16, 0x1p-60})
        a.add(v);
    EXPECT_EQ(a.value(), 1.0 + 0x1p-60);
    ExactSum tenths;
    for (int i = 0; i < 10; i++)
        tenths.add(0.1);
    EXPECT_EQ(tenths.value(), 1.0);  // a running double sum gives 0.9999999999999999

    // The sum of two halves, in any order, is the sum of the whole, bit for bit.
    std::vector<double> values;
    std::uint32_t state = 99;
    for (int i = 0; i < 5000; i++) {
        state = state * 1664525u + 1013904223u;
        values.push_back((double(state) - 2147483648.0) * (i % 7 == 0 ? 1e9 : 1e-3));
    }
    ExactSum whole, first, second;
    for (double v : values)
        whole.add(v);
    std::reverse(values.begin(), values.end());
    for (std::size_t i = 0; i < values.size(); i++)
        (i % 3 == 0 ? first : second).add(values[i]);
    second.add(first);
    EXPECT_EQ(second.value(), whole.value());
    ExactSum copy;
    for (double p : whole.partials())
        copy.add(p);
    EXPECT_EQ(copy.value(), whole.value());
}

TEST(ExactSum, ProductsAndTiesRoundOnce)
{
    ExactSum s;
    s.addProduct(1.0 + 0x1p-30, 1.0 + 0x1p-30);  // 1 + 2^-29 + 2^-60: the last bit beyond a double
    s.add(-1.0);
    EXPECT_EQ(s.value(), 0x1p-29 + 0x1p-60);
    ExactSum tie;  // 1 + 2^-53 lies halfway: ties to even, unless a later bit breaks the tie
    tie.add(1.0);
    tie.add(0x1p-53);
    EXPECT_EQ(tie.value(), 1.0);
    tie.add(0x1p-80);
    EXPECT_EQ(tie.value(), 1.0 + 0x1p-52);
}

TEST(ExactSum, InfinitiesAndNaNsAddAsInADoubleSum)
{
    ExactSum overflow;
    overflow.add(0x1p-60);
    overflow.add(1.7e308);
    overflow.add(1.7e308);
    EXPECT_EQ(overflow.value(), HUGE_VAL);
    overflow.add(-HUGE_VAL);
    EXPECT_TRUE(std::isnan(overflow.value()));
    FloatSquareSum squares;
    squares.add(3.4e38f);  // a float's square is far inside the double range
    squares.add(HUGE_VALF);
    squares.add(1.0f);
    EXPECT_EQ(squares.total().value(), HUGE_VAL);
}

TEST(FloatSquareSum, IsTheExactSumOfTheSquares)
{
    FloatSquareSum fast;
    ExactSum exact;
    for (int i = 0; i < 100000; i++) {
        const float x = float(i % 977) * 1.37f + float(i % 13) * 1e-4f;
        fast.add(x);
        exact.add(double(x) * double(x));
    }
    EXPECT_EQ(fast.total().value(), exact.value());
}

}  // namespace
