// The first mouse rotation of a run compares its x with itself and its y with 0. This
// needs a process in which nothing has turned the view yet, so it has a binary of its own.

#include <gtest/gtest.h>

#include "view/my_window.h"
#include "view/view_state.h"

TEST(FirstRotation, TurnsOnlyAboutXForAPositiveY)
{
    resetView();
    buttonState = true;
    mouseMove(250, 40);
    EXPECT_EQ(zrotation, ZROTATE);
    EXPECT_EQ(xrotation, XROTATE - 10);
    mouseMove(240, 40);
    EXPECT_EQ(zrotation, ZROTATE - 10);
    EXPECT_EQ(xrotation, XROTATE - 10);
    buttonState = false;
    mouseMove(100, 100);  // without the button the position is only remembered
    EXPECT_EQ(zrotation, ZROTATE - 10);
}
