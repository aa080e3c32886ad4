#include "dialogs/graph_data.h"

#include <algorithm>
#include <iostream>
#include <sstream>

namespace {

// The stream's default float format, whatever flags std::cout was left with.
std::string plain(float v)
{
    std::ostringstream text;
    text << v;
    return text.str();
}

}  // namespace

int* arrangeDiff(int count, float max, float min, float* values, float& range)
{
    range = max - min;
    const float inc = range / GRAPH_BINS;
    std::cout << plain(min) << std::endl;
    std::cout << "r" << plain(range) << " inc" << plain(inc) << std::endl;

    // edge[j] = min + j inc, the upper bound of bin j - 1; float rounding keeps the edges
    // in order, so the first edge at or above v names its bin.
    float edge[GRAPH_BINS + 1];
    for (int j = 0; j <= GRAPH_BINS; j++)
        edge[j] = min + j * inc;

    int* bins = new int[GRAPH_BINS]();
    if (values == nullptr)
        return bins;
    for (int i = 0; i < count; i++) {
        const float v = values[i];
        if (!(v <= edge[GRAPH_BINS]))
            continue;
        if (v <= edge[1]) {
            bins[0]++;
            continue;
        }
        const int j = int(std::lower_bound(edge + 2, edge + GRAPH_BINS + 1, v) - edge);
        bins[j - 1]++;
    }
    return bins;
}

void findminmax(int& smallest, int& largest, int* counts)
{
    smallest = largest = counts[0];
    for (int i = 1; i < GRAPH_BINS; i++) {
        smallest = std::min(smallest, counts[i]);
        largest = std::max(largest, counts[i]);
    }
}

void getInfo(int& largest, int& smallest, int& n, int* counts)
{
    if (n <= 0)
        return;
    largest = smallest = counts[0];
    for (int i = 1; i < n; i++) {
        largest = std::max(largest, counts[i]);
        smallest = std::min(smallest, counts[i]);
    }
}

int* editClasses(int& newLargest, int& n, int* counts, bool& big)
{
    newLargest = 0;
    if (n <= 0)
        return new int[0];
    long long sum = 0;
    for (int i = 0; i < n; i++)
        sum += counts[i];
    const long long average = sum / n;
    int* kept = new int[n];
    for (int i = 0; i < n; i++) {
        if (counts[i] < 1.25 * double(average)) {
            kept[i] = counts[i];
            newLargest = std::max(newLargest, counts[i]);
        } else {
            kept[i] = 0;
            big = true;
        }
    }
    return kept;
}

int barWidth(int n) { return n <= GRAPH_BINS ? 6 : 150 / n; }

long long barScale(int largest)
{
    const long long m = largest;
    // Counts are never negative; a negative M still gets a scale above 0.
    return m < 0 ? 100 : m - m % 100 + 100;
}

std::vector<int> yAxisNumbers(int largest)
{
    std::vector<int> numbers;
    const long long step = barScale(largest) / 10;
    for (long long p = 0; p < largest; p += step)
        numbers.push_back(int(p));
    return numbers;
}
