// The "Statistics" window: the text it shows is built from the view's results, in both
// modes, with the unit of the panel's counter and the padding of the report.

// gtest first: the X headers that fl_draw.H brings define None.
#include <gtest/gtest.h>

#include <FL/Fl_Counter.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "dialogs/dialogs.h"
#include "model/mountain.h"
#include "tests/dialogs/report_window_fixture.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

std::string pairs(int n) { return std::string(2 * n, ' '); }

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

const std::string DEM_PART =
    "\t\t\t\t\t Statistics\n\n"
    "Gridsize: 3 x 7\n\n"
    "DEM STATISTICS:\nTotal Squared Curvature:" + pairs(8) + "66200.53"
    "\nMaximum Curvature:" + pairs(14) + "111.51"
    "\n\nCounts for curvature levels:\n"
    "   >    3.0" + pairs(13) + "275"
    "\n   >    2.0" + pairs(12) + "1946"
    "\n   >    1.0" + pairs(12) + "4277"
    "\n   <=  1.0" + pairs(11) + "48033";

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
    EXPECT_EQ(out->x(), 0);
    EXPECT_EQ(out->y(), 0);
    EXPECT_EQ(out->w(), 450);
    EXPECT_EQ(out->h(), 400);
    EXPECT_TRUE(emptyLabel(out));
    EXPECT_EQ(out->cursor_color(), FL_WHITE);
    EXPECT_TRUE(out->readonly());
}

TEST_F(StatisticsWindowTest, DemAloneEndsAfterTheFourthLevel) { EXPECT_EQ(report(), DEM_PART); }

TEST_F(StatisticsWindowTest, ComparisonSectionWithRmse)
{
    FILE_CONST = 2;
    rd.setContourInt(20);
    D20 = 12426;
    D15 = 3137;
    D10 = 352;
    D5 = 4;
    D = 0;
    // Against a flat DEM of 10: differences 3 and 6 give sqrt((9 + 36) / 2) = 4.743.
    std::vector<float> spots(21, 0.0f);
    spots[3] = 13;
    spots[17] = 16;
    setGrid(rd, 3, 7, spots);
    EXPECT_EQ(report(), DEM_PART +
                            "\n\nCOMPARISON STATISTCS\n"
                            "Contour interval:   20"
                            "\nCounts for differences relative to contour interval percentage:\n"
                            "   >  20%: " + pairs(12) + "12426"
                            "\n   >  15%: " + pairs(13) + "3137"
                            "\n   >  10%: " + pairs(14) + "352"
                            "\n   >    5%: " + pairs(16) + "4"
                            "\n   <=  5%: " + pairs(16) + "0"
                            "\n\nRMSE: 4.743");
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

TEST_F(StatisticsWindowTest, NoComparisonPointReadsNotAvailableAndTheProgramGoesOn)
{
    struct Case {
        const char* name;
        bool grid;  // a comparison grid of the DEM's size, all 0
    } cases[] = {{"two-file dialog cancelled", false}, {"no point above 0", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FILE_CONST = 2;
        if (c.grid)
            setGrid(rd, 3, 7, flat(3, 7, 0));
        const std::string text = report();
        ASSERT_GE(text.size(), 11u);
        EXPECT_EQ(text.substr(text.size() - 11), "\n\nRMSE: n/a");
        EXPECT_NE(text.find("Contour interval:   0\n"), std::string::npos);
    }
}

TEST_F(StatisticsWindowTest, LevelsFollowTheUnitAndOpenReportsStayAsTheyWere)
{
    const std::string first = report();
    unitSlider1->value(0.3);
    const std::string second = report();
    EXPECT_NE(second.find("   >    0.9" + pairs(13) + "275\n"
                          "   >    0.6" + pairs(12) + "1946\n"
                          "   >    0.3" + pairs(12) + "4277\n"
                          "   <=  0.3" + pairs(11) + "48033"),
              std::string::npos)
        << second;
    EXPECT_EQ(first, DEM_PART);
    EXPECT_EQ(shownWindows("Statistics").size(), 2u);
    for (Fl_Widget* o : opened)
        if (static_cast<Fl_Multiline_Output*>(o)->value() == first)
            return;
    ADD_FAILURE() << "the first report changed";
}

TEST_F(StatisticsWindowTest, PaddingAtAndPastTheWidth)
{
    struct Case {
        float totalSq;
        int c15;
        std::string totalText, c15Text;  // padded as the report pads them
    } cases[] = {
        // 15 characters: one pair; 16: none; 17: none, and nothing is cut.
        {123456790528.0f, 123456789, pairs(1) + "123456790528.00", pairs(7) + "123456789"},
        {1234567954432.0f, 1234567890, "1234567954432.00", pairs(6) + "1234567890"},
        {12345677971456.0f, -2147483647 - 1, "12345677971456.00", pairs(5) + "-2147483648"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.totalText);
        TOTAL_SQ = c.totalSq;
        C15 = c.c15;
        const std::string text = report();
        EXPECT_NE(text.find("Total Squared Curvature:" + c.totalText + "\n"), std::string::npos) << text;
        EXPECT_NE(text.find("   >    3.0" + c.c15Text + "\n"), std::string::npos) << text;
    }
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
