// The real program, started as a user starts it, seen through a screenshot.

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/screen.h"

namespace {

TEST(KarvoBinary, StartsWithItsTitleMenuBarAndGreyView)
{
    RunningProgram karvo({KARVO_BINARY});
    const std::string id = findWindow("KARVO: Karvoscope");
    ASSERT_NE(id, "") << "no main window appeared";
    EXPECT_EQ(shellOutput("xdotool getwindowname " + id), "KARVO: Karvoscope\n");
    // The view draws its grey only once the window is on the screen: look until it has.
    Image shot;
    int r = 0, g = 0, b = 0;
    for (int attempt = 0; attempt < 30; attempt++) {
        shot = captureWindow(id);
        if (shot.valid() && shot.width > 300 && shot.height > 300) {
            shot.at(300, 300, r, g, b);
            if (r == 179 || r == 178)
                break;
        }
        usleep(100000);
    }
    ASSERT_TRUE(shot.valid());
    EXPECT_EQ(shot.width, 850);
    EXPECT_EQ(shot.height, 700);

    // The menu bar: its labels are dark text on a light bar across the top 25 rows.
    int dark = 0;
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
