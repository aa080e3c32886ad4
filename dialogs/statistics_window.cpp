// The "Statistics" window: a snapshot of the view's published results, laid out by
// statisticsText, the same text karvo-report prints. It is not refreshed; every request
// opens a new window.

#include <FL/Fl_Counter.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Window.H>

#include "analysis/statistics_text.h"
#include "dialogs/dialogs.h"
#include "dialogs/report_state.h"
#include "shell/shell_state.h"
#include "view/my_window.h"

namespace {

Statistics viewStatistics()
{
    Statistics s;
    gl->getStats(s.maxCurve, s.totalSq, s.c15, s.c10, s.c5, s.c, s.rows, s.cols);
    s.unit = unitSlider1->value();
    // Two-file mode as soon as the two-file dialog was opened, even when it was cancelled.
    s.comparison = FILE_CONST == 2;
    if (s.comparison) {
        s.contourInterval = gl->getCont();
        gl->getSparse(s.d20, s.d15, s.d10, s.d5, s.d);
        s.hasRmse = gl->getRMSE(s.rmse);  // false without a comparison point: "n/a"
    }
    return s;
}

}  // namespace

void stats(Fl_Widget*, void*)
{
    const std::string text = statisticsText(viewStatistics());
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
    gl->take_focus();
}
