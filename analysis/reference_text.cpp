#include "analysis/reference_text.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "model/printf_text.h"

namespace {

// Lines that show, of a file with many bad rows, the first ones; a count says the rest.
const std::size_t shownSkippedRows = 20;

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

std::string figureLines(const CheckpointFigures& f)
{
    std::string out = printfText("\nTested: %zu\nOutside: %zu\nOn nodata: %zu", f.tested, f.outside, f.nodata);
    if (const auto& a = f.accuracy)
        out += printfText("\nRMSE: %.3f\nMean (bias): %.3f\nMAE: %.3f\nStd. deviation: %.3f\nNMAD: %.3f\nLE90: %.3f\n"
                          "LE95: %.3f\nMax. absolute: %.3f",
                          a->rmse, a->mean, a->mae, a->std, a->nmad, a->le90, a->le95, a->maxAbs);
    return out;
}

std::string largestLines(const CheckpointResults& c)
{
    if (c.report.all.largest.empty())
        return "";
    std::string out = "\nLargest differences (id, x, y, z, DEM z, d):";
    for (const LargeResidual& l : c.report.all.largest)
        out += printfText("\n  %s  %.10g  %.10g  %.3f  %.3f  %.3f", l.id.c_str(), l.x, l.y, c.points[l.index].z,
                          c.heights[l.index].dem, l.d);
    return out;
}

std::string classLine(const ClassFigures& c)
{
    std::string out = printfText("\nClass %s: %zu tested", c.name.c_str(), c.figures.tested);
    if (const auto& a = c.figures.accuracy)
        out += printfText(", RMSE %.3f, mean %.3f, std %.3f, NMAD %.3f, LE90 %.3f, LE95 %.3f", a->rmse, a->mean, a->std,
                          a->nmad, a->le90, a->le95);
    return out;
}

std::string asprsLines(const AsprsVertical& a, const std::optional<std::string>& nvaClass)
{
    const std::string over = nvaClass ? " of class " + *nvaClass : "";
    std::string out = printfText("\nASPRS vertical accuracy (target RMSE %.3f): product RMSE %.3f over %lld "
                                 "checkpoints%s (RMSE %.3f, checkpoint RMSE %.3f): %s",
                                 a.targetRmse, a.productRmse, a.points, over.c_str(), a.rmse, a.checkpointRmse,
                                 a.meets ? "meets" : "does not meet");
    if (!a.enoughCheckpoints)
        out += "\nFewer than 30 checkpoints: below the standard's minimum";
    if (a.biasFlag)
        out += printfText("\nBias: the mean %.3f is at least a quarter of the target RMSE", a.mean);
    if (!a.blunderIds.empty()) {
        out += printfText("\nPossible blunders (|d| above %.3f):", 3 * a.targetRmse);
        for (std::size_t i = 0; i < a.blunderIds.size(); i++)
            out += (i ? ", " : " ") + a.blunderIds[i];
    }
    return out;
}

}  // namespace

std::string nmasText(const NmasTest& t, const char* points)
{
    return printfText("\nNMAS vertical test (contour interval %g): %lld of %lld %s off by more than %g (%.1f %%): %s",
                      t.interval, t.exceeding, t.tested, points, t.interval / 2, 100 * t.share,
                      t.meets ? "meets" : "does not meet");
}

std::string checkpointText(const CheckpointResults& c)
{
    std::string out = "\n\nCheckpoints: " + c.file + figureLines(c.report.all) + largestLines(c);
    for (const ClassFigures& k : c.report.classes)
        out += classLine(k);
    out += nmasText(c.nmas, "checkpoints");
    if (c.asprs)
        out += asprsLines(*c.asprs, c.nvaClass);
    return out;
}

std::string coregistrationText(const ComparisonCoregistration& c, bool reportFollows)
{
    const Coregistration& r = c.result;
    std::string out = coregistrationStatusText(r.status);
    out += printfText("\nShift east: %.3f m (%.3f cells)\nShift north: %.3f m (%.3f cells)\nVertical bias: %.3f"
                      "\nIterations: %d",
                      r.east, r.eastCells, r.north, r.northCells, r.bias, r.iterations);
    for (const auto& [name, a] : {std::pair<const char*, const std::optional<Accuracy>&>{"Before", r.before},
                                  std::pair<const char*, const std::optional<Accuracy>&>{"After", r.after}})
        out += a ? printfText("\n%s: %lld points, mean %.3f, std %.3f, NMAD %.3f, RMSE %.3f", name, a->points, a->mean,
                              a->std, a->nmad, a->rmse)
                     : printfText("\n%s: 0 points", name);
    const bool fitFailed = r.status == CoregistrationStatus::TooFewSlopedPoints ||
                           r.status == CoregistrationStatus::TooFewAspects;
    if (!c.applied)
        out += "\nNothing is applied";
    else if (fitFailed)
        out += r.eastCells == 0 && r.northCells == 0 ? "\nNo shift is applied, only the vertical bias"
                                                     : "\nThe shift found before the fit failed is applied, with the "
                                                       "vertical bias";
    if (reportFollows)
        out += c.applied ? "\nThe report below is computed on the coregistered reference (shift and bias removed)"
                         : "\nThe report below is computed on the reference as read";
    return out + (reportFollows ? "\n\n" : "\n");
}

std::string skippedRowsText(const std::string& file, const std::vector<SkippedRow>& skipped)
{
    std::string out;
    for (std::size_t i = 0; i < skipped.size() && i < shownSkippedRows; i++)
        out += "file " + quoted(file) + ", " + skipped[i].where + ": " + skipped[i].reason + "\n";
    if (skipped.size() > shownSkippedRows)
        out += "file " + quoted(file) + ": " + std::to_string(skipped.size() - shownSkippedRows) +
               " more rows skipped\n";
    return out;
}
