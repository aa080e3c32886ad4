#pragma once
// Entry points of the dialogs and report windows: the shell's menu entries and panel
// buttons call these through the table dialogActions gives the main window.

#include <string>

#include "shell/dialog_actions.h"

void file(Fl_Widget* w, void* data = nullptr);       // "&Open..." > "DEM File"
void files(Fl_Widget* w, void* data = nullptr);      // "&Open..." > "DEM and Comparison File"
void addChange(Fl_Widget* w, void* data = nullptr);  // "Add/Change Comparison File..."

void stats(Fl_Widget* w, void* data = nullptr);  // the "Statistics" window

void graph(Fl_Widget* w = nullptr, void* data = nullptr);  // a graph of the last chosen kind
void graphCurve(Fl_Widget* w, void* data = nullptr);
void graphDiff(Fl_Widget* w, void* data = nullptr);
void graphClass(Fl_Widget* w, void* data = nullptr);
void removeCB(Fl_Widget* w, void* data = nullptr);  // "Remove Big" in a height class graph

void sparse(Fl_Widget* w, void* data = nullptr);      // the "Sparse File" dialog
void fileSparse(Fl_Widget* w, void* data = nullptr);  // its "Make" button

void modCurve(Fl_Widget* w, void* data = nullptr);     // the "Curvature Error" dialog
void updateUnit(Fl_Widget* w, void* data = nullptr);   // its unit counter

void checkpoints(Fl_Widget* w, void* data = nullptr);  // "Checkpoints...": a file chooser
// The checkpoints of path in the place of the set held; the error window when it gives none.
void openCheckpoints(const std::string& path);
void coregister(Fl_Widget* w, void* data = nullptr);  // "Coregister Comparison" and its window

void saveReportM(Fl_Widget* w, void* data = nullptr);  // "Save Report...": a file chooser
// The HTML report of the data set shown written to path; the error window when it is not.
bool saveReport(const std::string& path);

void worstPlacesWindow(Fl_Widget* w, void* data = nullptr);  // "Worst Places..." and its window
// The window's "Export..." and "Import..." with the file chosen; the error window when the
// file is refused, the review held then unchanged.
bool exportReview(const std::string& path);
bool importReview(const std::string& path);
// Whether the review held may be dropped: with decisions not exported, the user's answer.
bool reviewMayBeDropped();
// The review a DEM opened starts, in the window when one is shown.
void showNewReview();
// Centres the view on grid point (row, col) and picks it, as choosing a row of the window
// does.
void showPlaceInView(int row, int col);
// Deletes the window with its widgets; the window's reset.
void forgetWorstPlacesWindow();

void fitUnitM(Fl_Widget* w, void* data = nullptr);  // "Fit Curvature Unit"

// The options the comparison set is read under; each reads the set shown again.
void maskNodataChanged(Fl_Widget* w, void* data = nullptr);  // "Mask Nodata Cells"
void alignChanged(Fl_Widget* w, void* data = nullptr);       // "Align Comparison to DEM Grid"
void resamplingChanged(Fl_Widget* w, void* data = nullptr);  // "Resampling": any of its three

void saveImage(Fl_Widget* w, void* data = nullptr);  // "Save Image...": a file chooser, then the PNG
// --snapshot: opens the command line's DEM, writes the view's first frame of it to path
// and gives the exit status: 0 when written, else non-zero with the reason on standard error.
int takeSnapshot(const std::string& path);

// The entry points above, each in the place of the shell's table that opens it.
DialogActions dialogActions();
