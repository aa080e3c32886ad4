#pragma once
// The application shell's state: the main window's widgets, reached through these
// pointers (the toolkit's parent window owns them), and the shell's flags. The menu
// indices name the entries that code checks and activates by position.

class Fl_Box;
class Fl_Button;
class Fl_Check_Button;
class Fl_Counter;
class Fl_Menu_Bar;
class Fl_Output;
class Fl_Round_Button;
class Fl_Value_Output;
class Fl_Window;
struct Fl_Menu_Item;
class MyWindow;

// Positions in the menu table. In a namespace of their own: the model has a vegetation
// slope limit SLOPE and an error code SPARSE, and a unit may need both.
namespace karvo::menu {
const int OPEN_DEM = 2;
const int OPEN_PAIR = 3;
const int ADD_COMPARISON = 4;
const int CHECKPOINTS = 6;
const int CLEAR_CHECKPOINTS = 7;
const int SAVE_REPORT = 8;
const int SAVE_IMAGE = 9;
const int TRI = 28;
const int LIGHT = 29;
const int AXES = 30;
const int CONT = 31;
const int SUN = 32;
const int COLORS = 33;
const int SLOPE = 34;
const int HEIGHTS = 38;
const int CERR = 39;
const int LERR = 40;
const int STATISTICS = 43;
const int GRAPH = 44;
const int SPARSE = 45;
const int WORST_PLACES = 46;
const int COREGISTER = 47;
const int UNDO_COREGISTRATION = 48;
const int CURVATURE_UNIT = 51;
const int FIT_UNIT = 52;
const int MASK_NODATA = 53;
const int ALIGN = 54;
const int RESAMPLING_NEAREST = 56;
const int RESAMPLING_BILINEAR = 57;
const int RESAMPLING_CUBIC = 58;
const int DEGREES = 60;
const int FULL_RESOLUTION = 61;
}  // namespace karvo::menu

// The two values of profView.
const int VERTP = 1;
const int HORIZ = 2;

extern Fl_Window* win;
extern Fl_Menu_Bar* menubar;
extern MyWindow* gl;
extern int XMIN;
extern int XMAX;  // width of the 3D view

// The information strip under the view.
extern Fl_Output* file1Label;
extern Fl_Output* file2Label;
extern Fl_Value_Output* xcornerLabel;
extern Fl_Value_Output* ycornerLabel;
extern Fl_Value_Output* cellsizeLabel;
extern Fl_Box* groundCellLabel;  // a DEM in degrees: its cell's lengths on the ground
extern Fl_Counter* vdisplay;  // the vertical exaggeration that applies to the view

extern int initFiles;          // 2 when the command line named a DEM for the next Open
extern const char* filename;   // DEM path of the next Open
extern int FILE_CONST;         // kind of data set of the last open dialog: 0 none, 1 DEM, 2 with comparison
extern int NOT_MENU;           // low byte 1: a shared handler acts for the panel; 0: for a menu entry
extern int toolsShown;         // low byte 1 while the tool panel is shown
extern Fl_Button* block;       // covers the panel's lower part while it is hidden
// "Contour\Initial Data" was activated for the checkpoints of a DEM alone
// (shell/reference_entries.h), and goes when they go.
extern bool initialDataForCheckpoints;

// The tool panel.
extern Fl_Check_Button* tri;
extern Fl_Check_Button* light;
extern Fl_Check_Button* axes;
extern Fl_Check_Button* cont;
extern Fl_Check_Button* sun;
extern Fl_Check_Button* colors;
extern Fl_Check_Button* slope;
extern Fl_Check_Button* col;
extern Fl_Check_Button* Cerr;
extern Fl_Check_Button* lerr;
extern Fl_Check_Button* prof;
extern Fl_Counter* unitSlider1;
extern Fl_Value_Output* cerrLabel;
extern Fl_Value_Output* cerr2Label;
extern Fl_Value_Output* cerr3Label;
extern Fl_Button* curveYLabel;
extern Fl_Button* curveOLabel;
extern Fl_Button* curveRLabel;
extern Fl_Button* graphCButton;
extern Fl_Button* graphDButton;
extern Fl_Button* graphButton;
extern Fl_Round_Button* profVert;
extern Fl_Round_Button* profHoriz;
extern Fl_Counter* pdisplay;
extern int profView;

// An entry of the menu bar's working menu array.
Fl_Menu_Item& menuEntry(int index);

// The 3D view after a command: showView redraws it and gives it the keyboard focus,
// focusView only the focus.
void showView();
void focusView();

// Forgets the main window (deleting it when one was built) and puts every shell global
// back to its start-up value.
void resetShell();
