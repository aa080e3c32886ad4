// Ctrl + left click on the real widget picks the grid point under the mouse; the cross
// marks it; a place can be centred.

#include <FL/Fl.H>
#include <GL/gl.h>

#include <cmath>

#include "tests/support/gl_view.h"
#include "tests/support/grid_files.h"
#include "view/picked_cell.h"
#include "view/view_image.h"
#include "view/view_state.h"

namespace {

int heard = 0;

class PickingTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        heard = 0;
        setPickListener([] { heard++; });
        dem = grid("dome.grd", 41, 41, surface(41, 41, [](int r, int c) {
                       return 100 + 6 * std::cos((r - 20) / 15.0) * std::cos((c - 20) / 15.0);
                   }));
        ASSERT_TRUE(open(dem));
        drawTriangles = true;  // filled: every pixel over the grid is surface
        frame();
    }
    void click(int x, int y, bool ctrl)
    {
        Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
        Fl::e_state = ctrl ? FL_CTRL : 0;
        Fl::e_x = x;
        Fl::e_y = view->h() - 1 - y;  // the toolkit counts from the top
        view->handle(FL_PUSH);
    }
    std::string dem;
};

TEST_F(PickingTest, CtrlClickPicksThePointUnderTheMouseWithinACell)
{
    const float cameras[][3] = {{STARTEYE, XROTATE, ZROTATE}, {-100.5f, 180, 180}, {STARTEYE, -120, 110}};
    const int points[][2] = {{20, 20}, {5, 30}, {33, 8}, {38, 38}, {12, 2}};
    for (const auto& camera : cameras) {
        eyevalue = camera[0], xrotation = camera[1], zrotation = camera[2];
        frame();
        for (const auto& p : points) {
            SCOPED_TRACE(std::to_string(camera[2]) + ": " + std::to_string(p[0]) + ", " + std::to_string(p[1]));
            int x = 0, y = 0;
            ASSERT_TRUE(projectGridPoint(float(p[0]), float(p[1]), x, y));
            click(x, y, true);
            EXPECT_TRUE(pickedCell().picked && std::abs(pickedCell().row - p[0]) <= 1 &&
                        std::abs(pickedCell().col - p[1]) <= 1);
            EXPECT_FALSE(buttonState);  // and turns nothing
        }
    }
    EXPECT_EQ(heard, 15);
    click(3, 3, true);  // the background: no pick, the last one stays
    EXPECT_EQ(heard, 15);
    clearPickedCell();
    int x = 0, y = 0;
    ASSERT_TRUE(projectGridPoint(20, 20, x, y));
    click(x, y, false);
    EXPECT_TRUE(buttonState);  // a plain press starts a turn, as ever
    EXPECT_FALSE(pickedCell().picked);
}

TEST_F(PickingTest, CrossFollowsThePickAndLeavesNoTrace)
{
    std::vector<unsigned char> before = viewPicture(*view).rgb;
    pickCell(41, 0);  // off the grid: no pick
    EXPECT_FALSE(pickedCell().picked);
    pickCell(10, 30);
    for (float turn : {0.0f, 40.0f}) {
        zrotation += turn;
        frame();
        int x = 0, y = 0;
        ASSERT_TRUE(projectGridPoint(10, 30, x, y));
        EXPECT_TRUE(colourNear(pixel(x + 5, y), 1, 0, 1));
        EXPECT_TRUE(colourNear(pixel(x, y - 5), 1, 0, 1));
        EXPECT_FALSE(colourNear(pixel(x + 5, y + 5), 1, 0, 1));
        EXPECT_EQ(viewPicture(*view).at(x + 5, view->h() - 1 - y), (Rgb8{255, 0, 255}));  // top row first
    }
    zrotation -= 40;
    clearPickedCell();
    EXPECT_TRUE(viewPicture(*view).rgb == before);
}

TEST_F(PickingTest, CentredPointStaysInTheMiddleUntilAnOpen)
{
    centreViewOnCell(6, 34);
    EXPECT_GE(eyevalue, CENTRED_EYE);
    for (float turn : {0.0f, 30.0f}) {
        xrotation += turn;  // turned about the point
        frame();
        int x = 0, y = 0;
        ASSERT_TRUE(projectGridPoint(6, 34, x, y));
        EXPECT_LE(std::abs(x - MAX / 2) + std::abs(y - MAX / 2), 2);
    }
    pickCell(6, 34);
    ASSERT_TRUE(open(dem));
    EXPECT_FALSE(pickedCell().picked);
    EXPECT_TRUE(viewCentre[0] == 0 && viewCentre[1] == 0 && viewCentre[2] == 0);
}

}  // namespace
