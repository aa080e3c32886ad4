// Gradient of a DEM at an interior point (r, c), from a five-row, five-column stencil.
// Row difference A (across rows, down the grid):
//
//                     -E(r-2,c)
//        -E(r-1,c-1)  -4E(r-1,c)  -E(r-1,c+1)
//                        .                        A = sum / 2
//        +E(r+1,c-1)  +4E(r+1,c)  +E(r+1,c+1)
//                     +E(r+2,c)
//
// Column difference B is the same stencil turned by a quarter. The direction angle is
// atan(A / B) in degrees, 90 where B is 0. The sums are built term by term in single
// precision in the order of the statements in gradient(), so that angles near a class
// boundary fall on the same side on every machine. On cells longer one way than the
// other (cells in degrees) the rise per metre is A / groundY and B / groundX, so A is
// taken times groundX / groundY; square cells leave it as it is.

#include "analysis/slope.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>

#include "model/mountain.h"
#include "model/numeric.h"

int TREELINE = 4100;
float SLOPE = 10.0f;

namespace {

const double DEGREES_PER_RADIAN = 180 / 3.14159;  // pi taken as 3.14159

float degrees(double radians) { return static_cast<float>(radians * DEGREES_PER_RADIAN); }

// An interior point whose stencil reads only valid points: with nodata masking, a
// gradient across a hole would be the hole's.
bool interior(const GridView& dem, int row, int col)
{
    if (row < 3 || col < 3 || row >= dem.nrows - 2 || col >= dem.ncols - 2)
        return false;
    if (!dem.masking)
        return true;
    for (int r = row - 2; r <= row + 2; r++)
        for (int c = col - 2; c <= col + 2; c++)
            if (std::abs(r - row) + std::abs(c - col) <= 2 && !dem.valid(r, c))
                return false;
    return true;
}

// Only for interior points. B == 0 (also -0) means the angle is 90.
void gradient(const GridView& dem, int r, int c, float& a, float& b)
{
    const float* const* e = dem.rows;
    a = e[r + 2][c];
    a -= e[r - 2][c];
    a += e[r + 1][c - 1];
    a -= e[r - 1][c - 1];
    a += e[r + 1][c + 1];
    a -= e[r - 1][c + 1];
    a -= 4 * e[r - 1][c];
    a += 4 * e[r + 1][c];
    a /= 2;

    b = e[r + 1][c + 1];
    b -= e[r + 1][c - 1];
    b += e[r - 1][c + 1];
    b -= e[r - 1][c - 1];
    b -= e[r][c - 2];
    b += e[r][c + 2];
    b += 4 * e[r][c + 1];
    b -= 4 * e[r][c - 1];
    b /= 2;
    if (dem.groundX != dem.groundY)
        a *= static_cast<float>(dem.groundX / dem.groundY);
}

// Angle of the slope from a point to a neighbour one cell away, atan(|dh| / cellsize)
// in degrees; the same precisions as the direction angle. A cellsize of 0 makes any
// height step a vertical wall.
float stepAngle(float from, float to, float cellsize)
{
    const float rise = std::fabs(from - to);
    float ratio;
    if (cellsize != 0)
        ratio = rise / cellsize;
    else
        ratio = rise > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    return degrees(std::atan(double(ratio)));
}

// The length a step to a neighbour is measured over: the cell's length along a row or a
// column, and on a diagonal the cell's length as well, which on cells longer one way
// than the other is the diagonal over sqrt(2), sqrt((groundX^2 + groundY^2) / 2).
float stepLength(const GridView& dem, int rowStep, int colStep)
{
    if (dem.groundX == dem.groundY || colStep == 0)
        return static_cast<float>(dem.groundY);
    if (rowStep == 0)
        return static_cast<float>(dem.groundX);
    return static_cast<float>(std::sqrt((dem.groundX * dem.groundX + dem.groundY * dem.groundY) / 2));
}

}  // namespace

int roundDeg(float angle)
{
    if (angle > -22 && angle <= 22)
        return 0;
    if (angle > 22 && angle <= 67)
        return 45;
    if (angle > 67 && angle <= 112)
        return 90;
    if (angle > -67 && angle <= -22)
        return -45;
    if (angle > -112 && angle <= -67)
        return -90;
    return truncateToInt(double(angle) + 0.5);
}

float gradientAngle(const GridView& dem, int row, int col)
{
    if (!interior(dem, row, col))
        return 0.0f;
    float a, b;
    gradient(dem, row, col, a, b);
    if (b == 0)
        return 90.0f;
    return degrees(std::atan(double(a / b)));
}

int gradientClass(const GridView& dem, int row, int col)
{
    if (!interior(dem, row, col))
        return -1;
    float a, b;
    gradient(dem, row, col, a, b);
    if (b == 0)
        return 90;
    return roundDeg(degrees(std::atan(double(a / b))));
}

bool steepAt(const GridView& dem, int row, int col, float limit)
{
    if (row <= 1 || col <= 1 || row > dem.nrows - 3 || col > dem.ncols - 3)
        return false;
    // The two neighbours along the direction class, as (row, col) offsets.
    int first[2], second[2];
    switch (gradientClass(dem, row, col)) {
    case 0: first[0] = 0, first[1] = 1, second[0] = 0, second[1] = -1; break;
    case 45: first[0] = -1, first[1] = -1, second[0] = 1, second[1] = 1; break;
    case 90:
    case -90: first[0] = -1, first[1] = 0, second[0] = 1, second[1] = 0; break;
    case -45: first[0] = -1, first[1] = 1, second[0] = 1, second[1] = -1; break;
    default: return false;
    }
    const float h = dem.at(row, col);
    const float ground = stepLength(dem, first[0], first[1]);
    return stepAngle(h, dem.at(row + first[0], col + first[1]), ground) >= limit ||
           stepAngle(h, dem.at(row + second[0], col + second[1]), ground) >= limit;
}

bool vegetationHighAt(const GridView& dem, float height, int row, int col, int treeline, float limit)
{
    return height > treeline || steepAt(dem, row, col, limit);
}

int find_gradient(int row, int col) { return gradientClass(mt.view(), row, col); }
float colorSlopeDeg(int row, int col) { return gradientAngle(mt.view(), row, col); }
bool mountain::findSlope(int row, int col) { return steepAt(view(), row, col, SLOPE); }
bool vegetationHigh(float height, int row, int col)
{
    return vegetationHighAt(mt.view(), height, row, col, TREELINE, SLOPE);
}

SlopeColour slopeColour(float a)
{
    if (a >= 0 && a <= 45)
        return {true, 1 - a / 45, 1 - a / 45, 1};
    if (a >= -45 && a < 0)
        return {true, 1, 1 + a / 45, 1 + a / 45};
    if (a > 45 && a <= 90) {
        const float t = (a - 45) / 45;
        return {true, 0.6f * t, 0.4f * t, 0.3f * (1 - t) + 0.7f};
    }
    if (a >= -90 && a < -45) {
        const float t = (-45 - a) / 45;
        return {true, 0.4f * (1 - t) + 0.6f, 0.4f * t, 0.7f * t};
    }
    if (DEBUG)
        std::cout << a << std::endl;
    return {false, 0, 0, 0};
}

void resetSlope()
{
    TREELINE = 4100;
    SLOPE = 10.0f;
}
