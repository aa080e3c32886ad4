#pragma once
// The model's options: nodata masking and cells in degrees, from the "&Options" menu and
// from the command line.

#include <string>

class Fl_Widget;

// Apply the marks of "Mask Nodata Cells" and "Cell Size in Degrees" to the data set shown.
// The second is its entry's callback; the first is called by its entry's action
// (shell/dialog_actions.h), which also reads the comparison set again under the new masking
// and names a refusal in the error window.
void maskNodataM(Fl_Widget* w, void* data = nullptr);
void degreesM(Fl_Widget* w, void* data = nullptr);

// Sets the two check marks from the options in force: opening a geographic raster turns
// cells in degrees on.
void showOptions();

// Takes the program's own options off the command line before the toolkit sees it.
// --help and --version print to standard output before any display is opened and give
// the exit status 0; an unknown option gives 2 with the usage on standard error;
// --mask-nodata and --degrees set the options; --snapshot FILE names snapshotFile (its
// FILE missing gives 2 with the usage). Returns -1 when the program goes on.
int takeCommandLineOptions(int& argc, char** argv);
// The PNG file --snapshot named on the last command line taken, "" for none: the program
// then draws the DEM once into it and ends.
const std::string& snapshotFile();
