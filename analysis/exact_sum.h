#pragma once
// Sums of doubles without rounding: the sum is held as a few non-overlapping partials
// (Shewchuk's expansions) and rounded once, correctly, when it is read. The order the
// values come in changes nothing, so the sums of the parts of a grid, added together,
// give the sum of the whole to the last bit.

#include <cstdint>
#include <vector>

class ExactSum {
public:
    // Most values come to a running double sum without a rounding error (heights and their
    // differences have few bits): the error of each addition (Knuth's TwoSum) goes to the
    // partials only when it is not 0.
    void add(double x)
    {
        const double sum = head + x;
        const double taken = sum - head;
        const double error = (head - (sum - taken)) + (x - taken);
        head = sum;
        // An infinity or a NaN stays in the head alone, as in a double sum.
        if (error != 0 && sum - sum == 0)
            grow(error);
    }
    // a x b, exactly: the product and its rounding error are both added.
    void addProduct(double a, double b);
    void add(const ExactSum& other);
    // The exact sum rounded to the nearest double (ties to even).
    double value() const;
    // The partials, smallest first; their exact sum is the sum, so a sum written as its
    // partials and read back by adding them is the same sum.
    std::vector<double> partials() const;

private:
    void grow(double x);  // adds x to the partials
    double head = 0;
    std::vector<double> parts;  // the rounding errors of the head's additions, as partials
};

// Squares of floats, summed exactly and fast: a float's square is exact in a double, and
// 32 squares of one float exponent add exactly in a double before its bits run out, so
// they are gathered by exponent and handed to an ExactSum only then.
class FloatSquareSum {
public:
    void add(float x)
    {
        const double square = double(x) * double(x);
        std::uint32_t bits = 0;
        __builtin_memcpy(&bits, &x, sizeof bits);
        const unsigned exponent = (bits >> 23) & 0xff;
        bins[exponent] += square;
        if (++counts[exponent] == 32)
            flush(exponent);
    }
    void add(const FloatSquareSum& other);
    // The whole sum, its bins flushed.
    ExactSum total() const;

private:
    void flush(unsigned exponent);
    double bins[256] = {};
    std::uint8_t counts[256] = {};
    ExactSum sum;
};
