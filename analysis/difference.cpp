// Difference pass. The point looked at for a cell is its first corner (r, c); the last
// row and column of points are not examined. Cells without comparison data are level 0.

#include "analysis/difference.h"

#include <cmath>
#include <cstddef>

#include "model/colour_codes.h"
#include "model/mountain.h"

float* dArray = nullptr;
int dArrayCount = 0;
float dArrayMax = 0;
float dArrayMin = 0;

int D20 = 0;
int D15 = 0;
int D10 = 0;
int D5 = 0;
int D = 0;

void setSparse(int d20, int d15, int d10, int d5, int d)
{
    D20 = d20;
    D15 = d15;
    D10 = d10;
    D5 = d5;
    D = d;
}

int differenceColour(float difference, int contourInterval)
{
    const float q = std::fabs(difference) / static_cast<float>(contourInterval);
    if (q > 0.2)
        return VIOLET;
    if (q > 0.15)
        return RED;
    if (q > 0.1)
        return ORANGE;
    if (q > 0.05)
        return YELLOW;
    return MOUNTAINGREEN;
}

namespace {

int levelIndex(int colour)  // position in diffCounts, level 4 first
{
    switch (colour) {
    case VIOLET: return 0;
    case RED: return 1;
    case ORANGE: return 2;
    case YELLOW: return 3;
    default: return 4;
    }
}

}  // namespace

void mountain::compute_diff_color()
{
    int counts[5] = {0, 0, 0, 0, 0};
    dArrayCount = 0;
    dArrayMax = 0;
    dArrayMin = 0;
    delete[] dArray;
    dArray = new float[static_cast<std::size_t>(nrows > 0 && ncols > 0 ? nrows : 0) *
                       static_cast<std::size_t>(ncols > 0 ? ncols : 0)];

    // Another grid size would index one of the grids outside its bounds: such a
    // comparison set carries no usable data.
    if (this != &mt || !comparisonMatchesDem() || triangles == nullptr) {
        clearDifference();
        return;
    }
    const int interval = rd.getContourInt();
    for (int r = 0; r < nrows - 1; r++) {
        const float* h = grid[r];
        const float* g = rd.grid[r];
        triangle* t = triangles + static_cast<std::size_t>(r) * (2 * ncols - 2);
        for (int c = 0; c < ncols - 1; c++, t += 2) {
            int colour = MOUNTAINGREEN;
            if (g[c] > 0) {
                const float d = h[c] - g[c];
                if (dArrayCount == 0)
                    dArrayMax = dArrayMin = d;
                dArray[dArrayCount++] = d;
                if (d > dArrayMax)
                    dArrayMax = d;
                if (d < dArrayMin)
                    dArrayMin = d;
                colour = differenceColour(d, interval);
            }
            t[0].diffColor = t[1].diffColor = colour;
            counts[levelIndex(colour)]++;
        }
    }
    for (int i = 0; i < 5; i++)
        diffCounts[i] = counts[i];
    setSparse(counts[0], counts[1], counts[2], counts[3], counts[4]);
}

void clearDifference()
{
    for (int i = 0; i < mt.triangleCount; i++)
        mt.triangles[i].diffColor = MOUNTAINGREEN;
    for (int& count : mt.diffCounts)
        count = 0;
    dArrayCount = 0;
    dArrayMax = dArrayMin = 0;
    setSparse(0, 0, 0, 0, 0);
}

void resetDifference()
{
    delete[] dArray;
    dArray = nullptr;
    dArrayCount = 0;
    dArrayMax = dArrayMin = 0;
    setSparse(0, 0, 0, 0, 0);
}
