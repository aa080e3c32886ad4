#include "tests/support/grid_soup.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

std::string print(const char* format, double value, int precision)
{
    char text[1200];
    std::snprintf(text, sizeof text, format, precision, value);
    return text;
}

}  // namespace

std::string GridSoup::digits(int count)
{
    std::string out;
    for (int i = 0; i < count; i++)
        out += char('0' + below(10));
    return out;
}

// Any finite float, written with enough digits to come back or with fewer.
std::string GridSoup::randomFloatText()
{
    float f;
    do {
        const std::uint32_t bits = static_cast<std::uint32_t>(random());
        std::memcpy(&f, &bits, sizeof f);
    } while (!std::isfinite(f));
    const char* formats[] = {"%.*g", "%.*e", "%.*f"};
    const int which = below(3);
    const int precision = which == 2 ? below(60) : 1 + below(12);
    return print(formats[which], f, precision);
}

// The exact decimal of the point halfway between two neighbouring floats (a double
// holds it exactly), sometimes nudged by one unit in a far digit: where rounding is
// hardest to get right.
std::string GridSoup::halfway()
{
    float f;
    do {
        const std::uint32_t bits = static_cast<std::uint32_t>(random()) & 0x7fffffffu;
        std::memcpy(&f, &bits, sizeof f);
    } while (!std::isfinite(f) || f == FLT_MAX);
    const double middle = (double(f) + double(std::nextafter(f, INFINITY))) / 2;
    std::string text = print("%.*e", middle, 160 + below(200));
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e), exponent = text.substr(e);
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    switch (below(3)) {
    case 0: break;
    case 1: mantissa += std::string(below(40), '0') + "1"; break;
    default:  // one below the exact middle
        for (std::size_t i = mantissa.size(); i-- > 0;) {
            if (mantissa[i] == '.')
                continue;
            if (mantissa[i] > '0') {
                mantissa[i]--;
                break;
            }
            mantissa[i] = '9';
        }
        mantissa += "9999";
    }
    return (chance(0.3) ? "-" : "") + mantissa + exponent;
}

std::string GridSoup::height()
{
    switch (below(12)) {
    case 0:
    case 1:
    case 2: {  // what DEM files hold
        std::string t = chance(0.2) ? "-" : "";
        t += std::to_string(below(9000));
        if (chance(0.8))
            t += "." + digits(1 + below(3));
        return t;
    }
    case 3: {  // signs, leading zeros, points at either end
        const char* signs[] = {"", "", "-", "+"};
        std::string t = signs[below(4)];
        t += std::string(below(4), '0') + digits(below(9));
        if (chance(0.6))
            t += "." + digits(below(12));
        return t.size() > 1 || (t.size() == 1 && t[0] != '+' && t[0] != '-') ? t : t + "7";
    }
    case 4: {  // exponents of every size
        std::string t = (chance(0.3) ? "-" : "") + digits(1 + below(8));
        if (chance(0.5))
            t += "." + digits(below(8));
        const char* marks[] = {"e", "E", "e+", "e-", "E-", "e+0", "e-00"};
        return t + marks[below(7)] + std::to_string(below(60));
    }
    case 5:
        return randomFloatText();
    case 6:
        return halfway();
    case 7: {  // long mantissas
        std::string t = (chance(0.2) ? "-" : "") + digits(1 + below(300));
        if (chance(0.7))
            t += "." + digits(below(300));
        if (chance(0.4))
            t += "e" + std::to_string(below(90) - 60);
        return t;
    }
    case 8: {  // the range's ends: the largest float, overflow, subnormals, underflow
        const char* ends[] = {"3.4028235e38",  "3.40282347e38", "3.40282356e38", "3.40282357e38",
                              "3.4028236e38",  "-3.4028236e+38", "1e38",          "1e39",
                              "-1e39",         "1e-38",          "1.17549435e-38", "1.4e-45",
                              "1.401298e-45",  "7.006492e-46",   "7.006493e-46",  "-7.0064923216240862e-46",
                              "1e-46",         "-1e-50",         "0e999",         "1e-99999",
                              "9e99999",       "1e400",          "-0",            "0.0000000000000000000000001e-30"};
        return ends[below(static_cast<int>(sizeof ends / sizeof *ends))];
    }
    case 9:
        return print("%.*g", std::ldexp(1.0 + below(1000) / 1000.0, -126 - below(24)), 1 + below(20));
    case 10:  // small fractions: many decimals, few significant digits
        return (chance(0.3) ? "-0." : "0.") + std::string(below(12), '0') + digits(1 + below(7));
    default:
        return std::to_string(below(100000)) + "." + digits(below(7));
    }
}

std::string GridSoup::integer()
{
    const char* special[] = {"+7",          "-0",         "000",         "0012",       "2147483647",
                             "2147483648",  "-2147483648", "-2147483649", "4294967296", "9223372036854775807",
                             "9223372036854775808", "-9223372036854775808", "-9223372036854775809",
                             "99999999999999999999999", "+", "-", "+-3", "0x1A", "12abc", "3.5", "1e3", "x"};
    if (chance(0.5))
        return std::to_string(below(5000));
    return special[below(static_cast<int>(sizeof special / sizeof *special))];
}

std::string GridSoup::junk()
{
    const char* tokens[] = {"1e",    "1e+",   "1E-",    "1.5.3", "-",       "+",    "+-1",   "--1",  ".",
                            "-.",    ".e1",   "1e5e5",  "0x1A",  "nan",     "NaN",  "inf",   "-inf", "infinity",
                            "1,5",   "abc",   "1a",     "e5",    "1..2",    "+.5",  "-.5e-3", "3-4", "12abc",
                            "\x80",  "\xc3\xa9", "5\xc2\xa0", "1e+-5", "0.5.", "7e", "--", "N", "n0"};
    std::string t = tokens[below(static_cast<int>(sizeof tokens / sizeof *tokens))];
    if (chance(0.05))
        t += std::string(1, '\0') + "9";
    return t;
}

std::string GridSoup::separator()
{
    if (chance(0.03))
        return "";
    const char spaces[] = {' ', ' ', ' ', '\n', '\t', '\r', '\v', '\f'};
    std::string s(1, spaces[below(8)]);
    while (chance(0.2))
        s += spaces[below(8)];
    return s;
}

std::string GridSoup::heights(int count, double junkShare)
{
    std::string out;
    for (int i = 0; i < count; i++) {
        out += chance(junkShare) ? junk() : height();
        out += separator();
    }
    return out;
}
