// The "File Error" window.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

#include <string>

#include "dialogs/dialog_state.h"
#include "dialogs/open_dialogs.h"
#include "tests/support/dialog_fixture.h"

namespace {

TEST_F(DialogTest, ErrorWindowShowsTheMessageOfEachCode)
{
    build();
    const char* messages[] = {
        "",
        "Invalid DEM file.",
        "Files do not match",
        "You must select a comparison filetype.",
        "Invalid DEM and comparison files.",
        "Invalid comparison file.",
        "Missing filename/s.",
        "Select units.",
        "Not enough memory.",
        "",
    };
    for (int code = 0; code <= 9; code++) {
        SCOPED_TRACE(code);
        errorMessage(code);
        settle();
        ASSERT_NE(errorWin, nullptr);
        EXPECT_EQ(shownError(), messages[code]);
        EXPECT_STREQ(errorWin->label(), "File Error");
        EXPECT_EQ(errorWin->w(), 200);
        EXPECT_EQ(errorWin->h(), 100);
        EXPECT_EQ(shownWindows("File Error").size(), 1u);  // the previous one went
        ASSERT_EQ(errorWin->children(), 2);
        Fl_Widget* text = errorWin->child(0);
        EXPECT_EQ(text->x(), 50);
        EXPECT_EQ(text->y(), 20);
        EXPECT_EQ(text->w(), 100);
        EXPECT_EQ(text->h(), 20);
        EXPECT_EQ(text->labeltype(), FL_NORMAL_LABEL);
    }
    Fl_Widget* ok = child(errorWin, "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->x(), 75);
    EXPECT_EQ(ok->y(), 50);
    EXPECT_EQ(ok->w(), 50);
    EXPECT_EQ(ok->h(), 20);
    ok->do_callback();
    settle();
    EXPECT_TRUE(shownWindows("File Error").empty());
}

}  // namespace
