// What the viewer hands over, driven through its real widgets: the "Worst Places" review
// exported and imported into a new list, the question before unexported decisions are
// dropped (and only then), "Save Report..." and "Fit Curvature Unit".

#include <FL/Fl.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Window.H>

#include <array>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "analysis/current_review.h"
#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "shell/curvature_unit.h"
#include "shell/shell_state.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/grid_files.h"
#include "view/picked_cell.h"

namespace {

using Decisions = std::map<std::tuple<PlaceKind, int, int>, std::pair<ReviewStatus, std::string>>;

std::string contents(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// The question before a review is dropped, answered from a timeout as a user would.
struct Question {
    const char* answer;
    bool seen = false;
};

class HandOverTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        build();
        // Flat at 100 with five spikes far apart, 50 down to 10 high: each spike and its
        // four neighbours (curvature 4h and h) are the 25 cells above 3 units of 1.
        std::vector<float> heights = flat(30, 30, 100);
        for (const auto& s : {std::array<int, 3>{5, 5, 50}, {5, 20, 40}, {20, 5, 30}, {20, 20, 20}, {12, 12, 10}})
            heights[s[0] * 30 + s[1]] += float(s[2]);
        writeGridValues(dem, 30, 30, heights);
        writeGridValues(level, 30, 30, flat(30, 30, 100));
    }
    void pick(int entry)
    {
        menubar->picked(&menuEntry(entry));
        settle();
    }
    void openWindow()
    {
        pick(karvo::menu::WORST_PLACES);
        ASSERT_EQ(shownWindows("Worst Places").size(), 1u);
        window = shownWindows("Worst Places").front();
        for (int i = 0; i < window->children(); i++)
            if (auto* b = dynamic_cast<Fl_Hold_Browser*>(window->child(i)))
                rows = b;
    }
    void showKind(int kind)
    {
        auto* choice = dynamic_cast<Fl_Choice*>(child(window, "Kind:"));
        choice->value(kind);
        choice->do_callback();
    }
    void decide(int line, const char* status, const char* note = nullptr)
    {
        rows->select(line);
        rows->do_callback();
        child(window, status)->do_callback();
        if (note != nullptr) {
            static_cast<Fl_Input*>(child(window, "Note:"))->value(note);
            child(window, "Note:")->do_callback();
        }
    }
    static Decisions decisions()
    {
        Decisions held;
        for (const ReviewEntry& e : placeReview.entries())
            if (e.status != ReviewStatus::unreviewed || !e.note.empty())
                held[{e.place.kind, e.place.row, e.place.col}] = {e.status, e.note};
        return held;
    }
    static void answer(void* data)
    {
        Question& q = *static_cast<Question*>(data);
        for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w))
            if (w->label() != nullptr && std::string(w->label()) == "Unexported Decisions") {
                q.seen = true;
                child(w, q.answer)->do_callback();
                return;
            }
        Fl::repeat_timeout(0.05, answer, data);
    }
    // Opens path alone with a timeout ready to answer; whether the question came.
    bool openAnswering(const std::string& path, const char* reply)
    {
        Question q{reply};
        Fl::add_timeout(0.05, answer, &q);
        openOne(path);
        Fl::remove_timeout(answer, &q);
        return q.seen;
    }

    std::string dem = dir.file("dem.grd"), level = dir.file("level.grd");
    Fl_Window* window = nullptr;
    Fl_Hold_Browser* rows = nullptr;
};

