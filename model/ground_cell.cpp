#include "model/ground_cell.h"

#include <algorithm>
#include <cmath>

double eastWestShare(int nrows, double yllcorner, double cellsize)
{
    const double pi = 3.14159265358979323846;
    const double latitude = std::clamp(yllcorner + nrows * cellsize / 2, -90.0, 90.0);
    // cos(90 degrees) in double is 6e-17, not 0: at a pole the east-west length is 0.
    return std::fabs(latitude) == 90.0 ? 0.0 : std::cos(latitude * pi / 180);
}

GroundCell groundCell(int nrows, double yllcorner, double cellsize, bool inDegrees)
{
    if (!inDegrees)
        return {cellsize, cellsize};
    const double metresPerDegree = 111320.0;
    return {cellsize * metresPerDegree * eastWestShare(nrows, yllcorner, cellsize), cellsize * metresPerDegree};
}
