#pragma once
// The main window "KARVO: Karvoscope": menu bar, 3D view, information strip and tool
// panel, built once. GLUT is initialised here too, and the DEM path left on the command
// line after GLUT has taken its own options is kept for the next Open.

// Builds and shows the main window; argc and argv lose the options GLUT recognises.
void buildMainWindow(int& argc, char** argv);
