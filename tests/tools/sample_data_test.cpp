#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

class SampleDataTest : public ModelTest {
protected:
    void read(mountain& m, const std::string& name, int index)
    {
        const std::string path = sampleFile(name);
        const char* names[2] = {path.c_str(), path.c_str()};
        testing::internal::CaptureStdout();
        m.readgridfile(names, index);
        testing::internal::GetCapturedStdout();
    }
    // Share of grid points whose rounded height lies on a multiple of 20.
    static double onContourLevels(const mountain& m)
    {
        long on = 0;
        for (int r = 0; r < m.nrows; r++)
            for (int c = 0; c < m.ncols; c++)
                on += static_cast<long>(std::floor(m.grid[r][c] + 0.5)) % 20 == 0;
        return double(on) / (double(m.nrows) * m.ncols);
    }
};

TEST_F(SampleDataTest, MountainIsLargePositiveAndRisesAboveTheTreeline)
{
    read(mt, "mountain.grd", 1);
    EXPECT_GE(mt.getRows(), 200);
    EXPECT_GE(mt.getCols(), 200);
    EXPECT_NE(mt.getRows(), mt.getCols());
    EXPECT_GT(mt.getZmin(), 0.0f);
    EXPECT_GT(mt.getZmax(), 1800.0f);
}

TEST_F(SampleDataTest, ContoursCarryMultiplesOfTwentyAndInferInterval20)
{
    read(mt, "mountain.grd", 1);
    read(rd, "mountain_contours.grd", 2);
    ASSERT_EQ(rd.getRows(), mt.getRows());
    ASSERT_EQ(rd.getCols(), mt.getCols());
    EXPECT_EQ(rd.getContourInt(), 20);
    long lines = 0;
    for (int r = 0; r < rd.nrows; r++)
        for (int c = 0; c < rd.ncols; c++) {
            const float v = rd.grid[r][c];
            EXPECT_EQ(std::fmod(v, 20.0f), 0.0f);
            if (v > 0) {
                lines++;
                EXPECT_LE(std::fabs(v - mt.grid[r][c]), 20.0f);
            }
        }
    EXPECT_GT(lines, rd.nrows * rd.ncols / 10);
}

TEST_F(SampleDataTest, InterpolatedDemShowsTerracing)
{
    read(mt, "mountain.grd", 1);
    const double original = onContourLevels(mt);
    read(mt, "mountain_from_contours.grd", 1);
    const double interpolated = onContourLevels(mt);
    EXPECT_GT(interpolated, 3 * original);
}

TEST_F(SampleDataTest, SpotHeightsAreSparseDemHeights)
{
    read(mt, "mountain.grd", 1);
    read(rd, "mountain_spots.grd", 2);
    long spots = 0;
    for (int r = 0; r < rd.nrows; r++)
        for (int c = 0; c < rd.ncols; c++)
            if (rd.grid[r][c] > 0) {
                spots++;
                EXPECT_EQ(rd.grid[r][c], mt.grid[r][c]);
            }
    EXPECT_GT(spots, 100);
    EXPECT_LT(spots, rd.nrows * rd.ncols / 50);
}

}  // namespace
