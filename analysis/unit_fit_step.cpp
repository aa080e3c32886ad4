#include "analysis/unit_fit_step.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "analysis/curvature.h"
#include "model/mountain.h"

namespace {

// The shortest decimal that reads back as x: 11, 0.012, 1200.
std::string shortest(double x)
{
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, x);
    return std::string(text, end.ptr);
}

std::string general(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", x);
    return text;
}

}  // namespace

CurvatureUnitFit fitCurrentUnit()
{
    const CurvatureUnitFit fit =
        fitCurvatureUnit(cArray, cArray != nullptr && cArrayCount > 0 ? std::size_t(cArrayCount) : 0);
    if (fit.fitted) {
        units = fit.unit;
        mt.compute_curve_color();
    }
    return fit;
}

double statedUnit(const CurvatureUnitFit& fit, double unitInForce)
{
    return fit.fitted ? twoSignificantDigits(double(fit.unit)) : unitInForce;
}

std::string unitFitLine(const CurvatureUnitFit& fit, double unitInForce)
{
    const std::string unit = "Curvature unit: " + shortest(statedUnit(fit, unitInForce));
    if (!fit.fitted)
        return unit + " (not fitted)\n";
    return unit + " (fitted: 99th percentile " + general(fit.percentile) + " of " + std::to_string(fit.values) +
           " values / 3)\n";
}

std::string unitFitProblem(const CurvatureUnitFit& fit)
{
    if (fit.fitted)
        return "";
    if (fit.values == 0)
        return "no cell has a curvature value";
    const std::string of = "the 99th percentile of the " + std::to_string(fit.values) + " curvature values";
    if (fit.percentile == 0)
        return of + " is 0";
    if (!std::isfinite(fit.percentile))
        return of + " is not finite";
    return of + ", " + general(fit.percentile) + ", gives no unit a float holds";
}
