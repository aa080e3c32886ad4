#pragma once
// The model's options: nodata masking and cells in degrees, from the "&Options" menu and
// from the command line.

class Fl_Widget;

void maskNodataM(Fl_Widget* w, void* data = nullptr);  // "Mask Nodata Cells"
void degreesM(Fl_Widget* w, void* data = nullptr);     // "Cell Size in Degrees"

// Sets the two check marks from the options in force: opening a geographic raster turns
// cells in degrees on.
void showOptions();

// Takes the program's own options off the command line before the toolkit sees it.
// --help and --version print to standard output before any display is opened and give
// the exit status 0; an unknown option gives 2 with the usage on standard error;
// --mask-nodata and --degrees set the options. Returns -1 when the program goes on.
int takeCommandLineOptions(int& argc, char** argv);
