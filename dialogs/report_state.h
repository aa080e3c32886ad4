#pragma once
// State of the report windows and the small dialogs: the kind of graph the "Graph" menu
// entry shows, the request of "Remove Big", and the newest window or field of each kind.
// Every window is built anew on each request; these point to the newest one.

#include <string>

class Fl_Counter;
class Fl_Input;
class Fl_Widget;
class Fl_Window;
class Graphb;

// Values of GRAPH_TYPE; any other value shows the height classes.
const int GRAPHC = 1;      // curvature error values
const int GRAPHCLASS = 2;  // counts per height class
const int GRAPHD = 3;      // local difference error values

extern int GRAPH_TYPE;      // 0 until a "Graph" button is pressed
extern bool removeLarge;    // the next height class graph leaves out the big classes
extern Fl_Window* graphwin; // null once that window is closed
extern Graphb* graphbox;    // the bar graph in graphwin
extern Fl_Input* sparseIn;  // the number field of the newest "Sparse File" dialog
extern Fl_Counter* unitSlider;  // the counter of the newest "Curvature Error" dialog

// Puts the globals above back to their start-up values; the windows themselves are left
// to whoever holds them.
void resetReportState();

// Close callback of the statistics and graph windows: a closed report is never shown
// again, so it is hidden and deleted with its widgets (and a graph with its counts), and
// graphwin and graphbox forget it when it was the newest graph.
void closeReportWindow(Fl_Widget* window, void* data = nullptr);

// A new top-level report window of w x h titled title, whose one field shows text (at
// size 12, which the statistics report needs to show its last line) and which is deleted
// when closed (closeReportWindow).
void showTextWindow(const char* title, int w, int h, const std::string& text);
