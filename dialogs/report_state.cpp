#include "dialogs/report_state.h"

#include <FL/Fl.H>
#include <FL/Fl_Multiline_Output.H>
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

void showTextWindow(const char* title, int w, int h, const std::string& text)
{
    Fl_Window* window = new Fl_Window(0, 0, w, h, title);
    Fl_Multiline_Output* out = new Fl_Multiline_Output(0, 0, w, h, "");
    out->cursor_color(FL_WHITE);
    out->textsize(12);
    out->value(text.c_str());
    window->end();
    window->callback(closeReportWindow);
    window->show();
}
