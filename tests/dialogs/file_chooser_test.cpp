// The "Search..." buttons: a real file chooser in its nested event loop, answered from a
// timeout as a user would answer it.

#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include <filesystem>
#include <string>

#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "shell/shell_state.h"
#include "tests/support/dialog_fixture.h"

namespace {

struct ChooserVisit {
    std::string answer;  // the path to choose; "" to cancel
    bool seen = false;
    std::string directory, filter, title;
    int type = -1;
    int polls = 0;
};

Fl_Widget* findLabelled(Fl_Group* group, const char* label)
{
    for (int i = 0; i < group->children(); i++) {
        Fl_Widget* w = group->child(i);
        if (w->label() != nullptr && std::string(w->label()) == label)
            return w;
        if (Fl_Group* g = w->as_group())
            if (Fl_Widget* found = findLabelled(g, label))
                return found;
    }
    return nullptr;
}

void answerChooser(void* data)
{
    ChooserVisit& visit = *static_cast<ChooserVisit*>(data);
    for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
        if (w == openwin || w->label() == nullptr || std::string(w->label()) != "Open File")
            continue;
        // The chooser's window carries the chooser as its user data.
        Fl_File_Chooser* chooser = static_cast<Fl_File_Chooser*>(w->user_data());
        visit.seen = true;
        visit.directory = chooser->directory();
        // Every filter it offers, in order, each followed by a tab.
        for (int i = 0; i < 3; i++) {
            chooser->filter_value(i);
            visit.filter += std::string(chooser->filter()) + "\t";
        }
        chooser->filter_value(0);
        visit.title = chooser->label();
        visit.type = chooser->type();
        if (visit.answer.empty()) {
            findLabelled(w, "Cancel")->do_callback();
        } else {
            chooser->value(visit.answer.c_str());
            findLabelled(w, "OK")->do_callback();
        }
        return;
    }
    if (++visit.polls < 200)
        Fl::repeat_timeout(0.05, answerChooser, data);
}

class FileChooserTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        build();
        FILE_CONST = 1;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        DialogTest::TearDown();
    }
    ChooserVisit search(int nth, const std::string& answer)
    {
        ChooserVisit visit;
        visit.answer = answer;
        Fl::add_timeout(0.05, answerChooser, &visit);
        press("Search...", nth);
        Fl::remove_timeout(answerChooser, &visit);
        return visit;
    }
    std::filesystem::path previous;
};

TEST_F(FileChooserTest, ChosenPathFillsTheFieldAndCancelEmptiesIt)
{
    struct Row {
        const char* name;
        void (*build)(Fl_Widget*, void*);
        int button;
        Fl_Input** field;
    } rows[] = {
        {"DEM File", file, 0, &finput},
        {"two files, DEM", files, 0, &finput},
        {"two files, comparison", files, 1, &finput2},
        {"add/change", addChange, 0, &ainput},
    };
    const std::string chosen = dir.file("new name.grd");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        r.build(nullptr, nullptr);
        ChooserVisit visit = search(r.button, chosen);
        ASSERT_TRUE(visit.seen);
        EXPECT_EQ(visit.filter, "*.grd\t*.{tif,tiff}\t*\t");  // text grids first, then GeoTIFF and all files
        EXPECT_EQ(visit.title, "Open File");
        EXPECT_EQ(visit.type, Fl_File_Chooser::CREATE);
        EXPECT_EQ((*r.field)->value(), chosen);

        ASSERT_TRUE(search(r.button, "").seen);
        EXPECT_STREQ((*r.field)->value(), "");
        EXPECT_TRUE(dialogShown());
    }
}

TEST_F(FileChooserTest, StartsInTheDataDirectoryWhenThereIsOne)
{
    file(nullptr);
    const std::filesystem::path here = std::filesystem::current_path();
    EXPECT_EQ(std::filesystem::path(search(0, "").directory), here);

    std::filesystem::create_directory(DIRECTORY);
    EXPECT_EQ(std::filesystem::path(search(0, "").directory), here / DIRECTORY);
}

}  // namespace
