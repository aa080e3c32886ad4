#include "shell/shell_state.h"

#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>

#include "view/my_window.h"

Fl_Window* win = nullptr;
Fl_Menu_Bar* menubar = nullptr;
MyWindow* gl = nullptr;
int XMIN = 0;
int XMAX = 650;

Fl_Output* file1Label = nullptr;
Fl_Output* file2Label = nullptr;
Fl_Value_Output* xcornerLabel = nullptr;
Fl_Value_Output* ycornerLabel = nullptr;
Fl_Value_Output* cellsizeLabel = nullptr;
Fl_Box* groundCellLabel = nullptr;
Fl_Counter* vdisplay = nullptr;

int initFiles = 0;
const char* filename = nullptr;
int FILE_CONST = 0;
int NOT_MENU = 1;
int toolsShown = 1;
Fl_Button* block = nullptr;
bool initialDataForCheckpoints = false;

Fl_Check_Button* tri = nullptr;
Fl_Check_Button* light = nullptr;
Fl_Check_Button* axes = nullptr;
Fl_Check_Button* cont = nullptr;
Fl_Check_Button* sun = nullptr;
Fl_Check_Button* colors = nullptr;
Fl_Check_Button* slope = nullptr;
Fl_Check_Button* col = nullptr;
Fl_Check_Button* Cerr = nullptr;
Fl_Check_Button* lerr = nullptr;
Fl_Check_Button* prof = nullptr;
Fl_Counter* unitSlider1 = nullptr;
Fl_Value_Output* cerrLabel = nullptr;
Fl_Value_Output* cerr2Label = nullptr;
Fl_Value_Output* cerr3Label = nullptr;
Fl_Button* curveYLabel = nullptr;
Fl_Button* curveOLabel = nullptr;
Fl_Button* curveRLabel = nullptr;
Fl_Button* graphCButton = nullptr;
Fl_Button* graphDButton = nullptr;
Fl_Button* graphButton = nullptr;
Fl_Round_Button* profVert = nullptr;
Fl_Round_Button* profHoriz = nullptr;
Fl_Counter* pdisplay = nullptr;
int profView = 0;

Fl_Menu_Item& menuEntry(int index) { return const_cast<Fl_Menu_Item*>(menubar->menu())[index]; }

void showView()
{
    gl->redraw();
    focusView();
}

void focusView() { gl->take_focus(); }

void resetShell()
{
    delete win;  // the window owns every widget of the main window
    win = nullptr;
    menubar = nullptr;
    gl = nullptr;
    XMIN = 0;
    XMAX = 650;
    file1Label = file2Label = nullptr;
    xcornerLabel = ycornerLabel = cellsizeLabel = nullptr;
    groundCellLabel = nullptr;
    vdisplay = nullptr;
    initFiles = 0;
    filename = nullptr;
    FILE_CONST = 0;
    NOT_MENU = 1;
    toolsShown = 1;
    block = nullptr;
    initialDataForCheckpoints = false;
    tri = light = axes = cont = sun = colors = slope = col = Cerr = lerr = prof = nullptr;
    unitSlider1 = nullptr;
    cerrLabel = cerr2Label = cerr3Label = nullptr;
    curveYLabel = curveOLabel = curveRLabel = nullptr;
    graphCButton = graphDButton = graphButton = nullptr;
    profVert = profHoriz = nullptr;
    pdisplay = nullptr;
    profView = 0;
}
