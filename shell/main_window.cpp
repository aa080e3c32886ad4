#include "shell/main_window.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>
#include <GL/freeglut.h>

#include <string>

#include "shell/information_strip.h"
#include "shell/menu_table.h"
#include "shell/options.h"
#include "shell/shell_state.h"
#include "shell/tool_panel.h"
#include "shell/toggles.h"
#include "view/my_window.h"

namespace {

void buildStatisticsButton(Fl_Callback* statistics)
{
    Fl_Button* b = new Fl_Button(520, 675, 60, 20, "Statistics");
    b->labelsize(11);
    b->box(FL_PLASTIC_UP_BOX);
    b->callback(statistics);
}

}  // namespace

void buildMainWindow(int& argc, char** argv, const DialogActions& actions)
{
    win = new Fl_Window(0, 0, 850, 700, "KARVO: Karvoscope");
    menubar = new Fl_Menu_Bar(0, 0, 1050, 25);  // wider than the window, which clips it
    menubar->box(FL_PLASTIC_UP_BOX);
    gl = new MyWindow(XMIN, 25, XMAX, 625, "");
    gl->end();  // a window is a group: what follows belongs to the main window
    buildInformationStrip();
    buildCurvatureSection(actions.graphCurvature);
    buildDifferenceSection(actions.graphDifference);
    buildDisplaySection();
    buildStatisticsButton(actions.statistics);
    buildProfileSection();
    buildHeightClassSection(actions.graphHeightClasses);
    buildPanelCover();
    installMenu(actions);
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
