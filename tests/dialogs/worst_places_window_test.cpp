// The "Worst Places" window driven through its real widgets: decisions set on its rows go
// out through "Export..." and come back through "Import..." into a new list, and opening
// another DEM asks before it drops decisions that were not exported, and only then.

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "analysis/current_review.h"
#include "analysis/loader.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "shell/shell_state.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/grid_files.h"

namespace {

namespace menu = karvo::menu;

using Decisions = std::map<std::tuple<PlaceKind, int, int>, std::pair<ReviewStatus, std::string>>;

// The question asked before a review is dropped, answered from a timeout as a user would.
struct QuestionVisit {
    const char* answer = "No";
    bool seen = false;
    int polls = 0;
};

Fl_Widget* findLabelled(Fl_Group* group, const std::string& label)
{
    for (int i = 0; i < group->children(); i++) {
        Fl_Widget* w = group->child(i);
        if (w->label() != nullptr && label == w->label())
            return w;
        if (Fl_Group* g = w->as_group())
            if (Fl_Widget* found = findLabelled(g, label))
                return found;
    }
    return nullptr;
}

void answerQuestion(void* data)
{
    QuestionVisit& visit = *static_cast<QuestionVisit*>(data);
    for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
        if (w->label() == nullptr || std::string(w->label()) != "Unexported Decisions")
            continue;
        visit.seen = true;
        findLabelled(w, visit.answer)->do_callback();
        return;
    }
    if (++visit.polls < 40)
        Fl::repeat_timeout(0.05, answerQuestion, data);
}

class WorstPlacesWindowTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        build();
    }
    void TearDown() override
    {
        Fl::remove_timeout(answerQuestion);
        DialogTest::TearDown();
    }
    // Flat at 100 with five spikes far apart, 50 down to 10 high: five places of each kind,
    // the highest first, against a flat comparison.
    std::string spikes(const std::string& name)
    {
        std::vector<float> heights = flat(30, 30, 100);
        const int at[][3] = {{5, 5, 50}, {5, 20, 40}, {20, 5, 30}, {20, 20, 20}, {12, 12, 10}};
        for (const auto& s : at)
            heights[s[0] * 30 + s[1]] += float(s[2]);
        writeGridValues(dir.file(name), 30, 30, heights);
        return dir.file(name);
    }
    std::string flatFile(const std::string& name)
    {
        writeGridValues(dir.file(name), 30, 30, flat(30, 30, 100));
        return dir.file(name);
    }
    void openWindow()
    {
        menubar->picked(&menuEntry(menu::WORST_PLACES));
        settle();
        const std::vector<Fl_Window*> shown = shownWindows("Worst Places");
        ASSERT_EQ(shown.size(), 1u);
        window = shown.front();
        for (int i = 0; i < window->children(); i++)
            if (Fl_Hold_Browser* b = dynamic_cast<Fl_Hold_Browser*>(window->child(i)))
                rows = b;
        ASSERT_NE(rows, nullptr);
    }
    void showKind(int kind)
    {
        Fl_Choice* choice = dynamic_cast<Fl_Choice*>(findLabelled(window, "Kind:"));
        choice->value(kind);
        choice->do_callback();
    }
    void choose(int line)
    {
        rows->select(line);
        rows->do_callback();
    }
    void press(const char* label) { findLabelled(window, label)->do_callback(); }
    void note(const char* text)
    {
        Fl_Input* input = dynamic_cast<Fl_Input*>(findLabelled(window, "Note:"));
        input->value(text);
        input->do_callback();
    }
    std::string outcome() const
    {
        for (int i = 0; i < window->children(); i++)
            if (Fl_Box* b = dynamic_cast<Fl_Box*>(window->child(i)); b != nullptr && b->label() != nullptr)
                return b->label();
        return "";
    }
    static Decisions decisions()
    {
        Decisions held;
        for (const ReviewEntry& e : placeReview.entries())
            if (e.status != ReviewStatus::unreviewed || !e.note.empty())
                held[{e.place.kind, e.place.row, e.place.col}] = {e.status, e.note};
        return held;
    }
    // Opens dem alone while a timeout stands ready to answer the question; whether it came.
    bool openAnswering(const std::string& dem, const char* answer)
    {
        QuestionVisit visit;
        visit.answer = answer;
        Fl::add_timeout(0.05, answerQuestion, &visit);
        openOne(dem);
        Fl::remove_timeout(answerQuestion, &visit);
        return visit.seen;
    }

    Fl_Window* window = nullptr;
    Fl_Hold_Browser* rows = nullptr;
};

