#include <gtest/gtest.h>

#include "model/ground_cell.h"

namespace {

TEST(GroundCellTest, LengthsAtTheGridsCentreLatitude)
{
    struct Case {
        const char* name;
        int nrows;
        double yll, cellsize;
        bool degrees;
        double eastWest, northSouth;
    } cases[] = {
        {"metres", 10, 55, 25, false, 25, 25},
        {"centred at 60 N", 10, 55, 1, true, 55660, 111320},
        {"centred at 60 S, 3 arc seconds", 7200, -63, 1.0 / 1200, true, 111320.0 / 2400, 111320.0 / 1200},
        {"around the pole", 20, 80, 1, true, 0, 111320},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GroundCell g = groundCell(c.nrows, c.yll, c.cellsize, c.degrees);
        EXPECT_NEAR(g.eastWest, c.eastWest, 1e-6);
        EXPECT_NEAR(g.northSouth, c.northSouth, 1e-6);
    }
}

}  // namespace
