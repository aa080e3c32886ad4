// The open dialogs; built in the dialogs' own change.

#include "dialogs/dialogs.h"

void file(Fl_Widget*, void*) {}
void files(Fl_Widget*, void*) {}
void addChange(Fl_Widget*, void*) {}
void vChange(Fl_Widget*, void*) {}
