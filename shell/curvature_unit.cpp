#include "shell/curvature_unit.h"

#include <FL/Fl_Counter.H>
#include <FL/Fl_Value_Output.H>

#include <algorithm>

#include "analysis/unit_fit_step.h"
#include "shell/information_strip.h"
#include "shell/shell_state.h"
#include "view/my_window.h"

namespace {

std::optional<CurvatureUnitFit> fitInForce;

void showLegend(double u)
{
    cerrLabel->value(u);
    cerr2Label->value(2 * u);
    cerr3Label->value(3 * u);
    showView();
}

void applyUnit(double u)
{
    fitInForce.reset();
    gl->modCurveErr(float(u));
    refreshPickedFigures();
    showLegend(u);
}

}  // namespace

double curvatureUnit() { return unitSlider1->value(); }

void setCurvatureUnit(double u)
{
    unitSlider1->value(u);
    applyUnit(u);
}

void updateUnit1(Fl_Widget*, void*) { applyUnit(unitSlider1->value()); }

void showFittedUnit(const CurvatureUnitFit& fit)
{
    const double u = statedUnit(fit, curvatureUnit());
    // The counter's arrows clamp to its range: a unit of 11 in 0.5 to 5 would fall to 5.
    unitSlider1->range(std::min(unitSlider1->minimum(), u), std::max(unitSlider1->maximum(), u));
    unitSlider1->value(u);
    fitInForce = fit;
    showLegend(u);
}

const std::optional<CurvatureUnitFit>& unitFitInForce() { return fitInForce; }

void forgetUnitFit() { fitInForce.reset(); }
