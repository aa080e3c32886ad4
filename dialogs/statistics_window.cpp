// The "Statistics" window: a snapshot of the published results, in the text karvo-report
// prints, graded by the unit in force. It is not refreshed; every request opens a new
// window.

#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Window.H>

#include "analysis/statistics_text.h"
#include "dialogs/dialogs.h"
#include "dialogs/report_state.h"
#include "shell/curvature_unit.h"
#include "shell/shell_state.h"

void stats(Fl_Widget*, void*)
{
    // Two-file mode as soon as the two-file dialog was opened, even when it was cancelled.
    const std::string text = statisticsText(currentStatistics(curvatureUnit(), FILE_CONST == 2));
    Fl_Window* window = new Fl_Window(0, 0, 450, 400, "Statistics");
    Fl_Multiline_Output* out = new Fl_Multiline_Output(0, 0, 450, 400, "");
    out->cursor_color(FL_WHITE);
    // At the toolkit's default size the comparison report's lines overrun the 400 pixels
    // and the last one, the RMSE, is hidden.
    out->textsize(12);
    out->value(text.c_str());
    window->end();
    window->callback(closeReportWindow);
    window->show();
    focusView();
}
