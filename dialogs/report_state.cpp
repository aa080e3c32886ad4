#include "dialogs/report_state.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

int GRAPH_TYPE = 0;
bool removeLarge = false;
Fl_Window* graphwin = nullptr;
Graphb* graphbox = nullptr;
Fl_Input* sparseIn = nullptr;
Fl_Counter* unitSlider = nullptr;

void closeReportWindow(Fl_Widget* window, void*)
{
    window->hide();
    if (window == graphwin) {
        graphwin = nullptr;
        graphbox = nullptr;
    }
    // Deleted once the event that closed it is over, not inside its own callback.
    Fl::delete_widget(window);
}

void resetReportState()
{
    GRAPH_TYPE = 0;
    removeLarge = false;
    graphwin = nullptr;
    graphbox = nullptr;
    sparseIn = nullptr;
    unitSlider = nullptr;
}
