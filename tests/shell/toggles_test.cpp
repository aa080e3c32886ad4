// Menu entries, panel buttons and display flags kept in step from either side.

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Menu_Bar.H>

#include <string>
#include <vector>

#include "shell/shell_state.h"
#include "shell/toggles.h"
#include "tests/support/main_window_fixture.h"
#include "view/view_state.h"

namespace {

namespace menu = karvo::menu;

struct Switch {
    const char* name;
    int entry;
    Fl_Check_Button** button;
    bool* flag;
};

const Switch switches[] = {
    {"triangles", menu::TRI, &tri, &drawTriangles},   {"axes", menu::AXES, &axes, &drawAxes},
    {"contours", menu::CONT, &cont, &drawContours},   {"sun", menu::SUN, &sun, &drawSun},
    {"height colours", menu::COLORS, &colors, &drawColors}, {"slope colours", menu::SLOPE, &slope, &colorSlope},
    {"curvature error", menu::CERR, &Cerr, &drawCurveColor}, {"difference error", menu::LERR, &lerr, &drawDiffColor},
};

class TogglesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        build();
        FILE_CONST = 2;
        activateTools();
    }
    void pickMenu(int entry) { menubar->picked(&menuEntry(entry)); }
    void clickButton(Fl_Check_Button* b)
    {
        b->value(b->value() ? 0 : 1);
        b->do_callback();
    }
    ::testing::AssertionResult inStep(const Switch& s, bool on)
    {
        const bool mark = menuEntry(s.entry).value() != 0, button = (*s.button)->value() != 0;
        if (mark == on && button == on && *s.flag == on)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << s.name << ": mark " << mark << ", button " << button << ", flag "
                                             << *s.flag << ", wanted " << on;
    }
};

TEST_F(TogglesTest, EitherSideKeepsMarkButtonAndFlagInStep)
{
    for (const Switch& s : switches) {
        SCOPED_TRACE(s.name);
        pickMenu(s.entry);
        EXPECT_TRUE(inStep(s, true));
        clickButton(*s.button);
        EXPECT_TRUE(inStep(s, false));
        clickButton(*s.button);
        EXPECT_TRUE(inStep(s, true));
        pickMenu(s.entry);
        EXPECT_TRUE(inStep(s, false));
    }
}

TEST_F(TogglesTest, LightingStartsOnAndTurnsOffFromEitherSide)
{
    EXPECT_EQ(lighting, 1);
    pickMenu(menu::LIGHT);
    EXPECT_EQ(lighting, 0);
    EXPECT_EQ(light->value(), 0);
    EXPECT_FALSE(menuEntry(menu::LIGHT).value());
    clickButton(light);
    EXPECT_EQ(lighting, 1);
    EXPECT_TRUE(menuEntry(menu::LIGHT).value());
}

TEST_F(TogglesTest, SurfaceColouringsExcludeEachOther)
{
    const Switch& colours = switches[4];
    const Switch& slopes = switches[5];
    const Switch& contours = switches[2];
    pickMenu(menu::COLORS);
    clickButton(slope);  // from the panel
    EXPECT_TRUE(inStep(colours, false));
    EXPECT_TRUE(inStep(slopes, true));
    pickMenu(menu::CONT);  // from the menu
    EXPECT_TRUE(inStep(slopes, false));
    EXPECT_TRUE(inStep(contours, true));
    pickMenu(menu::COLORS);
    EXPECT_TRUE(inStep(contours, false));
    EXPECT_TRUE(inStep(colours, true));

    testing::internal::CaptureStdout();
    pickMenu(menu::HEIGHTS);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(inStep(colours, false));
    EXPECT_TRUE(colorHeightClasses);
    EXPECT_EQ(col->value(), 1);
    EXPECT_TRUE(menuEntry(menu::HEIGHTS).value());
    clickButton(slope);
    EXPECT_FALSE(colorHeightClasses);
    EXPECT_EQ(col->value(), 0);
    EXPECT_FALSE(menuEntry(menu::HEIGHTS).value());
}

