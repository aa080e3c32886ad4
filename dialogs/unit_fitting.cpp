// "Fit Curvature Unit": the unit fitted to the curvature values of the DEM shown
// (analysis/unit_fit_step.h) goes into the panel's counter, the cells are graded by it, and
// a "Curvature Unit" window states it with the figures it was fitted from. Without a fit the
// error window says why, and the unit in force stays.

#include <sstream>
#include <string>

#include "analysis/unit_fit_step.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "dialogs/report_state.h"
#include "model/mountain.h"
#include "shell/curvature_unit.h"

namespace {

void showUnitLine(const std::string& line) { showTextWindow("Curvature Unit", 500, 60, line); }

}  // namespace

void fitUnitM(Fl_Widget*, void*)
{
    if (mt.grid == nullptr)
        return;  // the entry is inactive then
    const double before = curvatureUnit();
    const CurvatureUnitFit fit = fitCurrentUnit();
    if (!fit.fitted) {
        std::ostringstream text;
        text << unitFitProblem(fit) << "; the unit stays " << before;
        errorMessage(FIT_ERR, text.str());
        return;
    }
    showFittedUnit(fit);
    showUnitLine(unitFitLine(fit, before));
}
