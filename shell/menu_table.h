#pragma once
// The menu bar's table: 68 records in the flat-array form, each submenu closed by a
// record without label. Entries are checked and activated by their position (the indices
// in shell_state.h) in the working copy that the menu bar is given; the table itself
// keeps its initial state, and the entries whose action is the dialogs' (a dialog, a
// window, or the error window of a refusal) have their callback only in the working copy.

#include <FL/Fl_Menu_Item.H>

#include "shell/dialog_actions.h"

const int MENU_RECORDS = 68;
extern const Fl_Menu_Item menuTable[MENU_RECORDS];

// Copies the table into the working array, puts the dialogs' actions into their entries
// and gives it to the menu bar.
void installMenu(const DialogActions& actions);