TEST_F(WorstPlacesWindowTest, DecisionsGoOutAndComeBackIntoANewList)
{
    const std::string dem = spikes("dem.grd");
    openTwo(dem, flatFile("flat.grd"), &demCheck);
    openWindow();
    ASSERT_EQ(rows->size(), 5);
    EXPECT_EQ(std::string(rows->text(1)).substr(0, 6), "1\t5\t5\t");  // the highest spike first
    choose(1);
    press("Confirmed");
    note("@ridge\tcut");  // a browser format and a tab, kept as typed
    choose(4);
    press("Dismissed");
    showKind(1);
    ASSERT_EQ(rows->size(), 5);
    choose(2);
    press("Confirmed");
    choose(3);
    note("check the sheet");
    EXPECT_NE(std::string(rows->text(2)).find("\tconfirmed\t"), std::string::npos);
    const Decisions made = decisions();
    ASSERT_EQ(made.size(), 4u);
    EXPECT_EQ(made.at({PlaceKind::curvature, 5, 5}), std::make_pair(ReviewStatus::confirmed, std::string("@ridge\tcut")));

    const std::string file = dir.file("review.geojson");
    ASSERT_TRUE(exportReview(file));
    EXPECT_EQ(outcome(), "Exported 10 places to " + file);
    EXPECT_FALSE(openAnswering(dem, "No"));  // everything exported: no question
    EXPECT_TRUE(decisions().empty());
    EXPECT_EQ(placeReview.entries().size(), 5u);  // the list of a DEM alone
    openTwo(dem, flatFile("flat.grd"), &demCheck);
    EXPECT_EQ(placeReview.entries().size(), 10u);

    ASSERT_TRUE(importReview(file));
    EXPECT_EQ(decisions(), made);
    EXPECT_EQ(outcome(), "Restored: 10; unknown places: 0");
    EXPECT_FALSE(placeReview.hasUnexportedDecisions());
    showKind(0);
    EXPECT_NE(std::string(rows->text(4)).find("\tdismissed\t"), std::string::npos);

    // A smaller list keeps the decisions on the places it leaves out.
    Fl_Counter* places = dynamic_cast<Fl_Counter*>(findLabelled(window, "Places:"));
    places->value(2);
    places->do_callback();
    EXPECT_EQ(rows->size(), 3);
    EXPECT_EQ(decisions(), made);
}

TEST_F(WorstPlacesWindowTest, OnlyUnexportedDecisionsAreWorthAQuestion)
{
    const std::string first = spikes("first.grd"), second = spikes("second.grd");
    openOne(first);
    openWindow();
    EXPECT_FALSE(openAnswering(second, "No"));
    EXPECT_EQ(demSourceName(), second);

    choose(2);
    press("Dismissed");
    EXPECT_TRUE(openAnswering(first, "No"));
    EXPECT_EQ(demSourceName(), second);  // the DEM and its review stay
    EXPECT_TRUE(dialogShown());
    EXPECT_EQ(decisions().size(), 1u);

    EXPECT_TRUE(openAnswering(first, "Yes"));
    EXPECT_EQ(demSourceName(), first);
    EXPECT_TRUE(decisions().empty());
    EXPECT_EQ(rows->size(), 5);
    EXPECT_FALSE(openAnswering(second, "No"));
}

TEST_F(WorstPlacesWindowTest, FilesThatAreRefusedChangeNothing)
{
    const std::string dem = spikes("dem.grd");
    openOne(dem);
    openWindow();
    choose(1);
    press("Confirmed");
    EXPECT_FALSE(exportReview(dem));
    EXPECT_EQ(shownError(), "The file cannot be written.");
    EXPECT_EQ(std::string(errorWin->child(1)->label()),
              "Cannot write " + dem + ": it is the same file as the input " + dem);
    EXPECT_TRUE(placeReview.hasUnexportedDecisions());

    EXPECT_FALSE(importReview(dem));
    EXPECT_EQ(shownError(), "Invalid places file.");
    EXPECT_EQ(decisions().size(), 1u);
}

}  // namespace
