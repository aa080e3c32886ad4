// The "Statistics" window: a snapshot of the published results, in the text karvo-report
// prints, graded by the unit in force, followed by the reference figures (the NMAS test
// and the checkpoints held). It is not refreshed; every request opens a new window.

#include <algorithm>

#include "analysis/current_reference.h"
#include "analysis/statistics_text.h"
#include "dialogs/dialogs.h"
#include "dialogs/report_state.h"
#include "shell/curvature_unit.h"
#include "shell/shell_state.h"

namespace {

// The report alone fits 450 x 400; the reference figures add long lines and many of them,
// so the window grows with them, up to a height the screen holds (the field scrolls).
void windowSize(const std::string& reference, const std::string& text, int& w, int& h)
{
    w = 450;
    h = 400;
    if (reference.empty())
        return;
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    w = 640;
    h = std::clamp(15 * lines + 20, 400, 900);
}

}  // namespace

void stats(Fl_Widget*, void*)
{
    // Two-file mode as soon as the two-file dialog was opened, even when it was cancelled.
    const std::string reference = currentReferenceText();
    const std::string text = statisticsText(currentStatistics(curvatureUnit(), FILE_CONST == 2)) + reference;
    int w = 0, h = 0;
    windowSize(reference, text, w, h);
    showTextWindow("Statistics", w, h, text);
    focusView();
}
