#pragma once
// Builders of the tool panel's sections, called by the main window in creation order:
// "Curvature Error", "Local Difference Error", "Display", "Profile View", "Height
// Classes" (not their order on screen), then the cover that hides the panel's lower part.

void buildCurvatureSection();
void buildDifferenceSection();
void buildDisplaySection();
void buildProfileSection();
void buildHeightClassSection();
void buildPanelCover();
