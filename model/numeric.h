#pragma once
// Conversions from float heights to ints. Heights may be anything a float holds, and a
// float-to-int conversion outside the int range is undefined, so these saturate.

#include <cstdint>
#include <limits>

// Truncation toward zero, saturating at the int range; NaN gives 0.
inline int truncateToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

inline int saturatingDifference(int a, int b)
{
    const std::int64_t d = std::int64_t(a) - b;
    if (d > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (d < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(d);
}
