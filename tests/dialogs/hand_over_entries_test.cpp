// "Save Report..." and "Fit Curvature Unit" on the data set shown: the page holds the
// figures of the grid written, never replaces an input, and a fitted unit grades about the
// worst one per cent of cells at the top level and is stated in the counter, its window and
// the page.

#include <FL/Fl_Counter.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Window.H>

#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/curvature.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "shell/curvature_unit.h"
#include "shell/shell_state.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/grid_files.h"

namespace {

namespace menu = karvo::menu;

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class HandOverEntriesTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        build();
    }
    void pick(int entry)
    {
        menubar->picked(&menuEntry(entry));
        settle();
    }
    // Flat at 100 with five spikes far apart, 50 down to 10 high: each spike and its four
    // neighbours (curvature 4h and h) are the 25 cells above 3 units of 1.
    std::string spikes(const std::string& name)
    {
        std::vector<float> heights = flat(30, 30, 100);
        const int at[][3] = {{5, 5, 50}, {5, 20, 40}, {20, 5, 30}, {20, 20, 20}, {12, 12, 10}};
        for (const auto& s : at)
            heights[s[0] * 30 + s[1]] += float(s[2]);
        writeGridValues(dir.file(name), 30, 30, heights);
        return dir.file(name);
    }
    static int gradedCells() { return C15 + C10 + C5 + C; }
};

TEST_F(HandOverEntriesTest, TheReportHoldsTheFiguresOfTheGridAndNeverReplacesAnInput)
{
    EXPECT_FALSE(menuEntry(menu::SAVE_REPORT).active());
    const std::string dem = spikes("dem.grd");
    writeGridValues(dir.file("flat.grd"), 30, 30, flat(30, 30, 100));
    openTwo(dem, dir.file("flat.grd"), &demCheck);
    EXPECT_TRUE(menuEntry(menu::SAVE_REPORT).active());

    const std::string page = dir.file("report.html");
    ASSERT_TRUE(saveReport(page));
    const std::string html = contents(page);
    EXPECT_NE(html.find(dem), std::string::npos);
    EXPECT_NE(html.find(dir.file("flat.grd")), std::string::npos);
    EXPECT_NE(html.find("data:image/png;base64,"), std::string::npos);
    const std::string cell = "<td[^>]*>";
    EXPECT_TRUE(std::regex_search(html, std::regex(cell + "3</td>" + cell + "[^<]*</td>" + cell + "25</td>")))
        << "the 25 cells at curvature level 3";
    EXPECT_TRUE(std::regex_search(html, std::regex(cell + "1</td>" + cell + "5</td>" + cell + "5</td>")))
        << "the highest spike as the worst place";

    const std::string before = contents(dem);
    EXPECT_FALSE(saveReport(dem));
    EXPECT_EQ(shownError(), "The file cannot be written.");
    EXPECT_EQ(std::string(errorWin->child(1)->label()),
              "Cannot write " + dem + ": it is the same file as the input " + dem);
    EXPECT_EQ(contents(dem), before);
}

TEST_F(HandOverEntriesTest, AFittedUnitGradesAboutOnePerCentAtTheTopLevel)
{
    const unsigned seed = 20261209;
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-5, 5);
    std::vector<float> heights(60 * 60);
    for (float& h : heights)
        h = 100 + noise(random);
    writeGridValues(dir.file("noise.grd"), 60, 60, heights);
    openOne(dir.file("noise.grd"));
    const int topBefore = C15;
    ASSERT_GT(topBefore, gradedCells() / 2);  // at unit 1 most of the grid is at the top

    pick(menu::FIT_UNIT);
    const double unit = unitSlider1->value();
    EXPECT_GT(unit, 1);
    EXPECT_FLOAT_EQ(float(unit), units);
    EXPECT_DOUBLE_EQ(cerr3Label->value(), 3 * unit);
    const double share = double(C15) / gradedCells();
    EXPECT_GE(share, 0.005);
    EXPECT_LE(share, 0.016);
    const std::vector<Fl_Window*> shown = shownWindows("Curvature Unit");
    ASSERT_EQ(shown.size(), 1u);
    const std::string line = static_cast<Fl_Multiline_Output*>(shown.front()->child(0))->value();
    EXPECT_EQ(line.substr(0, 16), "Curvature unit: ");
    EXPECT_NE(line.find("(fitted: 99th percentile"), std::string::npos);

    ASSERT_TRUE(saveReport(dir.file("fitted.html")));
    EXPECT_NE(contents(dir.file("fitted.html")).find("fitted to the data"), std::string::npos);
    // The counter's arrows stay at the unit: its range takes it in.
    EXPECT_LE(unitSlider1->minimum(), unit);
    EXPECT_GE(unitSlider1->maximum(), unit);
    unitSlider1->value(2);
    unitSlider1->do_callback();
    EXPECT_FALSE(unitFitInForce().has_value());  // the user's unit is no fit
}

TEST_F(HandOverEntriesTest, AFlatGridHasNoUnitToFit)
{
    writeGridValues(dir.file("flat.grd"), 20, 20, flat(20, 20, 100));
    openOne(dir.file("flat.grd"));
    const int top = C15, graded = gradedCells();
    pick(menu::FIT_UNIT);
    EXPECT_EQ(shownError(), "The curvature unit cannot be fitted.");
    EXPECT_NE(std::string(errorWin->child(1)->label()).find("is 0; the unit stays 1"), std::string::npos);
    EXPECT_EQ(unitSlider1->value(), 1);
    EXPECT_EQ(units, 1);
    EXPECT_EQ(std::make_pair(C15, gradedCells()), std::make_pair(top, graded));
    EXPECT_TRUE(shownWindows("Curvature Unit").empty());
}

}  // namespace
