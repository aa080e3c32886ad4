// "Add/Change Comparison File...": a comparison set beside the DEM already shown, and
// the type boxes that it shares with the two-file dialog.

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include <string>

#include "dialogs/dialog_parts.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "shell/information_strip.h"
#include "shell/shell_state.h"
#include "shell/toggles.h"
#include "view/my_window.h"

namespace {

// The view's change of comparison set, a long read's progress in the strip.
LoadOutcome changeComparison(const std::string& path)
{
    StripProgress progress(StripField::Comparison);
    return gl->changeFile(path.c_str(), exaggerationShown(), fileType, static_cast<int>(continput->value()));
}

}  // namespace

void addChange(Fl_Widget*, void*)
{
    if (FILE_CONST == 0)
        return;  // no open dialog has been shown yet
    Fl_Window* window = newDialog(300, 200);
    ainput = new Fl_Input(0, 20, 170, 20, "Comparison file:");
    ainput->align(FL_ALIGN_TOP);
    buildTypeBoxes(105);
    plasticButton(75, 130, 50, 20, "Open")->callback(fileMod);
    plasticButton(150, 130, 50, 20, "Cancel")->callback(cancelButton_callback);
    plasticButton(185, 20, 60, 20, "Search...")->callback(searchButtonC_callback);
    window->end();
    openwin = window;
    window->show();
}

void searchButtonC_callback(Fl_Widget*, void*) { chooseFile(ainput); }

void demFile(Fl_Widget*)
{
    continput->deactivate();
    rawCheck->value(0);
    contCheck->value(0);
}

void rawFile(Fl_Widget*)
{
    continput->activate();
    contCheck->value(0);
    demCheck->value(0);
}

void contFile(Fl_Widget*)
{
    continput->deactivate();
    rawCheck->value(0);
    demCheck->value(0);
}

void fileMod(Fl_Widget*, void*)
{
    const std::string path = ainput->value();
    if (path.empty()) {
        errorMessage(COMP_ERR);
    } else {
        const bool good = canOpen(path.c_str());
        const StripText shown = stripShown();
        showFileName(StripField::Comparison, path.c_str());
        fileType = checkedType();
        const LoadOutcome outcome = good ? changeComparison(path) : LoadOutcome::ComparisonRefused;
        if (outcome == LoadOutcome::Loaded) {
            openwin->hide();
            FILE_CONST = 2;
            activateTools();
        } else {
            // The data set shown stays, and so does the name of its comparison file
            // once the file was looked at; the user can name another one.
            if (good)
                showStrip(shown);
            errorMessage(loadError(outcome));
        }
    }
    showView();
}
