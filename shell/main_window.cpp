#include "shell/main_window.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Window.H>
#include <GL/freeglut.h>

#include <string>

#include "dialogs/dialogs.h"
#include "shell/menu_table.h"
#include "shell/options.h"
#include "shell/shell_state.h"
#include "shell/tool_panel.h"
#include "shell/toggles.h"
#include "view/my_window.h"

namespace {

const Fl_Color STRIP_BACKGROUND = 49;
const Fl_Color STRIP_LABEL = 56;

Fl_Output* nameField(int x, const char* text)
{
    Fl_Output* o = new Fl_Output(x, 650, 200, 20, text);
    o->labelsize(10);
    o->color(STRIP_BACKGROUND);
    o->box(FL_FLAT_BOX);
    o->deactivate();
    o->align(FL_ALIGN_LEFT);
    return o;
}

Fl_Value_Output* numberField(int x, int w, const char* text)
{
    Fl_Value_Output* o = new Fl_Value_Output(x, 675, w, 20, text);
    o->labelsize(10);
    o->color(STRIP_BACKGROUND);
    o->box(FL_FLAT_BOX);
    o->textsize(10);
    o->align(FL_ALIGN_LEFT);
    return o;
}

void buildInformationStrip()
{
    file1Label = nameField(60, "DEM file:");
    file1Label->labelcolor(STRIP_LABEL);
    file2Label = nameField(400, "Comparison file:");
    xcornerLabel = numberField(60, 50, "X-corner:");
    xcornerLabel->value(0);
    ycornerLabel = numberField(200, 50, "Y-corner:");
    ycornerLabel->value(0);
    cellsizeLabel = numberField(300, 20, "Cellsize:");
    // A northing of seven digits shows as "5.14301e+06"; at size 10 it would run into
    // "Cellsize:", so both are set smaller to leave a gap between them.
    ycornerLabel->textsize(8);
    cellsizeLabel->labelsize(8);
    vdisplay = new Fl_Counter(400, 680, 70, 15, "Vertical Exageration:");
    vdisplay->value(1);
    vdisplay->step(1);
    vdisplay->lstep(2);
    vdisplay->range(0, 10);
    vdisplay->callback(vChange);
    vdisplay->labelsize(11);
    vdisplay->align(FL_ALIGN_TOP);
    vdisplay->box(FL_PLASTIC_UP_BOX);
}

void buildStatisticsButton()
{
    Fl_Button* b = new Fl_Button(520, 675, 60, 20, "Statistics");
    b->labelsize(11);
    b->box(FL_PLASTIC_UP_BOX);
    b->callback(stats);
}

}  // namespace

void buildMainWindow(int& argc, char** argv)
{
    win = new Fl_Window(0, 0, 850, 700, "KARVO: Karvoscope");
    menubar = new Fl_Menu_Bar(0, 0, 1050, 25);  // wider than the window, which clips it
    menubar->box(FL_PLASTIC_UP_BOX);
    gl = new MyWindow(XMIN, 25, XMAX, 625, "");
    gl->end();  // a window is a group: what follows belongs to the main window
    buildInformationStrip();
    buildCurvatureSection();
    buildDifferenceSection();
    buildDisplaySection();
    buildStatisticsButton();
    buildProfileSection();
    buildHeightClassSection();
    buildPanelCover();
    installMenu();
    showOptions();
    deactivateTools();
    // GLUT takes its own options off the command line before the path test below.
    if (!glutGet(GLUT_INIT_STATE))
        glutInit(&argc, argv);
    win->resizable(gl);
    // Dialogs made later are windows of their own, not children of this one.
    win->end();
    win->show();
    gl->show();

    if (argc > 1) {
        // Any length the platform passes; kept for the whole run.
        static std::string commandLinePath;
        commandLinePath = argv[1];
        initFiles = 2;
        filename = commandLinePath.c_str();
    }
}
