// The reference figures in karvo-report's text report, from the builders the viewer shows
// them with (analysis/reference_text.h), and the figures by slope.

#include <cstdio>

#include "analysis/reference_text.h"
#include "model/printf_text.h"
#include "tools/report_reference.h"

namespace {

std::string slopeTable(const char* title, const SlopeFigures& s)
{
    std::string out = printfText("\n%s:\n  %-8s%10s%12s%12s%12s%12s%12s", title, "slope", "points", "mean", "std",
                                 "RMSE", "NMAD", "LE90");
    for (const SlopeClassFigures& k : s.classes) {
        const std::string range = printfText("%g-%g", k.from, k.to);
        out += printfText("\n  %-8s%10lld", range.c_str(), k.points);
        if (k.points > 0)
            out += printfText("%12.3f%12.3f%12.3f%12.3f%12.3f", k.mean, k.std, k.rmse, k.nmad, k.le90);
    }
    return out + printfText("\n  without slope: %lld", s.withoutSlope);
}

std::string slopeText(const ReferenceFigures& f)
{
    std::string out = "\n\nFigures by slope, in degrees:";
    if (f.comparisonBySlope && f.comparisonBySlope->problem.empty())
        out += slopeTable("Comparison points", *f.comparisonBySlope);
    if (f.checkpointsBySlope && f.checkpointsBySlope->problem.empty())
        out += slopeTable("Checkpoints", *f.checkpointsBySlope);
    return out;
}

}  // namespace

std::string referenceText(const ReferenceFigures& f)
{
    std::string out;
    if (f.comparisonNmas)
        out += nmasText(*f.comparisonNmas, "points");
    if (f.checkpoints)
        out += checkpointText(*f.checkpoints);
    if (f.bySlope)
        out += slopeText(f);
    return out;
}
