// Ctrl + left click on the real widget picks the grid point under the mouse; the cross
// marks it; a place can be centred; the frame can be read back and saved as a PNG.

#include <FL/Fl.H>
#include <GL/gl.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/mountain.h"
#include "tests/support/gl_view.h"
#include "tests/support/grid_files.h"
#include "tests/support/png_pictures.h"
#include "view/picked_cell.h"
#include "view/view_image.h"
#include "view/view_state.h"

namespace {

int listened = 0;
void countChange() { listened++; }

class PickingTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        listened = 0;
        setPickListener(countChange);
        // A dome of 41 x 41 points, filled, so that every pixel over the grid is surface.
        demPath = grid("dome.grd", 41, 41, surface(41, 41, [](int r, int c) {
                           return 100 + 6 * std::cos((r - 20) / 15.0) * std::cos((c - 20) / 15.0);
                       }));
        ASSERT_TRUE(open(demPath));
        drawTriangles = true;
        frame();
    }
    void click(int x, int y, bool ctrl)
    {
        Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
        Fl::e_state = ctrl ? FL_CTRL : 0;
        Fl::e_x = x;
        Fl::e_y = view->h() - 1 - y;  // the toolkit counts from the top
        view->handle(FL_PUSH);
        Fl::e_state = 0;
        view->handle(FL_RELEASE);
    }
    std::vector<unsigned char> framePixels()
    {
        frame();
        std::vector<unsigned char> rgb(std::size_t(MAX) * MAX * 3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, MAX, MAX, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }
    std::string demPath;
};

TEST_F(PickingTest, CtrlClickPicksThePointUnderTheMouseWithinACell)
{
    struct Camera {
        const char* name;
        float eye, x, z;
    } cameras[] = {{"start", STARTEYE, XROTATE, ZROTATE}, {"top", -100.5f, 180, 180}, {"turned", STARTEYE, -120, 110}};
    const int points[][2] = {{20, 20}, {5, 30}, {33, 8}, {38, 38}, {12, 2}};
    for (const Camera& camera : cameras) {
        eyevalue = camera.eye;
        xrotation = camera.x;
        zrotation = camera.z;
        frame();
        for (const auto& p : points) {
            SCOPED_TRACE(std::string(camera.name) + " row " + std::to_string(p[0]) + " col " + std::to_string(p[1]));
            int x = 0, y = 0;
            ASSERT_TRUE(projectGridPoint(float(p[0]), float(p[1]), x, y)) << x << " " << y;
            click(x, y, true);
            const PickedCell picked = pickedCell();
            ASSERT_TRUE(picked.picked);
            EXPECT_LE(std::abs(picked.row - p[0]), 1);
            EXPECT_LE(std::abs(picked.col - p[1]), 1);
        }
    }
    EXPECT_FALSE(buttonState);  // a pick turns nothing
}

TEST_F(PickingTest, ClicksOffTheSurfaceOrWithoutCtrlPickNothing)
{
    click(3, 3, true);  // the background in a corner
    EXPECT_FALSE(pickedCell().picked);
    EXPECT_EQ(listened, 0);

    int x = 0, y = 0;
    ASSERT_TRUE(projectGridPoint(20, 20, x, y));
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = 0;
    Fl::e_x = x;
    Fl::e_y = view->h() - 1 - y;
    view->handle(FL_PUSH);
    EXPECT_TRUE(buttonState);  // a plain press starts a turn, as ever
    EXPECT_FALSE(pickedCell().picked);
    view->handle(FL_RELEASE);

    click(x, y, true);
    ASSERT_TRUE(pickedCell().picked);
    click(3, 3, true);  // a miss keeps the last pick
    EXPECT_TRUE(pickedCell().picked);
    EXPECT_EQ(listened, 1);
}

