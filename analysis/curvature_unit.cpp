#include "analysis/curvature_unit.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The bit pattern of |v|; for non-negative floats the patterns sort as the values do, and
// every NaN lies above infinity's.
inline std::uint32_t magnitudeBits(float v)
{
    v = std::fabs(v);
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

const std::uint32_t infinityBits = 0x7f800000u;

// Order statistics of the magnitudes that are not NaN, found by counting bit patterns
// (upper 16 bits, then the lower 16 within one upper bucket) without moving the values
// or copying them: a 10000 x 10000 grid's values fill 400 MB.
class OrderStatistics {
public:
    OrderStatistics(const float* values, std::size_t count) : values(values), count(count), upper(1u << 16)
    {
        for (std::size_t i = 0; i < count; i++) {
            const std::uint32_t bits = magnitudeBits(values[i]);
            if (bits <= infinityBits)
                upper[bits >> 16]++;
        }
        for (std::uint64_t n : upper)
            total += n;
    }
    std::uint64_t size() const { return total; }

    // The k-th smallest, from 0; k < size().
    float at(std::uint64_t k) const
    {
        const std::uint32_t high = bucketHolding(upper, k);
        std::vector<std::uint64_t> lower(1u << 16);
        for (std::size_t i = 0; i < count; i++) {
            const std::uint32_t bits = magnitudeBits(values[i]);
            if (bits >> 16 == high)
                lower[bits & 0xffffu]++;
        }
        const std::uint32_t bits = high << 16 | bucketHolding(lower, k);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }

private:
    // The bucket holding the k-th counted value; k becomes its rank within the bucket.
    static std::uint32_t bucketHolding(const std::vector<std::uint64_t>& counts, std::uint64_t& k)
    {
        std::uint32_t b = 0;
        while (k >= counts[b])
            k -= counts[b++];
        return b;
    }

    const float* values;
    std::size_t count;
    std::vector<std::uint64_t> upper;
    std::uint64_t total = 0;
};

}  // namespace

double twoSignificantDigits(double x)
{
    // The shortest form that reads back as x, "d.ddde-XX": its decimal digits are what the
    // user reads, where x's binary value lies a little above or below them.
    if (!(x > 0) || !std::isfinite(x))
        return x;
    char text[40];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text - 1, x, std::chars_format::scientific);
    *end.ptr = '\0';
    char* e = std::strchr(text, 'e');
    const int exponent = std::atoi(e + 1);
    std::string digits;
    for (const char* p = text; p < e; p++)
        if (*p != '.')
            digits += *p;
    digits.resize(3, '0');
    int two = (digits[0] - '0') * 10 + (digits[1] - '0');
    if (digits[2] >= '5')
        two++;
    char rounded[32];
    std::snprintf(rounded, sizeof rounded, "%de%d", two, exponent - 1);
    return std::strtod(rounded, nullptr);
}

CurvatureUnitFit fitCurvatureUnit(const float* values, std::size_t count)
{
    CurvatureUnitFit fit;
    const OrderStatistics sorted(values, count);
    const std::uint64_t n = sorted.size();
    fit.values = static_cast<long long>(n);
    if (n == 0)
        return fit;
    const double h = double(n - 1) * 0.99;
    const std::uint64_t below = static_cast<std::uint64_t>(std::floor(h));
    const double low = sorted.at(below);
    const double high = below + 1 < n ? sorted.at(below + 1) : low;
    fit.percentile = low == high ? low : low + (h - double(below)) * (high - low);
    if (!(fit.percentile > 0) || !std::isfinite(fit.percentile))
        return fit;
    const float unit = static_cast<float>(twoSignificantDigits(fit.percentile / 3));
    if (!std::isnormal(unit))
        return fit;
    fit.unit = unit;
    fit.fitted = true;
    return fit;
}
