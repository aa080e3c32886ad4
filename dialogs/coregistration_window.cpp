// "Coregister Comparison" and its "Coregistration" window: the comparison DEM coregistered to
// the DEM (analysis/comparison_coregistration.h), from then on the reference that the
// difference levels, graphs and statistics are taken on; the window shows the shift, the
// bias and the figures before and after in the lines karvo-report prints, or why nothing
// was done. It is not refreshed; every run opens a new one.

#include <string>

#include "analysis/comparison_coregistration.h"
#include "analysis/loader.h"
#include "analysis/reference_text.h"
#include "dialogs/dialogs.h"
#include "dialogs/report_state.h"
#include "shell/information_strip.h"
#include "shell/reference_entries.h"
#include "shell/shell_state.h"

namespace {

// Act: the coregistration, its progress in the strip on a large grid.
ComparisonCoregistration coregistered()
{
    StripProgress progress(StripField::Comparison, "Coregistering");
    CoregistrationOptions options;
    options.progress = [&progress](double share) { progress.report(share); };
    return coregisterComparison(options);
}

std::string resultText(const ComparisonCoregistration& c)
{
    if (c.problem.empty())
        return coregistrationText(c, false);
    return "file \"" + comparisonSource().name + "\": " + c.problem + "\n";
}

void showResult(const std::string& text) { showTextWindow("Coregistration", 500, 170, text); }

}  // namespace

void coregister(Fl_Widget*, void*)
{
    if (!demComparisonLoaded())
        return;  // the entry is inactive then
    const ComparisonCoregistration c = coregistered();
    showResult(resultText(c));
    showReferenceEntries();
    showView();
}
