// The "Statistics" window: it shows the statistics text of the published results, in the
// mode of the last open dialog and with the unit of the panel's counter; the text itself
// is statistics_text_test's.

// gtest first: the X headers that fl_draw.H brings define None.
#include <gtest/gtest.h>

#include <FL/Fl_Counter.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>

#include "analysis/curvature.h"
#include "analysis/statistics_text.h"
#include "dialogs/dialogs.h"
#include "model/mountain.h"
#include "tests/dialogs/report_window_fixture.h"
#include "tests/support/grid_files.h"
#include "tests/support/layout_facts.h"
#include "tests/support/model_fixture.h"

namespace {

class StatisticsWindowTest : public ReportWindowTest {
protected:
    void SetUp() override
    {
        ReportWindowTest::SetUp();
        setGrid(mt, 3, 7, flat(3, 7, 10));
        MAX_CURVE = 111.51f;
        TOTAL_SQ = 66200.53f;
        C15 = 275;
        C10 = 1946;
        C5 = 4277;
        C = 48033;
        FILE_CONST = 1;
    }

    // Opens a statistics window and returns its text.
    std::string report()
    {
        const size_t before = shownWindows("Statistics").size();
        stats(nullptr);
        settle();
        const std::vector<Fl_Window*> shown = shownWindows("Statistics");
        EXPECT_EQ(shown.size(), before + 1);
        std::vector<Fl_Multiline_Output*> outputs;
        for (Fl_Window* w : shown) {
            outputs = children<Fl_Multiline_Output>(w);
            if (!outputs.empty() && !seen(outputs[0]))
                break;
            outputs.clear();
        }
        if (outputs.size() != 1) {
            ADD_FAILURE() << "no new statistics window";
            return "";
        }
        opened.push_back(outputs[0]);
        return outputs[0]->value();
    }
    bool seen(Fl_Widget* w) const
    {
        for (Fl_Widget* o : opened)
            if (o == w)
                return true;
        return false;
    }
    std::vector<Fl_Widget*> opened;
};

TEST_F(StatisticsWindowTest, WindowAndField)
{
    report();
    Fl_Window* w = shownWindows("Statistics").at(0);
    // Asked for at 0, 0; the toolkit keeps a minimal border (1 left, 20 top) on screen.
    EXPECT_LE(w->x(), 1);
    EXPECT_LE(w->y(), 20);
    EXPECT_EQ(w->w(), 450);
    EXPECT_EQ(w->h(), 400);
    ASSERT_EQ(w->children(), 1);
    Fl_Multiline_Output* out = dynamic_cast<Fl_Multiline_Output*>(w->child(0));
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(laidOut(w));
    EXPECT_EQ(out->w() * out->h(), w->w() * w->h());  // the text fills the window
    EXPECT_TRUE(emptyLabel(out));
    EXPECT_EQ(out->cursor_color(), FL_WHITE);
    EXPECT_TRUE(out->readonly());
}

TEST_F(StatisticsWindowTest, ShowsTheTextOfTheResultsInTheModeAndUnitInForce)
{
    struct Case {
        const char* name;
        int fileConst;
        double unit;
        bool comparisonGrid;
    } cases[] = {{"DEM alone", 1, 1, false},
                 {"unit of the panel", 1, 0.3, false},
                 {"two-file dialog cancelled: no comparison point", 2, 1, false},
                 {"with comparison data", 2, 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FILE_CONST = c.fileConst;
        unitSlider1->value(c.unit);
        if (c.comparisonGrid)
            setGrid(rd, 3, 7, spike(3, 7, 0, 1, 3, 13));
        EXPECT_EQ(report(), statisticsText(currentStatistics(c.unit, c.fileConst == 2)));
    }
}

TEST_F(StatisticsWindowTest, ComparisonReportFitsTheWindowDownToTheRmse)
{
    FILE_CONST = 2;
    const std::string text = report();
    auto* out = static_cast<Fl_Multiline_Output*>(opened.at(0));
    fl_font(out->textfont(), out->textsize());
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_LE(lines * fl_height(), out->h() - Fl::box_dh(out->box()));
}

TEST_F(StatisticsWindowTest, OpenReportsStayAsTheyWere)
{
    const std::string first = report();
    unitSlider1->value(0.3);
    EXPECT_NE(report(), first);
    EXPECT_EQ(shownWindows("Statistics").size(), 2u);
    EXPECT_EQ(static_cast<Fl_Multiline_Output*>(opened.at(0))->value(), first);
}

TEST_F(StatisticsWindowTest, ClosingAReportReleasesIt)
{
    report();
    Fl_Window* w = shownWindows("Statistics").at(0);
    Fl_Widget_Tracker tracker(w);
    w->do_callback();
    settle();
    EXPECT_TRUE(tracker.deleted());
    EXPECT_TRUE(shownWindows("Statistics").empty());
    EXPECT_TRUE(win->shown());
}

}  // namespace
