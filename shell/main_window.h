#pragma once
// The main window "KARVO: Karvoscope": menu bar, 3D view, information strip and tool
// panel, built once. GLUT is initialised here too, and the DEM path left on the command
// line after GLUT has taken its own options is kept for the next Open.

#include "shell/dialog_actions.h"

// Builds and shows the main window, with actions behind the entries and buttons that open
// a dialog; argc and argv lose the options GLUT recognises.
void buildMainWindow(int& argc, char** argv, const DialogActions& actions);
