// The statistics, graph, sparse file and curvature unit windows; built in their own change.

#include "dialogs/dialogs.h"

void stats(Fl_Widget*, void*) {}
void graph(Fl_Widget*, void*) {}
void graphCurve(Fl_Widget*, void*) {}
void graphDiff(Fl_Widget*, void*) {}
void graphClass(Fl_Widget*, void*) {}
void sparse(Fl_Widget*, void*) {}
void modCurve(Fl_Widget*, void*) {}
void updateUnit1(Fl_Widget*, void*) {}
