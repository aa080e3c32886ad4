// Events fed to the real widget's handle: keys, drags, presses and releases.

#include <FL/Fl.H>
#include <GL/gl.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "analysis/loader.h"
#include "model/mesh.h"
#include "model/mountain.h"
#include "tests/support/child_process.h"
#include "tests/support/gl_view.h"
#include "tests/support/grid_files.h"
#include "view/view_state.h"

namespace {

class InteractionTest : public ViewTest {
protected:
    void key(const std::string& text, int keysym = 0)
    {
        static char typed[16];
        std::strncpy(typed, text.c_str(), sizeof typed - 1);
        Fl::e_text = typed;
        Fl::e_length = static_cast<int>(text.size());
        Fl::e_keysym = keysym != 0 ? keysym : (text.empty() ? 0 : static_cast<unsigned char>(text[0]));
        EXPECT_EQ(view->handle(FL_KEYBOARD), 1);
    }
    void press(int button, int x, int y)
    {
        Fl::e_keysym = FL_Button + button;
        Fl::e_x = x;
        Fl::e_y = y;
        view->handle(FL_PUSH);
    }
    void drag(int x, int y)
    {
        Fl::e_x = x;
        Fl::e_y = y;
        view->handle(FL_DRAG);
    }
    void release(int button)
    {
        Fl::e_keysym = FL_Button + button;
        view->handle(FL_RELEASE);
    }
    int polygonMode()
    {
        view->make_current();
        GLint modes[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        return modes[0];
    }
    void resetCamera()
    {
        eyevalue = STARTEYE;
        xrotation = XROTATE;
        zrotation = ZROTATE;
    }
    // The child must not talk to the X server the parent is connected to: it closes
    // every descriptor but its standard streams.
    static void detachFromDisplay()
    {
        for (int fd = 3; fd < 1024; fd++)
            close(fd);
    }
};

TEST_F(InteractionTest, CameraKeys)
{
    struct Case {
        const char* key;
        float eye, x, z;
    } cases[] = {
        {"4", -100, -135, 179}, {"j", -100, -135, 179}, {"6", -100, -135, 181}, {"8", -100, -134, 180},
        {"k", -100, -134, 180}, {"2", -100, -136, 180}, {",", -100, -136, 180}, {"m", -100, -136, 180},
        {"X", -100, -45, 180},  {"x", -100, -225, 180}, {"Z", -100, -135, 270}, {"z", -100, -135, 90},
        {"i", -95, -135, 180},  {"o", -105, -135, 180}, {"t", -101, 180, 0},    {"s", -100, -90, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        resetCamera();
        key(c.key);
        EXPECT_EQ(eyevalue, c.eye);
        EXPECT_EQ(xrotation, c.x);
        EXPECT_EQ(zrotation, c.z);
    }
    xrotation = 7;
    eyevalue = -3;
    key("r");
    EXPECT_EQ(eyevalue, STARTEYE);
    EXPECT_EQ(xrotation, XROTATE);
    EXPECT_EQ(zrotation, ZROTATE);
}

TEST_F(InteractionTest, KeysWithAltPassOnToTheMenuBar)
{
    static char typed[] = "r";  // "E&rror"; without Alt the view's reset key
    Fl::e_text = typed;
    Fl::e_length = 1;
    Fl::e_keysym = 'r';
    Fl::e_state = FL_ALT;
    xrotation = 7;
    const int keyboard = view->handle(FL_KEYBOARD), shortcut = view->handle(FL_SHORTCUT);
    Fl::e_state = 0;
    EXPECT_EQ(keyboard, 0);
    EXPECT_EQ(shortcut, 0);
    EXPECT_EQ(xrotation, 7);
}

TEST_F(InteractionTest, ExaggerationKeysRebuildTheMesh)
{
    open(grid("dem.grd", 5, 5, plane(5, 5, 100, 2, 1), 10));
    const float z = MeshGeometry(mt).z(mt.grid[1][0]);
    key("+");
    EXPECT_EQ(mt.exageration, 2.0f);
    EXPECT_FLOAT_EQ(MeshGeometry(mt).z(mt.grid[1][0]), 2 * z);
    key("=");
    EXPECT_EQ(mt.exageration, 3.0f);
    EXPECT_FLOAT_EQ(MeshGeometry(mt).z(mt.grid[1][0]), 3 * z);
    for (int i = 0; i < 5; i++)
        key("-");
    EXPECT_EQ(mt.exageration, 0.0f);
    EXPECT_EQ(MeshGeometry(mt).z(mt.grid[1][0]), 0.0f);
}

TEST_F(InteractionTest, DisplayKeys)
{
    key("a");
    EXPECT_TRUE(drawAxes);
    key("d");
    EXPECT_TRUE(drawTriangles);
    key("l");
    EXPECT_EQ(lighting, 0);
    view->make_current();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    key("l");
    EXPECT_EQ(lighting, 1);
    view->make_current();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

    // Without comparison data only the difference colours switch.
    key("c");
    key("n");
    key(std::string(1, char(POINTS_KEY_CODE)));
    key("R");
    EXPECT_FALSE(drawCurveColor);
    EXPECT_FALSE(drawContours);
    EXPECT_FALSE(drawPoints);
    EXPECT_FALSE(drawDiff);
    EXPECT_TRUE(drawDiffColor);

    multFiles = true;
    key("c");
    key("n");
    key(std::string(1, char(POINTS_KEY_CODE)));
    key("R");
    EXPECT_TRUE(drawCurveColor);
    EXPECT_TRUE(drawContours);
    EXPECT_TRUE(drawPoints);
    EXPECT_TRUE(drawDiff);
    EXPECT_FALSE(drawDiffColor);
}

TEST_F(InteractionTest, EyeValueFromTheConsole)
{
    std::istringstream typed("-150.5\n7\n");
    std::streambuf* console = std::cin.rdbuf(typed.rdbuf());
    testing::internal::CaptureStdout();
    key("e");
    const std::string out = testing::internal::GetCapturedStdout();
    std::cin.rdbuf(console);
    EXPECT_EQ(out, "Current eye value: -100\nNew eye value: ");
    EXPECT_EQ(eyevalue, -150.5f);
    EXPECT_EQ(typed.peek(), '7');  // exactly one character after the number was dropped
}

TEST_F(InteractionTest, EyeValueStaysWhenTheInputIsNotANumber)
{
    std::istringstream typed("far away\n-30\n");
    std::streambuf* console = std::cin.rdbuf(typed.rdbuf());
    testing::internal::CaptureStdout();
    key("e");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(eyevalue, STARTEYE);
    EXPECT_FALSE(std::cin.fail());
    testing::internal::CaptureStdout();
    key("e");
    testing::internal::GetCapturedStdout();
    std::cin.rdbuf(console);
    EXPECT_EQ(eyevalue, -30.0f);
}

TEST_F(InteractionTest, QuitKeysEndWithStatus1)
{
    for (int keysym : {int('q'), 27, FL_Escape}) {
        SCOPED_TRACE(keysym);
        const ChildResult r = runInChild([&] {
            detachFromDisplay();
            key(keysym == FL_Escape ? std::string("\033") : std::string(1, char(keysym)), keysym);
        });
        EXPECT_TRUE(r.exited);
        EXPECT_EQ(r.status, 1);
    }
}

TEST_F(InteractionTest, SparseKeyWritesThousandSpotHeights)
{
    open(grid("dem.grd", 40, 40, plane(40, 40, 100, 1, 2)));
    const ChildResult r = runInChild(
        [&] {
            detachFromDisplay();
            key(std::string(1, char(SPARSE_KEY_CODE)));
        },
        "0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Creating sparse data file\n"), std::string::npos);
    EXPECT_NE(r.err.find("numLocals = 0\n"), std::string::npos);
}

TEST_F(InteractionTest, DragsTurnByTenDegreesPerEvent)
{
    open(grid("dem.grd", 10, 10, flat(10, 10, 100)));
    press(1, 100, 100);
    EXPECT_TRUE(buttonState);
    EXPECT_EQ(zrotation, ZROTATE);  // a small grid's press does not turn
    drag(100, 40);  // the first motion compares its x with itself and its y with 0
    EXPECT_EQ(zrotation, ZROTATE);
    EXPECT_EQ(xrotation, XROTATE - 10);
    resetCamera();
    drag(101, 40);
    EXPECT_EQ(zrotation, ZROTATE + 10);
    EXPECT_EQ(xrotation, XROTATE);
    drag(400, 40);
    EXPECT_EQ(zrotation, ZROTATE + 20);
    drag(390, 40);
    EXPECT_EQ(zrotation, ZROTATE + 10);
    drag(390, 20);
    EXPECT_EQ(xrotation, XROTATE + 10);
    drag(391, 300);
    EXPECT_EQ(xrotation, XROTATE);
    EXPECT_EQ(zrotation, ZROTATE + 20);
    release(1);
    EXPECT_FALSE(buttonState);
    mouseMove(100, 100);  // without the button the position is only remembered
    Fl::e_keysym = FL_Button + 3;  // a drag with another button held does nothing
    drag(500, 500);
    EXPECT_FALSE(buttonState);
    EXPECT_EQ(zrotation, ZROTATE + 20);
    EXPECT_EQ(xrotation, XROTATE);
}

TEST_F(InteractionTest, LargeGridsOutlineAndTurnOnThePress)
{
    const int rows = 320, cols = 320;  // 102400 points
    open(grid("big.grd", rows, cols, plane(rows, cols, 100, 1, 1)));
    frame(true);
    press(1, 50, 50);
    drag(50, 50);
    release(1);
    resetCamera();
    press(1, 60, 50);
    EXPECT_EQ(zrotation, ZROTATE + 10);
    EXPECT_EQ(polygonMode(), GL_LINE);
    release(1);
    EXPECT_EQ(polygonMode(), GL_FILL);

    press(3, 10, 10);  // the right button sets nothing, but its release fills again
    EXPECT_FALSE(buttonState);
    EXPECT_EQ(zrotation, ZROTATE + 10);
    release(3);
    EXPECT_EQ(polygonMode(), GL_FILL);
}

TEST_F(InteractionTest, EventsRedrawOnlyOnceADataSetIsOpen)
{
    view->clear_damage();
    view->handle(FL_MOVE);
    EXPECT_EQ(view->damage(), 0);
    open(grid("dem.grd", 4, 4, flat(4, 4, 1)));
    view->clear_damage();
    view->handle(FL_MOVE);
    EXPECT_NE(view->damage(), 0);
}

TEST_F(InteractionTest, CameraButtonsActOnlyOnceOpen)
{
    view->ZoomInButton_callback(nullptr);
    view->TopButton_callback(nullptr);
    EXPECT_EQ(eyevalue, STARTEYE);
    EXPECT_EQ(xrotation, XROTATE);
    EXPECT_FALSE(REDRAW);
    open(grid("dem.grd", 4, 4, flat(4, 4, 1)));
    struct Case {
        void (MyWindow::*button)(Fl_Widget*);
        float eye, x, z;
    } cases[] = {
        {&MyWindow::ZoomInButton_callback, -90, -135, 180},   {&MyWindow::ZoomOutButton_callback, -110, -135, 180},
        {&MyWindow::XPlus90Button_callback, -100, -45, 180},  {&MyWindow::XMinus90Button_callback, -100, -225, 180},
        {&MyWindow::ZPlus90Button_callback, -100, -135, 270}, {&MyWindow::ZMinus90Button_callback, -100, -135, 90},
        {&MyWindow::TopButton_callback, -100.5f, 180, 180},   {&MyWindow::SideButton_callback, -100, -90, 180},
        {&MyWindow::ResetButton_callback, -100, -135, 180},
    };
    for (const Case& c : cases) {
        resetCamera();
        (view.get()->*c.button)(nullptr);
        EXPECT_EQ(eyevalue, c.eye);
        EXPECT_EQ(xrotation, c.x);
        EXPECT_EQ(zrotation, c.z);
    }
    zrotation = 33;
    view->SideButton_callback(nullptr);
    EXPECT_EQ(zrotation, 33.0f);
}

TEST_F(InteractionTest, SunRunsAlongTheEllipseAndStopsAtItsEnds)
{
    for (int i = 0; i < 29; i++)
        view->sunModPlus();
    const float east = position0[0];
    EXPECT_NEAR(east, 2.2f, 1e-5);
    EXPECT_NEAR(position0[2], 0.583f, 1e-3);
    view->sunModPlus();
    view->sunModPlus();
    EXPECT_EQ(position0[0], east);
    for (int i = 0; i < 44; i++)
        view->sunModMinus();
    EXPECT_NEAR(position0[0], -2.2f, 1e-5);
    const float west = position0[0];
    view->sunModMinus();
    EXPECT_EQ(position0[0], west);
    EXPECT_NEAR(position0[2], 0.583f, 1e-3);
    EXPECT_EQ(position0[1], 0.0f);
    EXPECT_EQ(position0[3], 1.0f);
}

}  // namespace
