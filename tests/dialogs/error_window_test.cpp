// The "File Error" window.

// gtest first: the X headers that fl_draw.H brings define None.
#include <gtest/gtest.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

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
        "The comparison file does not overlap the DEM.",
        "The comparison file cannot be aligned with the DEM.",
        "Invalid checkpoint file.",
        "",
    };
    for (int code = 0; code <= 12; code++) {
        SCOPED_TRACE(code);
        errorMessage(code);
        settle();
        ASSERT_NE(errorWin, nullptr);
        EXPECT_EQ(shownError(), messages[code]);
        EXPECT_STREQ(errorWin->label(), "File Error");
        EXPECT_EQ(shownWindows("File Error").size(), 1u);  // the previous one went
        // The short messages keep their small window; the longer ones get room for a line.
        const bool small = code != MATCH_ERR && (code < OVERLAP_ERR || code > CHECKPOINT_ERR);
        ASSERT_EQ(errorWin->children(), small ? 2 : 3);
        Fl_Widget* text = errorWin->child(0);
        EXPECT_EQ(text->labeltype(), FL_NORMAL_LABEL);
        if (small) {
            EXPECT_EQ(errorWin->w(), 200);
            EXPECT_EQ(errorWin->h(), 100);
            EXPECT_EQ(text->x(), 50);
            EXPECT_EQ(text->w(), 100);
        } else {
            fl_font(text->labelfont(), text->labelsize());
            EXPECT_LE(fl_width(messages[code]), errorWin->w());
        }
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

TEST_F(DialogTest, ErrorWindowSaysUnderItsMessageWhyOrWhatHelps)
{
    build();
    const struct {
        int code;
        std::string detail;  // "" for errorMessage(code)
        const char* under;
    } cases[] = {
        {MATCH_ERR, "", "\"Align Comparison to DEM Grid\" in Options resamples the comparison onto the DEM's grid"},
        {CHECKPOINT_ERR, "holds no usable checkpoint", "holds no usable checkpoint"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.under);
        if (c.detail.empty())
            errorMessage(c.code);
        else
            errorMessage(c.code, c.detail);
        settle();
        ASSERT_EQ(errorWin->children(), 3);
        Fl_Widget* message = errorWin->child(0);
        Fl_Widget* under = errorWin->child(1);
        Fl_Widget* ok = child(errorWin, "OK");
        EXPECT_STREQ(under->label(), c.under);
        // Message, line and button from top to bottom, inside the window.
        EXPECT_LE(message->y() + message->h(), under->y());
        ASSERT_NE(ok, nullptr);
        EXPECT_LE(under->y() + under->h(), ok->y());
        EXPECT_LE(ok->y() + ok->h(), errorWin->h());
        ok->do_callback();
        settle();
        EXPECT_TRUE(shownWindows("File Error").empty());
    }
}

}  // namespace
