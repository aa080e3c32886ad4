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
#include "tests/support/layout_facts.h"

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
        // The longer messages, and the one with a line under it, get a wider window.
        const bool wide = code == MATCH_ERR || (code >= OVERLAP_ERR && code <= CHECKPOINT_ERR);
        EXPECT_EQ(errorWin->w() > 200, wide);
        ASSERT_EQ(errorWin->children(), wide ? 3 : 2);
        Fl_Widget* text = errorWin->child(0);
        EXPECT_EQ(text->labeltype(), FL_NORMAL_LABEL);
        EXPECT_TRUE(laidOut(errorWin));
        fl_font(text->labelfont(), text->labelsize());
        EXPECT_TRUE(!wide || fl_width(messages[code]) <= errorWin->w());
    }
    errorMessage(MATCH_ERR);
    EXPECT_STREQ(errorWin->child(1)->label(),
                 "\"Align Comparison to DEM Grid\" in Options resamples the comparison onto the DEM's grid");
    errorMessage(CHECKPOINT_ERR, "holds no usable checkpoint");
    EXPECT_STREQ(errorWin->child(1)->label(), "holds no usable checkpoint");
    errorMessage(MEM_ERR);
    Fl_Widget* ok = child(errorWin, "OK");
    ASSERT_NE(ok, nullptr);
    ok->do_callback();
    settle();
    EXPECT_TRUE(shownWindows("File Error").empty());
}

}  // namespace
