#pragma once
// The curvature error unit in force: the panel's counter unitSlider1 holds it, and the
// legend beside it shows 1, 2 and 3 units. The "Curvature Error" dialog sets it here, and
// "Fit Curvature Unit" puts a unit fitted to the data here, whose fit is kept for the report
// until the user sets a unit or another DEM is opened.

#include <optional>

#include "analysis/curvature_unit.h"

class Fl_Widget;

double curvatureUnit();

// Puts u into the counter (without running its callback) and applies it as updateUnit1 does.
void setCurvatureUnit(double u);

// The counter's callback: hands its unit to the view, which grades the curvature again,
// rewrites the legend and shows the view.
void updateUnit1(Fl_Widget* w, void* data = nullptr);

// Shows the unit of a fit that is in force already (analysis/unit_fit_step.h's
// fitCurrentUnit graded the cells by it) as the counter's value, rounded as the report
// states it, widening the counter's range when the unit lies outside it.
void showFittedUnit(const CurvatureUnitFit& fit);
// The fit of the unit in force, none when the user set it.
const std::optional<CurvatureUnitFit>& unitFitInForce();
// The unit in force stays, but no longer as fitted to the data shown: the module's reset.
void forgetUnitFit();
