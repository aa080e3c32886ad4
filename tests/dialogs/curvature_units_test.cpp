// The curvature unit: the "Curvature Error" dialog and the panel's counter hand the unit
// to the view, and the legend follows.

#include <FL/Fl_Counter.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Value_Output.H>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/curvature.h"
#include "dialogs/dialogs.h"
#include "model/mountain.h"
#include "tests/dialogs/report_window_fixture.h"
#include "tests/support/grid_files.h"
#include "tests/support/layout_facts.h"
#include "tests/support/model_fixture.h"
#include "view/my_window.h"

namespace {

class CurvatureUnitsTest : public ReportWindowTest {
protected:
    void SetUp() override
    {
        ReportWindowTest::SetUp();
        // One spike of 2.5 on flat ground: curvature 10 at the spike, 2.5 at its four
        // neighbours and 0 at the other 31 graded cells of the 6 x 6.
        buildDem(7, 7, spike(7, 7, 100, 3, 3, 2.5f));
    }
    Fl_Counter* openDialog()
    {
        modCurve(nullptr);
        settle();
        return unitSlider;
    }
    void move(Fl_Counter* counter, double value)
    {
        counter->value(value);
        counter->do_callback();
    }
    ::testing::AssertionResult legend(double one)
    {
        const double got[3] = {cerrLabel->value(), cerr2Label->value(), cerr3Label->value()};
        for (int k = 0; k < 3; k++)
            if (std::abs(got[k] - (k + 1) * one) > 1e-9)
                return ::testing::AssertionFailure()
                       << "legend " << got[0] << ", " << got[1] << ", " << got[2] << " for unit " << one;
        return ::testing::AssertionSuccess();
    }
    // Points above 3, 2 and 1 units and at most 1 unit, as the view grades them now.
    std::vector<int> levels()
    {
        float maxCurve, totalSq;
        int c15, c10, c5, c, rows, cols;
        gl->getStats(maxCurve, totalSq, c15, c10, c5, c, rows, cols);
        return {c15, c10, c5, c};
    }
};

TEST_F(CurvatureUnitsTest, DialogLayoutStartsFromTheUnitInForce)
{
    unitSlider1->value(2.3);
    Fl_Counter* counter = openDialog();
    ASSERT_NE(counter, nullptr);
    Fl_Window* dialog = counter->window();
    EXPECT_STREQ(dialog->label(), "Curvature Error");
    // Asked for at 0, 0; the toolkit keeps a minimal border (1 left, 20 top) on screen.
    EXPECT_LE(dialog->x(), 1);
    EXPECT_LE(dialog->y(), 20);
    EXPECT_EQ(dialog->w(), 300);
    EXPECT_EQ(dialog->h(), 200);
    EXPECT_EQ(dialog->children(), 1);
    EXPECT_STREQ(counter->label(), "Curvature Error Units");
    EXPECT_TRUE(laidOut(dialog));
    EXPECT_EQ(counter->align(), FL_ALIGN_TOP);
    EXPECT_DOUBLE_EQ(counter->value(), 2.3);
    EXPECT_DOUBLE_EQ(counter->step(), 0.1);
    EXPECT_DOUBLE_EQ(counter->minimum(), 0.5);
    EXPECT_DOUBLE_EQ(counter->maximum(), 5);
    EXPECT_EQ(counter->box(), FL_PLASTIC_UP_BOX);
    EXPECT_EQ(counter->callback(), updateUnit);
}

TEST_F(CurvatureUnitsTest, ArrowsStepByATenthAndAHalfBetweenTheLimits)
{
    Fl_Counter* counter = openDialog();
    // Presses on the inner and outer right arrows, then on the outer left one.
    auto press = [counter](int x) {
        Fl::e_x = counter->x() + x;
        Fl::e_y = counter->y() + counter->h() / 2;
        counter->handle(FL_PUSH);
        counter->handle(FL_RELEASE);
    };
    const int outerRight = counter->w() - 2, innerRight = counter->w() - counter->w() * 15 / 51 - 2, outerLeft = 2;
    struct Step {
        int x;
        double from, to;
    } steps[] = {{outerRight, 1, 1.5}, {innerRight, 1, 1.1}, {outerRight, 4.8, 5}, {outerLeft, 0.7, 0.5}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.from);
        counter->value(s.from);
        press(s.x);
        EXPECT_NEAR(counter->value(), s.to, 1e-9);
        EXPECT_NEAR(unitSlider1->value(), s.to, 1e-9);
        EXPECT_TRUE(legend(s.to));
    }
}

