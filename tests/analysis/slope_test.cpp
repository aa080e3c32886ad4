#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/slope.h"
#include "model/mountain.h"
#include "tests/support/console_capture.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

class SlopeTest : public ModelTest {};

const double DEG = 180 / 3.14159;  // the program's degrees per radian

TEST_F(SlopeTest, DirectionClassesOfAngles)
{
    const float above22 = std::nextafter(22.0f, 90.0f), above67 = std::nextafter(67.0f, 90.0f);
    struct Case {
        float angle;
        int expected;
    } cases[] = {
        {0, 0},           {22, 0},         {above22, 45},     {67, 45},   {above67, 90},
        {90, 90},         {112, 90},       {112.2f, 112},     {-21.99f, 0}, {-22, -45},
        {-66.99f, -45},   {-67, -90},      {-90, -90},        {-111.9f, -90}, {-112, -111},
        {180, 180},       {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        EXPECT_EQ(roundDeg(c.angle), c.expected);
    }
}

TEST_F(SlopeTest, TiltedPlanes)
{
    // On a plane h = p * row + q * col the stencils give A = 8p and B = 8q.
    struct Case {
        double perRow, perCol;
        float angle;
        int direction;
        float steepRise;  // the neighbour step along the direction
    } cases[] = {
        {3, 0, 90, 90, 3},
        {0, 2, 0, 0, 2},
        {1.5, 1.5, float(std::atan(1.0) * DEG), 45, 3},
        {-2, 2, float(-std::atan(1.0) * DEG), -45, 4},
        {1, 2, float(std::atan(0.5) * DEG), 45, 3},
        {3, -1, float(-std::atan(3.0) * DEG), -90, 3},
        {0, 0, 90, 90, 0},  // flat: B is 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "plane " << c.perRow << ", " << c.perCol);
        setGrid(mt, 9, 10, plane(9, 10, 500, c.perRow, c.perCol), 4);
        EXPECT_FLOAT_EQ(colorSlopeDeg(4, 5), c.angle);
        EXPECT_EQ(find_gradient(4, 5), c.direction);
        // Steep exactly from the angle of the step to the neighbours along the direction.
        const float limit = float(std::atan(double(c.steepRise / 4.0f)) * DEG);
        SLOPE = limit;
        EXPECT_TRUE(mt.findSlope(4, 5));
        SLOPE = std::nextafter(limit, 90.0f);
        EXPECT_FALSE(mt.findSlope(4, 5));
    }
}

TEST_F(SlopeTest, FlatPatchIsLilacAndNeverSteep)
{
    setGrid(mt, 8, 8, flat(8, 8, 1234));
    EXPECT_EQ(colorSlopeDeg(4, 4), 90.0f);
    const SlopeColour lilac = slopeColour(colorSlopeDeg(4, 4));
    EXPECT_TRUE(lilac.set);
    EXPECT_NEAR(lilac.red, 0.6f, 1e-6);
    EXPECT_NEAR(lilac.green, 0.4f, 1e-6);
    EXPECT_NEAR(lilac.blue, 0.7f, 1e-6);
    SLOPE = 0;
    EXPECT_TRUE(mt.findSlope(4, 4));  // a step of 0 is 0 degrees, which reaches a limit of 0
    SLOPE = 0.001f;
    EXPECT_FALSE(mt.findSlope(4, 4));
}

TEST_F(SlopeTest, EitherNeighbourAlongTheDirectionMakesItSteep)
{
    // Raising (r - 1, c) or (r + 1, c) of a flat patch changes A only: B stays 0, the
    // direction is 90, and the raised point is one of the two neighbours tested.
    for (int side : {-1, 1}) {
        SCOPED_TRACE(side);
        std::vector<float> h = flat(9, 9, 100);
        h[(4 + side) * 9 + 4] = 110;
        setGrid(mt, 9, 9, h, 10);
        ASSERT_EQ(find_gradient(4, 4), 90);
        SLOPE = 45;
        EXPECT_TRUE(mt.findSlope(4, 4));
        SLOPE = 45.001f;
        EXPECT_FALSE(mt.findSlope(4, 4));
    }
}

TEST_F(SlopeTest, PartialSumsAreSinglePrecision)
{
    // At (3, 3) of zeros: A's terms are 2^24, 0, 1, 0, 0, 0, -2^24, 0. In single precision
    // the 1 is lost against 2^24 and A is 0 (direction 0); summed exactly A would be 0.5
    // and the direction 45. B is (-1 + 3) / 2 = 1 either way.
    std::vector<float> h = flat(7, 7, 0);
    h[5 * 7 + 3] = 16777216;
    h[4 * 7 + 2] = 1;
    h[2 * 7 + 3] = 4194304;
    h[3 * 7 + 5] = 3;
    setGrid(mt, 7, 7, h);
    EXPECT_EQ(colorSlopeDeg(3, 3), 0.0f);
    EXPECT_EQ(find_gradient(3, 3), 0);
}

TEST_F(SlopeTest, StencilAgreesWithAWeightTable)
{
    // A's weights over rows -2..2 (down) and columns -2..2 (across); B uses them transposed.
    const int wA[5][5] = {{0, 0, -1, 0, 0}, {0, -1, -4, -1, 0}, {0, 0, 0, 0, 0}, {0, 1, 4, 1, 0}, {0, 0, 1, 0, 0}};
    const unsigned seed = 4100;
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    const int rows = 12, cols = 13;
    {
        RandomSeed random(seed);
        setGrid(mt, rows, cols, surface(rows, cols, [](int, int) { return rand() % 400; }));
    }
    for (int r = 3; r < rows - 2; r++)
        for (int c = 3; c < cols - 2; c++) {
            double a = 0, b = 0;
            for (int i = -2; i <= 2; i++)
                for (int j = -2; j <= 2; j++) {
                    a += wA[i + 2][j + 2] * mt.grid[r + i][c + j];
                    b += wA[j + 2][i + 2] * mt.grid[r + i][c + j];
                }
            SCOPED_TRACE(testing::Message() << r << ", " << c);
            const double expected = b == 0 ? 90 : std::atan(a / b) * DEG;
            EXPECT_NEAR(colorSlopeDeg(r, c), expected, 1e-4);
            EXPECT_EQ(find_gradient(r, c), roundDeg(colorSlopeDeg(r, c)));
        }
}

TEST_F(SlopeTest, BorderBandsHaveNoDirectionAndAreNeverSteep)
{
    const int rows = 10, cols = 12;
    setGrid(mt, rows, cols, plane(rows, cols, 0, 50, 20), 1);
    SLOPE = 10;
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++) {
            SCOPED_TRACE(testing::Message() << r << ", " << c);
            const bool inside = r >= 3 && c >= 3 && r < rows - 2 && c < cols - 2;
            EXPECT_EQ(find_gradient(r, c), inside ? 90 : -1);
            EXPECT_EQ(mt.findSlope(r, c), inside);
            if (!inside) {
                EXPECT_EQ(colorSlopeDeg(r, c), 0.0f);
            }
        }
}

