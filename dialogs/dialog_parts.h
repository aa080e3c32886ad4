#pragma once
// Builders and checks that the open dialogs share.

#include "analysis/loader.h"

class Fl_Button;
class Fl_Counter;
class Fl_Window;

// A new top-level "Open File" dialog of w × h, placed by the toolkit, left open for its
// widgets. The previous dialog is hidden: its buttons would act on the new one's widgets.
Fl_Window* newDialog(int w, int h);

Fl_Button* plasticButton(int x, int y, int w, int h, const char* label);
// A counter with its label at its left.
Fl_Counter* leftCounter(int x, int y, int w, int h, const char* label);
Fl_Counter* treelineCounter(int x, int y);
Fl_Counter* slopeCounter(int x, int y);

// demFile's check box at (5, demY), the sparse and contour boxes 20 and 40 pixels above
// it, each with its caption, and the contour interval counter beside the sparse box.
void buildTypeBoxes(int demY);

// The type of the first checked box in the order sparse, DEM, contour; 0 with none checked.
int checkedType();

// The error code for a load that did not take (DEM_ERR, COMP_ERR, MATCH_ERR, MEM_ERR,
// OVERLAP_ERR or ALIGN_ERR); 0 for one that did.
int loadError(LoadOutcome outcome);

// Whether path names a regular file that opens for reading, or, with --trust-raster, a
// source GDAL reads by name. A directory holds no grid, and opening a FIFO to look would
// wait for a writer.
bool canOpen(const char* path);
