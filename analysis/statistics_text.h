#pragma once
// The statistics report as text: the Statistics window shows it and karvo-report
// prints it, so both read the same numbers in the same layout.

#include <string>

struct Statistics {
    int rows = 0;
    int cols = 0;
    float totalSq = 0;
    float maxCurve = 0;
    int c15 = 0, c10 = 0, c5 = 0, c = 0;  // curvature level counts, level 3 first
    double unit = 1.0;                    // the curvature unit the levels were graded by
    bool comparison = false;              // print the comparison section
    int contourInterval = 0;
    int d20 = 0, d15 = 0, d10 = 0, d5 = 0, d = 0;  // difference level counts, level 4 first
    bool hasRmse = false;  // false when no point carries comparison data: prints "n/a"
    float rmse = 0;
};

// The published results of the last passes on mt and rd.
Statistics currentStatistics(double unit, bool comparison);

std::string statisticsText(const Statistics& s);

// Numbers are aligned into a column by putting one pair of spaces before the number for
// every character it is shorter than width.
std::string padded(const std::string& number, int width);
