#include "analysis/exact_sum.h"

#include <cmath>

// Shewchuk's grow-expansion, with zero partials dropped, as msum keeps them.
void ExactSum::grow(double x)
{
    std::size_t kept = 0;
    for (double y : parts) {
        if (std::fabs(x) < std::fabs(y)) {
            const double t = x;
            x = y;
            y = t;
        }
        const double high = x + y;
        const double low = y - (high - x);
        if (low != 0)
            parts[kept++] = low;
        x = high;
    }
    parts.resize(kept);
    parts.push_back(x);
}

void ExactSum::addProduct(double a, double b)
{
    const double product = a * b;
    add(product);
    const double error = std::fma(a, b, -product);
    if (error != 0)  // most products of differences of floats are exact
        add(error);
}

void ExactSum::add(const ExactSum& other)
{
    add(other.head);
    for (double p : other.parts)
        add(p);
}

std::vector<double> ExactSum::partials() const
{
    if (!std::isfinite(head))
        return {head};
    ExactSum all = *this;
    all.grow(all.head);
    return all.parts;
}

// From the largest partial down, as fsum rounds: the first partial that does not vanish
// in the running sum decides, and a tie is broken by the sign of the partial below it.
double ExactSum::value() const
{
    if (parts.empty() || !std::isfinite(head))
        return head;
    if (head != 0) {
        ExactSum all = *this;
        all.head = 0;
        all.grow(head);
        return all.value();
    }
    std::size_t n = parts.size();
    double high = parts[--n];
    double low = 0;
    while (n > 0) {
        const double x = high;
        const double y = parts[--n];
        high = x + y;
        const double yr = high - x;
        low = y - yr;
        if (low != 0)
            break;
    }
    if (n > 0 && ((low < 0 && parts[n - 1] < 0) || (low > 0 && parts[n - 1] > 0))) {
        const double y = low * 2;
        const double x = high + y;
        if (y == x - high)
            high = x;
    }
    return high;
}

void FloatSquareSum::flush(unsigned exponent)
{
    sum.add(bins[exponent]);
    bins[exponent] = 0;
    counts[exponent] = 0;
}

void FloatSquareSum::add(const FloatSquareSum& other)
{
    sum.add(other.total());
}

ExactSum FloatSquareSum::total() const
{
    ExactSum whole = sum;
    for (double bin : bins)
        if (bin != 0)
            whole.add(bin);
    return whole;
}