TEST_F(SlopeTest, VegetationAboveTheTreelineOrOnSteepGround)
{
    setGrid(mt, 9, 9, plane(9, 9, 0, 1, 0), 1);  // 45 degree rows
    TREELINE = 4100;
    SLOPE = 50;
    EXPECT_FALSE(vegetationHigh(4100, 4, 4));
    EXPECT_TRUE(vegetationHigh(std::nextafter(4100.0f, 5000.0f), 4, 4));
    SLOPE = 45;
    EXPECT_TRUE(vegetationHigh(0, 4, 4));
}

TEST_F(SlopeTest, CellsizeZeroMakesAnyStepAWall)
{
    std::vector<float> h = flat(9, 9, 100);
    h[3 * 9 + 4] = 100.5f;
    setGrid(mt, 9, 9, h, 1);
    mt.cellsize = 0;
    SLOPE = 89.9f;
    EXPECT_TRUE(mt.findSlope(4, 4));
    EXPECT_FALSE(mt.findSlope(5, 5));  // flat there: 0 over 0 is no slope
}

TEST_F(SlopeTest, ColourBandsAtTheirEnds)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float angle;
        bool set;
        float red, green, blue;
    } cases[] = {
        {0, true, 1, 1, 1},          {22.5f, true, 0.5f, 0.5f, 1},    {45, true, 0, 0, 1},
        {-22.5f, true, 1, 0.5f, 0.5f}, {-45, true, 1, 0, 0},          {67.5f, true, 0.3f, 0.2f, 0.85f},
        {90, true, 0.6f, 0.4f, 0.7f}, {-67.5f, true, 0.8f, 0.2f, 0.35f}, {-90, true, 0.6f, 0.4f, 0.7f},
        {std::nextafter(45.0f, 90.0f), true, 0, 0, 1}, {std::nextafter(-45.0f, -90.0f), true, 1, 0, 0},
        {std::nextafter(90.0f, 100.0f), false, 0, 0, 0}, {std::nextafter(-90.0f, -100.0f), false, 0, 0, 0}, {nan, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        const SlopeColour colour = slopeColour(c.angle);
        EXPECT_EQ(colour.set, c.set);
        if (!c.set)
            continue;
        EXPECT_NEAR(colour.red, c.red, 1e-5);
        EXPECT_NEAR(colour.green, c.green, 1e-5);
        EXPECT_NEAR(colour.blue, c.blue, 1e-5);
    }
}

}  // namespace
