#pragma once
// The menu bar's table: 53 records in the flat-array form, each submenu closed by a
// record without label. Entries are checked and activated by their position (the indices
// in shell_state.h) in the working copy that the menu bar is given; the table itself
// keeps its initial state.

#include <FL/Fl_Menu_Item.H>

const int MENU_RECORDS = 53;
extern const Fl_Menu_Item menuTable[MENU_RECORDS];

// Copies the table into the working array and gives it to the menu bar.
void installMenu();
