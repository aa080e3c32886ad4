#include "view/colours.h"

#include <cstdint>

Rgb decodeColour(int code)
{
    return {(code / 10000) / 10.0f, ((code % 10000) / 100) / 10.0f, (code % 100) / 10.0f};
}

Rgb heightRamp(int zmax, int zmin, int height)
{
    // Differences of saturated heights may not fit an int.
    const std::int64_t third = (std::int64_t(zmax) - zmin) / 3;
    const std::int64_t d = std::int64_t(height) - zmin;
    if (third <= 0)
        return {0, 0.3f, 0};
    if (d < third)
        return {0, static_cast<float>(0.3 + 0.7 * double(d) / double(third)), 0};
    if (d < 2 * third)
        return {static_cast<float>(double(d - third) / double(third)), 1, 0};
    return {1, static_cast<float>(1 - double(d - 2 * third) / double(third)), 0};
}

float heightClassRed(int count, int classMin, int classMax)
{
    const std::int64_t span = std::int64_t(classMax) - classMin;
    if (span == 0)
        return 0.2f;
    return static_cast<float>(double(std::int64_t(count) - classMin) / double(span) * 0.8 + 0.2);
}
