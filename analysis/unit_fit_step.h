#pragma once
// Fitting the curvature unit to the data set loaded: karvo-report's --unit auto and the
// viewer's "Fit Curvature Unit" fit it over the values of the last curvature pass and
// grade the cells again by the unit fitted (see analysis/curvature_unit.h).

#include <string>

#include "analysis/curvature_unit.h"

// Fits the unit to the curvature values of mt's last pass (cArray: the graded cells' values,
// which do not depend on the unit) and, when it fits, makes it the unit in force (units) and
// runs the curvature pass again, which regrades mt's cells and publishes the new counts.
// Without a fit the unit and the levels stay as they are.
CurvatureUnitFit fitCurrentUnit();

// The unit as a report states it: the two significant digits it was rounded to (a float
// holds 0.012 as 0.0120000001), or the unit in force, given, when there is no fit.
double statedUnit(const CurvatureUnitFit& fit, double unitInForce);

// The report's line: "Curvature unit: 11 (fitted: 99th percentile 33.4 of 147317 values / 3)",
// or "Curvature unit: 1 (not fitted)" with the unit in force.
std::string unitFitLine(const CurvatureUnitFit& fit, double unitInForce);

// Why there is no fit, e.g. "the 99th percentile of the 42 curvature values is 0"; "" when
// there is one.
std::string unitFitProblem(const CurvatureUnitFit& fit);
