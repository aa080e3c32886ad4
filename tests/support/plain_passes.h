#pragma once
// The curvature and difference passes worked out from their formulas one cell at a time,
// as someone checking the program by hand would, beside what the passes published: the
// reference the tests compare the passes with.

#include <cstdint>
#include <string>
#include <vector>

// The figures of both passes over one grid, with the cells' levels and the RMSE.
struct PassFigures {
    std::vector<float> curvature;  // kappa of every graded cell, in pass order
    float curvatureMin = 0, maxCurve = 0, totalSq = 0;
    int curveCounts[4] = {0, 0, 0, 0};      // level 3 first
    std::vector<std::uint8_t> curveLevels;  // per cell, in row order
    std::vector<float> differences;         // d = DEM - comparison, in pass order
    float differenceMin = 0, differenceMax = 0;
    int diffCounts[5] = {0, 0, 0, 0, 0};  // level 4 first
    std::vector<std::uint8_t> diffLevels;
    bool hasRmse = false;
    float rmse = 0;
};

// h and g hold rows x cols values in row order, g none without comparison data; no point
// is masked.
PassFigures plainPasses(int rows, int cols, const std::vector<float>& h, const std::vector<float>& g, float unit,
                        int interval);

// What the last passes on mt published, and the RMSE of rd.
PassFigures publishedFigures();

// The first figure in which got and want differ, bit for bit, or "". The difference
// figures and the RMSE count only withDifference; the levels always.
std::string firstDifference(const PassFigures& got, const PassFigures& want, bool withDifference);
