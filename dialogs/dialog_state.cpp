#include "dialogs/dialog_state.h"

#include <FL/Fl_Window.H>

#include "dialogs/dialogs.h"

Fl_Window* openwin = nullptr;
Fl_Input* finput = nullptr;
Fl_Input* finput2 = nullptr;
Fl_Input* ainput = nullptr;
Fl_Counter* tinput = nullptr;
Fl_Counter* sinput = nullptr;
Fl_Counter* vinput = nullptr;
Fl_Counter* continput = nullptr;
Fl_Check_Button* demCheck = nullptr;
Fl_Check_Button* rawCheck = nullptr;
Fl_Check_Button* contCheck = nullptr;
int fileType = 0;
const char* filename2 = "";
Fl_Window* errorWin = nullptr;
const char* const DIRECTORY = "c:\\Karvofiles";

void resetDialogs()
{
    delete openwin;
    openwin = nullptr;
    delete errorWin;
    errorWin = nullptr;
    forgetWorstPlacesWindow();
    finput = finput2 = ainput = nullptr;
    tinput = sinput = vinput = continput = nullptr;
    demCheck = rawCheck = contCheck = nullptr;
    fileType = 0;
    filename2 = "";
}
