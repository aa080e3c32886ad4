#pragma once
// The numbers behind the bar graphs, apart from any window: the 25 bins of the curvature
// and difference values, the big height class filter, and the bar and axis layout.

#include <vector>

const int GRAPH_BINS = 25;

// Sorts count values into 25 bins of width inc = (max - min) / 25 (a float) and returns
// a new array of the 25 counts, owned by the caller; range receives max - min. Prints min,
// then "r" range " inc" inc, each on its own line, in the stream's default format.
// Bins are left-open: bin 0 takes v <= min + inc, bin j - 1 takes
// min + (j - 1) inc < v <= min + j inc. A value above min + 25 inc (inc is rounded) or
// NaN falls in no bin.
int* arrangeDiff(int count, float max, float min, float* values, float& range);

// smallest and largest of exactly 25 counts.
void findminmax(int& smallest, int& largest, int* counts);

// largest and smallest of the first n counts; both untouched when n is 0 or less.
void getInfo(int& largest, int& smallest, int& n, int* counts);

// The big class filter: with average = (sum of the n counts) / n in integers, a class
// whose count is at least 1.25 x average becomes 0 and sets big (which is never cleared
// here). Returns a new array of n counts owned by the caller; newLargest receives the
// largest count that was kept (0 when none, or when n is 0 or less).
int* editClasses(int& newLargest, int& n, int* counts, bool& big);

// Bar width in graph units: 6 up to 25 bars, else 150 / n (0 above 150 bars).
int barWidth(int n);

// The count that the top of the scale stands for, R = M - (M mod 100) + 100 for the
// largest count M: the next multiple of 100 above M. The bars and the Y-axis numbers
// both use it, so the numbers sit at the scale's ticks.
long long barScale(int largest);

// Y-axis numbers: 0, R / 10, 2 R / 10, ... while below the largest count.
std::vector<int> yAxisNumbers(int largest);
