#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "model/grid_text.h"
#include "model/progress.h"

namespace {

TEST(ReadProgressTest, OnlyReadsThatTakeLongAreShownAndThenClosed)
{
    std::vector<double> shown;
    int closed = 0;
    ReadProgress::Clock::time_point now{};  // a clock stepped by hand
    {
        ReadProgress progress([&](double share) { shown.push_back(share); }, [&] { closed++; }, [&] { return now; });
        GridText text(std::string(3000, ' ') + "1 2 3 4 5 6", 64);
        float rows[2][3];
        float* table[2] = {rows[0], rows[1]};
        float zmin = 0, zmax = 0;
        ASSERT_EQ(text.readHeights(table, 2, 3, zmin, zmax), 6);
    }
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(closed, 0);

    ReadProgress* progress =
        new ReadProgress([&](double share) { shown.push_back(share); }, [&] { closed++; }, [&] { return now; });
    now += std::chrono::milliseconds(1000);
    readProgress(0.25);
    readProgress(0.5);  // too soon after the last one shown
    readProgress(1);
    EXPECT_EQ(closed, 1);
    readProgress(0.25);  // a refused read ends without its last report
    delete progress;
    readProgress(0.75);  // nobody is listening any more
    EXPECT_EQ(shown, (std::vector<double>{0.25, 0.25}));
    EXPECT_EQ(closed, 2);
}

}  // namespace
