#pragma once
// State of the open dialogs and the error window. Every dialog is built anew each time
// it is asked for and overwrites these pointers, so the callbacks always act on the
// newest dialog's widgets; earlier dialogs stay hidden.

class Fl_Check_Button;
class Fl_Counter;
class Fl_Input;
class Fl_Window;

// Codes of errorMessage.
const int DEM_ERR = 1;
const int MATCH_ERR = 2;
const int CHECK_ERR = 3;
const int FILES_ERR = 4;
const int COMP_ERR = 5;
const int MISS_ERR = 6;
const int UNIT_ERR = 7;
const int MEM_ERR = 8;
const int OVERLAP_ERR = 9;     // an aligned comparison that does not overlap the DEM
const int ALIGN_ERR = 10;      // a comparison that could not be resampled onto the DEM's grid (memory, GDAL)
const int CHECKPOINT_ERR = 11;
const int IMAGE_ERR = 12;  // "Save Image..." could not write its file
const int WRITE_ERR = 13;   // an output that cannot be written, or that would replace an input
const int PLACES_ERR = 14;  // a places file that cannot be read
const int FIT_ERR = 15;     // a curvature unit that cannot be fitted to the data

extern Fl_Window* openwin;  // the newest open dialog; Open and Cancel act on it
extern Fl_Input* finput;    // DEM path
extern Fl_Input* finput2;   // comparison path of the two-file dialog
extern Fl_Input* ainput;    // comparison path of the Add/Change dialog
extern Fl_Counter* tinput;  // treeline, in elevation units
extern Fl_Counter* sinput;  // vegetation slope limit, in degrees
extern Fl_Counter* vinput;  // vertical exaggeration factor
extern Fl_Counter* continput;  // contour interval, in elevation units
extern Fl_Check_Button* demCheck;
extern Fl_Check_Button* rawCheck;
extern Fl_Check_Button* contCheck;
extern int fileType;             // comparison file type of the next two-file Open (model/error.h), 0 none
extern const char* filename2;    // comparison path of the last Open; null after a one-file Open
extern Fl_Window* errorWin;      // the newest error window
extern const char* const DIRECTORY;  // where the file choosers start when it exists

// Deletes the newest dialog, the error window and the "Worst Places" window and puts every
// dialog global back to its start-up value.
void resetDialogs();
