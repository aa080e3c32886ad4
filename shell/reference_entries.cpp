#include "shell/reference_entries.h"

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Menu_Bar.H>

#include "analysis/comparison_coregistration.h"
#include "analysis/current_reference.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "shell/information_strip.h"
#include "shell/shell_state.h"
#include "view/my_window.h"

namespace {

namespace menu = karvo::menu;

void activeIf(int index, bool active)
{
    if (active)
        menuEntry(index).activate();
    else
        menuEntry(index).deactivate();
}

bool panelShown() { return (toolsShown & 0xff) != 0; }

// The switch off (mark, button and flag in step) and inactive.
void takeBackInitialData()
{
    if (cont->value()) {
        cont->value(0);
        menuEntry(menu::CONT).clear();
        gl->cont(cont);
    }
    menuEntry(menu::CONT).deactivate();
    cont->deactivate();
}

}  // namespace

void showReferenceEntries()
{
    for (int index : {menu::CHECKPOINTS, menu::SAVE_REPORT, menu::WORST_PLACES, menu::FIT_UNIT})
        activeIf(index, mt.grid != nullptr);
    activeIf(menu::CLEAR_CHECKPOINTS, checkpointsLoaded());
    activeIf(menu::COREGISTER, demComparisonLoaded());
    activeIf(menu::UNDO_COREGISTRATION, comparisonCoregistered());
    // With comparison data the switch is the panel's, which never deactivates it.
    if (FILE_CONST == 2) {
        initialDataForCheckpoints = false;
    } else if (checkpointsLoaded() && panelShown()) {
        menuEntry(menu::CONT).activate();
        cont->activate();
        initialDataForCheckpoints = true;
    } else if (!checkpointsLoaded() && initialDataForCheckpoints) {
        takeBackInitialData();
        initialDataForCheckpoints = false;
    }
    refreshPickedFigures();  // the comparison set they were graded against may have changed
}

void clearCheckpointsM(Fl_Widget*, void*)
{
    clearCheckpoints();
    showReferenceEntries();
    showView();
}

void undoCoregistrationM(Fl_Widget*, void*)
{
    undoCoregistration();
    showReferenceEntries();
    showView();
}
