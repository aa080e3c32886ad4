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

#include "model/error.h"
#include "model/mountain.h"
#include "model/numeric.h"

HeightClassTable lastHeightClasses;

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

HeightClassTable heightClassCounts(const GridView& dem, int interval)
{
    HeightClassTable t;
    t.classes.assign(static_cast<std::size_t>(interval), 0);
    t.interval = interval;
    for (int r = 0; dem.rows != nullptr && r < dem.nrows; r++)
        for (int c = 0; c < dem.ncols; c++)
            if (!dem.masking || dem.valid(r, c))
                t.classes[heightClass(dem.at(r, c), interval)]++;
    // Class 0 enters the extremes too: it is the contour level itself.
    t.classMin = t.classMax = t.classes[0];
    for (int i = 1; i < interval; i++) {
        if (t.classes[i] < t.classMin)
            t.classMin = t.classes[i];
        else if (t.classes[i] > t.classMax)
            t.classMax = t.classes[i];
    }
    return t;
}

void mountain::computeHeightClasses()
{
    const int n = rd.getContourInt();
    // No interval to count positions in, or more positions than anyone can read. An old
    // table would belong to another interval, so it goes too and nothing colours or
    // graphs from it.
    if (n <= 0 || n > MAX_HEIGHT_CLASSES) {
        resetHeightClasses();
        std::cout << "Height classes not computed: the contour interval is " << n
                  << (n <= 0 ? ", not above 0" : ", more than " + std::to_string(MAX_HEIGHT_CLASSES) + " classes")
                  << std::endl;
        return;
    }
    try {
        lastHeightClasses = heightClassCounts(view(), n);
    } catch (const std::bad_alloc&) {
        error(NOHEIGHT);
    }
    // Class 0 is not listed: it is the contour level itself.
    std::cout << "Height Classes Output" << std::endl;
    for (int i = 1; i < n; i++)
        std::cout << i << " " << lastHeightClasses.classes[i] << std::endl;
}

const std::vector<int>& mountain::classes() const { return lastHeightClasses.classes; }
int mountain::classMin() const { return lastHeightClasses.classMin; }
int mountain::classMax() const { return lastHeightClasses.classMax; }
int mountain::classInterval() const { return lastHeightClasses.interval; }
int* mountain::getClasses() { return lastHeightClasses.classes.empty() ? nullptr : lastHeightClasses.classes.data(); }
bool mountain::heightClasses() const { return !lastHeightClasses.classes.empty(); }
bool mountain::heightClassesFor(int interval) const
{
    return !lastHeightClasses.classes.empty() && lastHeightClasses.interval == interval;
}

void resetHeightClasses() { lastHeightClasses = HeightClassTable(); }
