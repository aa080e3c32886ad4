// The "File Error" window through which the dialogs name a problem.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

#include "dialogs/dialog_state.h"
#include "dialogs/open_dialogs.h"

namespace {

const char* message(int code)
{
    switch (code) {
    case DEM_ERR:
        return "Invalid DEM file.";
    case MATCH_ERR:
        return "Files do not match";
    case CHECK_ERR:
        return "You must select a comparison filetype.";
    case FILES_ERR:
        return "Invalid DEM and comparison files.";
    case COMP_ERR:
        return "Invalid comparison file.";
    case MISS_ERR:
        return "Missing filename/s.";
    case UNIT_ERR:
        return "Select units.";
    case MEM_ERR:
        return "Not enough memory.";
    default:
        return "";
    }
}

}  // namespace

void errorMessage(int code)
{
    // One error window at a time: "OK" closes the newest, and an older one left behind
    // could not be closed from its own button.
    if (errorWin != nullptr)
        errorWin->hide();
    errorWin = new Fl_Window(200, 100, "File Error");
    Fl_Box* text = new Fl_Box(50, 20, 100, 20);
    text->label(message(code));
    Fl_Button* ok = new Fl_Button(75, 50, 50, 20, "OK");
    ok->callback(closeErr);
    errorWin->end();
    errorWin->show();
}

void closeErr(Fl_Widget*) { errorWin->hide(); }
