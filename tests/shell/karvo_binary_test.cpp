// The real program, started as a user starts it, seen through a screenshot.

#include <gtest/gtest.h>

#include "tests/support/screen.h"

namespace {

TEST(KarvoBinary, StartsWithItsTitleMenuBarAndGreyView)
{
    RunningProgram karvo({KARVO_BINARY});
    const std::string id = findWindow("KARVO: Karvoscope");
    ASSERT_NE(id, "") << "no main window appeared";
    EXPECT_EQ(shellOutput("xdotool getwindowname " + id), "KARVO: Karvoscope\n");
    Image shot;
    for (int attempt = 0; attempt < 20 && !shot.valid(); attempt++)
        shot = captureWindow(id);
    ASSERT_TRUE(shot.valid());
    EXPECT_EQ(shot.width, 850);
    EXPECT_EQ(shot.height, 700);

    // The menu bar: its labels are dark text on a light bar across the top 25 rows.
    int dark = 0, r, g, b;
    for (int y = 2; y < 23; y++)
        for (int x = 0; x < 400; x++) {
            shot.at(x, y, r, g, b);
            dark += r + g + b < 150;
        }
    EXPECT_GT(dark, 30);
    // The view below it is the plain grey of a view before any Open.
    shot.at(300, 300, r, g, b);
    EXPECT_NEAR(r, 179, 3);
    EXPECT_NEAR(g, 179, 3);
    EXPECT_NEAR(b, 179, 3);
    EXPECT_TRUE(karvo.running());
}

}  // namespace
