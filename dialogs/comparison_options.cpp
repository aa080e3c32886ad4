// "Mask Nodata Cells", "Align Comparison to DEM Grid" and the "Resampling" choice: the
// options a comparison set is read under. Changing one reads the comparison set shown again
// through the loader, beside the DEM shown; a read the loader refuses leaves the data set
// shown as it was, the option goes back to what it was read under, and the error window
// says why.

#include <FL/Fl_Menu_Bar.H>

#include <utility>

#include "analysis/loader.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "model/error.h"
#include "shell/information_strip.h"
#include "shell/options.h"
#include "shell/reference_entries.h"
#include "shell/shell_state.h"

namespace {

namespace menu = karvo::menu;

void mark(int index, bool on)
{
    if (on)
        menuEntry(index).set();
    else
        menuEntry(index).clear();
}

const std::pair<int, Resampling> resamplings[] = {{menu::RESAMPLING_NEAREST, Resampling::nearest},
                                                  {menu::RESAMPLING_BILINEAR, Resampling::bilinear},
                                                  {menu::RESAMPLING_CUBIC, Resampling::cubic}};

Resampling resamplingMarked()
{
    for (const auto& [index, resampling] : resamplings)
        if (menuEntry(index).value())
            return resampling;
    return alignResampling;
}

void markResampling(Resampling chosen)
{
    for (const auto& [index, resampling] : resamplings)
        mark(index, resampling == chosen);
}

// Act and show: the comparison set read again with the options in force, a long read's
// progress in the strip. false, with the error window shown, when the loader refused it.
bool reloaded()
{
    LoadOutcome outcome = LoadOutcome::Loaded;
    {
        StripProgress progress(StripField::Comparison);
        outcome = reloadComparison(exaggerationShown());
    }
    showReferenceEntries();  // a coregistration is gone with the set read before
    showView();
    if (outcome == LoadOutcome::Loaded)
        return true;
    errorMessage(loadError(outcome));
    return false;
}

}  // namespace

void maskNodataChanged(Fl_Widget* w, void*)
{
    maskNodataM(w);
    if (!comparisonFollowsMasking() || reloaded())
        return;
    mark(menu::MASK_NODATA, !menuEntry(menu::MASK_NODATA).value());
    maskNodataM(w);
}

void alignChanged(Fl_Widget*, void*)
{
    const bool before = alignComparisonGrid;
    alignComparisonGrid = menuEntry(menu::ALIGN).value() != 0;
    if (alignComparisonGrid == before || reloaded())
        return;
    alignComparisonGrid = before;
    mark(menu::ALIGN, before);
}

void resamplingChanged(Fl_Widget*, void*)
{
    const Resampling before = alignResampling;
    alignResampling = resamplingMarked();
    // Only an aligned comparison DEM is read by it.
    const bool used = alignComparisonGrid && comparisonSource().type == DEM;
    if (alignResampling == before || !used || reloaded())
        return;
    alignResampling = before;
    markResampling(before);
}
