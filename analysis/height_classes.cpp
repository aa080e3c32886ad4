// Height class pass over mt with the comparison set's contour interval n:
//
//   class(h) = floor(h + 0.5) mod n, taken in [0, n)
//
// floor, not truncation, so heights below -0.5 keep their true position within the
// interval instead of giving a negative index.

#include "analysis/height_classes.h"

#include <cmath>
#include <iostream>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "model/error.h"
#include "model/large_memory.h"
#include "model/mountain.h"
#include "model/numeric.h"

int heightClass(float height, int interval)
{
    // In double, where floor and fmod of any float are exact; NaN and infinities have
    // no position and land in class 0.
    const double rounded = std::floor(double(height) + 0.5);
    double position = std::fmod(rounded, double(interval));
    if (position < 0)
        position += interval;
    return truncateToInt(position);
}

namespace {

void dropClasses(mountain& m)
{
    freeVector(m.classes);
    m.classMin = m.classMax = 0;
    m.classInterval = 0;
}

}  // namespace

void mountain::computeHeightClasses()
{
    const int n = rd.getContourInt();
    // No interval to count positions in, or more positions than anyone can read. An old
    // table would belong to another interval, so it goes too and nothing colours or
    // graphs from it.
    if (n <= 0 || n > MAX_HEIGHT_CLASSES) {
        dropClasses(*this);
        std::cout << "Height classes not computed: the contour interval is " << n
                  << (n <= 0 ? ", not above 0" : ", more than " + std::to_string(MAX_HEIGHT_CLASSES) + " classes")
                  << std::endl;
        return;
    }
    std::vector<int> table;
    try {
        table.assign(static_cast<std::size_t>(n), 0);
    } catch (const std::bad_alloc&) {
        error(NOHEIGHT);
    }
    if (grid != nullptr) {
        for (int r = 0; r < nrows; r++)
            for (int c = 0; c < ncols; c++)
                if (validPoint(r, c))
                    table[heightClass(grid[r][c], n)]++;
    }
    classes = std::move(table);
    classInterval = n;

    // Class 0 enters the extremes but is not listed: it is the contour level itself.
    classMin = classMax = classes[0];
    std::cout << "Height Classes Output" << std::endl;
    for (int i = 1; i < n; i++) {
        std::cout << i << " " << classes[i] << std::endl;
        if (classes[i] < classMin)
            classMin = classes[i];
        else if (classes[i] > classMax)
            classMax = classes[i];
    }
}

void resetHeightClasses() { dropClasses(mt); }
