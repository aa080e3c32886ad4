#pragma once
// Builders of the tool panel's sections, called by the main window in creation order:
// "Curvature Error", "Local Difference Error", "Display", "Profile View", "Height
// Classes" (not their order on screen), then the cover that hides the panel's lower part.

#include <FL/Fl_Widget.H>

// Each section's "Graph" button calls graph (a dialog action, shell/dialog_actions.h).
void buildCurvatureSection(Fl_Callback* graph);
void buildDifferenceSection(Fl_Callback* graph);
void buildDisplaySection();
void buildProfileSection();
void buildHeightClassSection(Fl_Callback* graph);
void buildPanelCover();