TEST_F(CurvatureUnitsTest, TheDialogSetsTheUnitTheCounterAndTheLegend)
{
    EXPECT_EQ(levels(), std::vector<int>({1, 4, 0, 31}));  // unit 1
    Fl_Counter* counter = openDialog();
    move(counter, 0.5);
    EXPECT_DOUBLE_EQ(unitSlider1->value(), 0.5);
    EXPECT_EQ(units, 0.5f);
    EXPECT_TRUE(legend(0.5));
    EXPECT_DOUBLE_EQ(cerr3Label->value(), 1.5);
    EXPECT_EQ(levels(), std::vector<int>({5, 0, 0, 31}));  // 10 and 2.5 both above 1.5
    EXPECT_TRUE(Fl::focus() == gl);

    move(counter, 5);
    EXPECT_EQ(levels(), std::vector<int>({0, 0, 1, 35}));  // 10 is not above 10
}

TEST_F(CurvatureUnitsTest, ThePanelCounterLeavesAnOpenDialogAlone)
{
    Fl_Counter* counter = openDialog();
    move(counter, 0.7);
    move(unitSlider1, 2);
    EXPECT_EQ(units, 2.0f);
    EXPECT_TRUE(legend(2));
    EXPECT_DOUBLE_EQ(counter->value(), 0.7);
    EXPECT_EQ(levels(), std::vector<int>({1, 0, 4, 31}));

    // The next change in the dialog takes over again.
    move(counter, 0.8);
    EXPECT_DOUBLE_EQ(unitSlider1->value(), 0.8);
    EXPECT_EQ(units, 0.8f);
    EXPECT_TRUE(legend(0.8));
}

TEST_F(CurvatureUnitsTest, ANewStatisticsWindowPrintsTheLevelsOfTheNewUnit)
{
    move(openDialog(), 0.9);
    stats(nullptr);
    settle();
    const std::vector<Fl_Window*> reports = shownWindows("Statistics");
    ASSERT_EQ(reports.size(), 1u);
    const std::string text = static_cast<Fl_Multiline_Output*>(reports[0]->child(0))->value();
    // 10 above 2.7; 2.5 above 1.8 but not 2.7. Counts are padded to 16 by pairs of spaces.
    EXPECT_NE(text.find("   >    2.7" + std::string(30, ' ') + "1\n"
                        "   >    1.8" + std::string(30, ' ') + "4\n"
                        "   >    0.9" + std::string(30, ' ') + "0\n"
                        "   <=  0.9" + std::string(28, ' ') + "31"),
              std::string::npos)
        << text;
}

TEST_F(CurvatureUnitsTest, EachDialogAppliesItsOwnValue)
{
    Fl_Counter* older = openDialog();
    Fl_Counter* newer = openDialog();
    ASSERT_NE(older, newer);
    EXPECT_EQ(unitSlider, newer);
    newer->value(3);
    move(older, 1.2);
    EXPECT_DOUBLE_EQ(unitSlider1->value(), 1.2);
    EXPECT_TRUE(legend(1.2));
}

TEST_F(CurvatureUnitsTest, TheLegendShowsTheUnitsAsNumbers)
{
    move(unitSlider1, 0.5);
    struct Expected {
        Fl_Value_Output* field;
        const char* text;
    } expected[] = {{cerrLabel, "0.5"}, {cerr2Label, "1"}, {cerr3Label, "1.5"}};
    for (const Expected& e : expected) {
        char text[128];
        e.field->format(text);
        EXPECT_STREQ(text, e.text);
    }
}

}  // namespace