TEST_F(TogglesTest, EveryPairOfAGroupExcludesEachOtherFromEitherSide)
{
    // Height classes keep no flag of their own here: colorHeightClasses is checked below.
    struct Member {
        const char* name;
        int entry;
        Fl_Check_Button** button;
        bool* flag;
    };
    const std::vector<std::vector<Member>> groups = {
        {{"height colours", menu::COLORS, &colors, &drawColors},
         {"slope colours", menu::SLOPE, &slope, &colorSlope},
         {"height classes", menu::HEIGHTS, &col, &colorHeightClasses},
         {"contours", menu::CONT, &cont, &drawContours}},
        {{"curvature error", menu::CERR, &Cerr, &drawCurveColor},
         {"difference error", menu::LERR, &lerr, &drawDiffColor}},
    };
    for (const auto& group : groups)
        for (const Member& first : group)
            for (const Member& second : group) {
                if (&first == &second)
                    continue;
                for (bool fromMenu : {false, true}) {
                    SCOPED_TRACE(std::string(first.name) + " then " + second.name + (fromMenu ? " (menu)" : " (panel)"));
                    testing::internal::CaptureStdout();
                    if (fromMenu)
                        pickMenu(first.entry);
                    else
                        clickButton(*first.button);
                    if (fromMenu)
                        pickMenu(second.entry);
                    else
                        clickButton(*second.button);
                    testing::internal::GetCapturedStdout();
                    for (const Member& m : group) {
                        const bool on = &m == &second;
                        EXPECT_EQ(*m.flag, on) << m.name;
                        EXPECT_EQ((*m.button)->value() != 0, on) << m.name;
                        EXPECT_EQ(menuEntry(m.entry).value() != 0, on) << m.name;
                    }
                    // Back to all off for the next pair.
                    if (fromMenu)
                        pickMenu(second.entry);
                    else
                        clickButton(*second.button);
                }
            }
}

TEST_F(TogglesTest, ErrorColouringsExcludeEachOther)
{
    const Switch& curvature = switches[6];
    const Switch& difference = switches[7];
    pickMenu(menu::CERR);
    pickMenu(menu::LERR);
    EXPECT_TRUE(inStep(curvature, false));
    EXPECT_TRUE(inStep(difference, true));
    EXPECT_TRUE(drawDiff);
    clickButton(Cerr);
    EXPECT_TRUE(inStep(difference, false));
    EXPECT_FALSE(drawDiff);
    EXPECT_TRUE(inStep(curvature, true));
}

TEST_F(TogglesTest, TurningAColouringOffTurnsNothingOn)
{
    pickMenu(menu::COLORS);
    pickMenu(menu::COLORS);
    for (const Switch& s : switches)
        EXPECT_TRUE(inStep(s, false)) << s.name;
    EXPECT_FALSE(colorHeightClasses);
}

TEST_F(TogglesTest, MenuHandlersRefuseWithoutTheDataTheyNeed)
{
    FILE_CONST = 1;  // a DEM dialog opened and cancelled after a pair: entries still active
    pickMenu(menu::CONT);
    EXPECT_TRUE(menuEntry(menu::CONT).value());  // the toolkit flipped the mark
    EXPECT_EQ(cont->value(), 0);
    EXPECT_FALSE(drawContours);
    EXPECT_EQ(NOT_MENU & 0xff, 0);
    pickMenu(menu::CERR);  // curvature error asks for nothing
    EXPECT_TRUE(drawCurveColor);
    EXPECT_EQ(Cerr->value(), 1);

    FILE_CONST = 0;
    pickMenu(menu::TRI);
    EXPECT_FALSE(drawTriangles);
    EXPECT_EQ(tri->value(), 0);
}

TEST_F(TogglesTest, HeightClassesStopWithoutComparisonData)
{
    FILE_CONST = 1;
    clickButton(col);
    EXPECT_FALSE(colorHeightClasses);
    EXPECT_TRUE(menuEntry(menu::HEIGHTS).value());  // the mark follows the button all the same
}

TEST_F(TogglesTest, KeysChangeFlagsButNotTheControls)
{
    drawAxes = true;  // as the "a" key does
    clickButton(axes);
    EXPECT_FALSE(drawAxes);  // the button flips the flag from where the key left it
    EXPECT_EQ(axes->value(), 1);
}

TEST_F(TogglesTest, CameraAndSunCommands)
{
    OPEN = true;
    pickMenu(21);  // "Zoom In"
    EXPECT_EQ(eyevalue, STARTEYE + ZOOM);
    pickMenu(18);  // "+X axis"
    EXPECT_EQ(xrotation, XROTATE + 90);
    pickMenu(25);  // "Reset View"
    EXPECT_EQ(eyevalue, STARTEYE);
    EXPECT_EQ(xrotation, XROTATE);
    sunPlusFN(nullptr);
    EXPECT_FLOAT_EQ(position0[0], XPOS + 0.1f);
    sunMinusFN(nullptr);
    sunMinusFN(nullptr);
    EXPECT_FLOAT_EQ(position0[0], XPOS - 0.1f);
}

TEST_F(TogglesTest, ProfileSwitchHasNoMenuEntry)
{
    NOT_MENU = 0;
    clickButton(prof);
    EXPECT_TRUE(plotProfile);
    EXPECT_EQ(NOT_MENU & 0xff, 1);
}

}  // namespace
