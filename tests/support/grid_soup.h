#pragma once
// Random text for comparing the grid reader with the standard stream operators: number
// tokens in every form operator>> meets (signs, leading zeros, exponents, mantissas of
// hundreds of digits, values next to the float range's ends and halfway between two
// floats), partial and foreign tokens, and any whitespace between them, or none.

#include <random>
#include <string>

class GridSoup {
public:
    explicit GridSoup(unsigned seed) : random(seed) {}

    std::string height();     // one token that is mostly a number
    std::string integer();    // one token for an int header value
    std::string junk();       // a token operator>> stops in or refuses
    std::string separator();  // whitespace of any kind, rarely none at all
    // count tokens joined by separators; share of junk tokens in [0, 1].
    std::string heights(int count, double junkShare);

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }

private:
    std::string digits(int count);
    std::string randomFloatText();
    std::string halfway();
    std::mt19937 random;
};