TEST_F(HandOverTest, ReviewDecisionsGoOutAndComeBackAndAreNotDroppedUnasked)
{
    openTwo(dem, level, &demCheck);
    openWindow();
    ASSERT_EQ(rows->size(), 5);
    EXPECT_EQ(std::string(rows->text(1)).substr(0, 6), "1\t5\t5\t");  // the highest spike first
    decide(1, "Confirmed", "@ridge\tcut");  // a browser format and a tab, kept as typed
    EXPECT_TRUE(pickedCell().picked && pickedCell().row == 5 && pickedCell().col == 5);  // the row chosen
    decide(4, "Dismissed");
    showKind(1);
    ASSERT_EQ(rows->size(), 5);
    decide(2, "Confirmed");
    decide(3, "Unreviewed", "check the sheet");
    EXPECT_NE(std::string(rows->text(2)).find("\tconfirmed\t"), std::string::npos);
    const Decisions made = decisions();
    ASSERT_EQ(made.size(), 4u);

    const std::string file = dir.file("review.geojson");
    ASSERT_TRUE(exportReview(file));
    EXPECT_FALSE(openAnswering(dem, "No"));  // all exported: no question, a new list
    EXPECT_TRUE(decisions().empty());
    openTwo(dem, level, &demCheck);
    ASSERT_TRUE(importReview(file));
    EXPECT_EQ(decisions(), made);
    EXPECT_STREQ(window->child(window->children() - 1)->label(), "Restored: 10; unknown places: 0");
    EXPECT_FALSE(placeReview.hasUnexportedDecisions());

    // A shorter list keeps the decisions on the places it leaves out.
    Fl_Counter* places = dynamic_cast<Fl_Counter*>(child(window, "Places:"));
    places->value(2);
    places->do_callback();
    EXPECT_EQ(rows->size(), 3);
    EXPECT_EQ(decisions(), made);

    // Only a decision not exported is worth the question; "No" keeps the DEM and its review.
    decide(1, "Dismissed");
    EXPECT_TRUE(openAnswering(level, "No"));
    EXPECT_EQ(demSourceName(), dem);
    EXPECT_TRUE(dialogShown());
    EXPECT_EQ(decisions().size(), 5u);
    EXPECT_TRUE(openAnswering(level, "Yes"));
    EXPECT_EQ(demSourceName(), level);
    EXPECT_TRUE(decisions().empty());
}

TEST_F(HandOverTest, TheReportHoldsTheGridsFiguresAndNoOutputReplacesAnInput)
{
    openTwo(dem, level, &demCheck);
    ASSERT_TRUE(saveReport(dir.file("report.html")));
    const std::string html = contents(dir.file("report.html")), cell = "<td[^>]*>";
    EXPECT_NE(html.find("data:image/png;base64,"), std::string::npos);
    EXPECT_TRUE(std::regex_search(html, std::regex(cell + "3</td>" + cell + "[^<]*</td>" + cell + "25</td>")));
    EXPECT_TRUE(std::regex_search(html, std::regex(cell + "1</td>" + cell + "5</td>" + cell + "5</td>")));

    openWindow();
    decide(1, "Confirmed");
    const std::string before = contents(level);
    for (bool (*write)(const std::string&) : {saveReport, exportReview}) {
        EXPECT_FALSE(write(level));
        EXPECT_EQ(shownError(), "The file cannot be written.");
        EXPECT_EQ(std::string(errorWin->child(1)->label()),
                  "Cannot write " + level + ": it is the same file as the input " + level);
    }
    EXPECT_EQ(contents(level), before);
    EXPECT_TRUE(placeReview.hasUnexportedDecisions());
    EXPECT_FALSE(importReview(dem));
    EXPECT_EQ(shownError(), "Invalid places file.");
}

TEST_F(HandOverTest, AFittedUnitGradesAboutOnePerCentAtTheTopLevel)
{
    openOne(level);
    pick(karvo::menu::FIT_UNIT);
    EXPECT_EQ(shownError(), "The curvature unit cannot be fitted.");
    EXPECT_EQ(unitSlider1->value(), 1);

    const unsigned seed = 20261209;
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-5, 5);
    writeGridValues(dir.file("noise.grd"), 60, 60, surface(60, 60, [&](int, int) { return 100 + noise(random); }));
    openOne(dir.file("noise.grd"));
    const int graded = C15 + C10 + C5 + C;
    ASSERT_GT(C15, graded / 2);  // at unit 1 most of the grid is at the top
    pick(karvo::menu::FIT_UNIT);
    EXPECT_GT(unitSlider1->value(), 1);
    EXPECT_FLOAT_EQ(float(unitSlider1->value()), units);
    EXPECT_GE(double(C15) / graded, 0.005);
    EXPECT_LE(double(C15) / graded, 0.016);
    ASSERT_EQ(shownWindows("Curvature Unit").size(), 1u);
    const std::string line = static_cast<Fl_Multiline_Output*>(shownWindows("Curvature Unit")[0]->child(0))->value();
    EXPECT_NE(line.find("(fitted: 99th percentile"), std::string::npos);
    ASSERT_TRUE(saveReport(dir.file("fitted.html")));
    EXPECT_NE(contents(dir.file("fitted.html")).find("fitted to the data"), std::string::npos);
    unitSlider1->do_callback();
    EXPECT_FALSE(unitFitInForce());  // a unit the user sets is no fit
}

}  // namespace