TEST_F(PickingTest, CrossMarksThePickAndLeavesNoTraceWhenCleared)
{
    const std::vector<unsigned char> before = framePixels();
    pickCell(10, 30);
    EXPECT_EQ(listened, 1);
    int x = 0, y = 0;
    frame();
    ASSERT_TRUE(projectGridPoint(10, 30, x, y));
    EXPECT_TRUE(colourNear(pixel(x, y), 1, 0, 1));
    EXPECT_TRUE(colourNear(pixel(x + 5, y), 1, 0, 1));
    EXPECT_TRUE(colourNear(pixel(x, y - 5), 1, 0, 1));
    EXPECT_FALSE(colourNear(pixel(x + 5, y + 5), 1, 0, 1));
    zrotation += 40;  // the cross follows the point through a turn
    frame();
    ASSERT_TRUE(projectGridPoint(10, 30, x, y));
    EXPECT_TRUE(colourNear(pixel(x, y), 1, 0, 1));

    zrotation -= 40;
    clearPickedCell();
    EXPECT_FALSE(pickedCell().picked);
    EXPECT_TRUE(framePixels() == before);

    pickCell(41, 0);  // off the grid: no pick
    pickCell(-1, 3);
    EXPECT_FALSE(pickedCell().picked);
}

TEST_F(PickingTest, CentringPutsThePointInTheMiddleAndAnOpenForgetsIt)
{
    pickCell(6, 34);
    centreViewOnCell(6, 34);
    EXPECT_GE(eyevalue, CENTRED_EYE);
    frame();
    int x = 0, y = 0;
    ASSERT_TRUE(projectGridPoint(6, 34, x, y));
    EXPECT_LE(std::abs(x - MAX / 2), 1);
    EXPECT_LE(std::abs(y - MAX / 2), 1);
    xrotation += 30;  // turned about the point: it stays
    frame();
    ASSERT_TRUE(projectGridPoint(6, 34, x, y));
    EXPECT_LE(std::abs(x - MAX / 2), 1);
    EXPECT_LE(std::abs(y - MAX / 2), 1);

    ASSERT_TRUE(open(demPath));
    EXPECT_FALSE(pickedCell().picked);
    EXPECT_EQ(viewCentre[0], 0);
    EXPECT_EQ(viewCentre[1], 0);
    EXPECT_EQ(viewCentre[2], 0);
}

TEST_F(PickingTest, ViewPictureIsTheFrameTopRowFirst)
{
    const Picture picture = viewPicture(*view);
    ASSERT_EQ(picture.width, view->w());
    ASSERT_EQ(picture.height, view->h());
    int x = 0, y = 0;
    ASSERT_TRUE(projectGridPoint(20, 20, x, y));
    const Rgb8 surface = picture.at(x, view->h() - 1 - y);
    const Pixel drawn = pixel(x, y);
    EXPECT_EQ(surface, (Rgb8{std::uint8_t(drawn.red), std::uint8_t(drawn.green), std::uint8_t(drawn.blue)}));
    const Rgb8 background{230, 230, 255};
    EXPECT_EQ(picture.at(2, 2), background);
    EXPECT_NE(surface, background);
}

TEST_F(PickingTest, SavedImageDecodesAndNeverReplacesAnInput)
{
    std::string why;
    const std::string png = dir.file("view.png");
    ASSERT_TRUE(saveViewImage(*view, png, {demPath}, why)) << why;
    std::ifstream in(png, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const Picture decoded = decodePng(bytes);
    EXPECT_EQ(decoded.width, view->w());
    EXPECT_EQ(decoded.height, view->h());
    EXPECT_EQ(decoded.rgb, viewPicture(*view).rgb);

    std::ifstream dem(demPath);
    const std::string demBefore{std::istreambuf_iterator<char>(dem), {}};
    EXPECT_FALSE(saveViewImage(*view, demPath, {demPath}, why));
    EXPECT_NE(why.find(demPath), std::string::npos) << why;
    std::ifstream demAfter(demPath);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(demAfter), {}), demBefore);

    EXPECT_FALSE(saveViewImage(*view, dir.file("no/such/dir/view.png"), {demPath}, why));
    EXPECT_FALSE(why.empty());
}

}  // namespace
