#pragma once
// The three open dialogs and the error window. The menu entries reach them through
// file, files and addChange (dialogs.h); the functions here are their buttons'
// callbacks, and the checks that name a problem to the user through errorMessage.
// Problems found here leave the dialog open and the loaded data set as it was.

#include <string>

class Fl_Input;
class Fl_Widget;

// "Open" of "DEM File" (FILE_CONST 1) and of "DEM and Comparison File" (FILE_CONST 2):
// takes the names, types and counters, checks that the files can be opened and loads
// them into the view. A review of the worst places with decisions not exported is worth a
// question first (reviewMayBeDropped); "No" leaves everything as it is.
void openButton_callback(Fl_Widget* w);
// The same Open without the question, saying how it went: 0 when the data set is shown, else the error code,
// which the error window shows.
int openDialogFiles();
void cancelButton_callback(Fl_Widget* w);  // hides the newest dialog

// The "Search..." buttons: a file chooser for finput, finput2 and ainput.
void searchButton_callback(Fl_Widget* w, void* data = nullptr);
void searchButton2_callback(Fl_Widget* w, void* data = nullptr);
void searchButtonC_callback(Fl_Widget* w, void* data = nullptr);
// Runs a file chooser until it closes and puts its path into target; a cancelled
// chooser empties the field. Starts in DIRECTORY when that exists, else here.
void chooseFile(Fl_Input* target);
// A file chooser of that title and filters (tab-separated), run until it closes, as
// chooseFile runs it: the path chosen, "" when cancelled.
std::string chosenFile(const char* patterns, const char* title);

// The type boxes: at most one is checked. The contour interval counter is active when
// the dialog opens and after a click on "Sparse File", inactive after one on the others.
void demFile(Fl_Widget* w);
void rawFile(Fl_Widget* w);
void contFile(Fl_Widget* w);

// "Open" of "Add/Change Comparison File...": a new comparison set beside the DEM shown.
void fileMod(Fl_Widget* w, void* data = nullptr);

// Shows code's message (DEM_ERR … FIT_ERR) in a "File Error" window and returns at
// once; grids that do not match (MATCH_ERR) get the line that says what makes them fit.
void errorMessage(int code);
// The same with detail, a line saying why, under the message.
void errorMessage(int code, const std::string& detail);
const char* errorText(int code);  // the message of a code, "" for none
void closeErr(Fl_Widget* w);  // "OK" of the error window

// Whether path may take an output of the data set shown: not when it is the same file as
// the DEM, the comparison file or the checkpoint file held, which the error window then
// names with path.
bool writableOutput(const std::string& path);
