// The reference figures as tables of the HTML report: the same figures the text report
// prints after its accuracy lines, three decimals as there.

#include <cstdio>

#include "tools/report_reference.h"

namespace {

std::string fixed(double v)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

std::string whole(long long v) { return std::to_string(v); }
std::string yesNo(bool v) { return v ? "yes" : "no"; }

PageTable nmasTable(const std::string& caption, const NmasTest& t)
{
    return {caption,
            {{"Interval", "Tested", "Off by more than half", "Share", "Meets (at most 10 %)"}},
            {{fixed(t.interval), whole(t.tested), whole(t.exceeding), fixed(t.share) + " (" + fixed(100 * t.share) + " %)", yesNo(t.meets)}}};
}

std::vector<std::string> figureRow(const std::string& name, const CheckpointFigures& f)
{
    const Accuracy a = f.accuracy.value_or(Accuracy());
    return {name,           std::to_string(f.tested), std::to_string(f.outside), std::to_string(f.nodata),
            fixed(a.rmse),  fixed(a.mean),              fixed(a.mae),                fixed(a.std),
            fixed(a.nmad),  fixed(a.le90),              fixed(a.le95),               fixed(a.maxAbs)};
}

void addCheckpointTables(const CheckpointResults& c, std::vector<PageTable>& tables)
{
    PageTable figures{"Checkpoints: " + c.file + " (d = checkpoint - DEM)",
                      {{"Checkpoints", "Tested", "Outside", "Nodata", "RMSE", "Mean", "MAE", "Std", "NMAD", "LE90",
                        "LE95", "Max |d|"}},
                      {figureRow("all", c.report.all)}};
    for (const ClassFigures& k : c.report.classes)
        figures.body.push_back(figureRow(k.name, k.figures));
    tables.push_back(figures);
    PageTable largest{"Checkpoints: the largest differences", {{"Id", "x", "y", "d"}}, {}};
    for (const LargeResidual& r : c.report.all.largest)
        largest.body.push_back({r.id, fixed(r.x), fixed(r.y), fixed(r.d)});
    tables.push_back(largest);
    tables.push_back(nmasTable("Checkpoints: NMAS vertical test", c.nmas));
    if (c.asprs) {
        const AsprsVertical& a = *c.asprs;
        std::string blunders;
        for (const std::string& id : a.blunderIds)
            blunders += (blunders.empty() ? "" : ", ") + id;
        tables.push_back({"Checkpoints: ASPRS vertical accuracy" + (c.nvaClass ? " (class " + *c.nvaClass + ")" : ""),
                          {{"Target RMSE", "Checkpoint RMSE", "Points", "RMSE", "Product RMSE", "Meets",
                            "At least 30", "Bias note", "Possible blunders"}},
                          {{fixed(a.targetRmse), fixed(a.checkpointRmse), whole(a.points), fixed(a.rmse),
                            fixed(a.productRmse), yesNo(a.meets), yesNo(a.enoughCheckpoints), yesNo(a.biasFlag),
                            blunders.empty() ? "none" : blunders}}});
    }
}

PageTable slopeTable(const std::string& caption, const SlopeFigures& s)
{
    PageTable t{caption, {{"Slope (degrees)", "Points", "Mean", "Std", "RMSE", "NMAD", "LE90"}}, {}};
    for (const SlopeClassFigures& k : s.classes)
        t.body.push_back({fixed(k.from) + " - " + fixed(k.to), whole(k.points), fixed(k.mean), fixed(k.std),
                          fixed(k.rmse), fixed(k.nmad), fixed(k.le90)});
    return t;
}

}  // namespace

std::vector<PageTable> referenceTables(const ReferenceFigures& f)
{
    std::vector<PageTable> tables;
    if (f.comparisonNmas)
        tables.push_back(nmasTable("Comparison: NMAS vertical test", *f.comparisonNmas));
    if (f.checkpoints)
        addCheckpointTables(*f.checkpoints, tables);
    if (f.comparisonBySlope && f.comparisonBySlope->problem.empty())
        tables.push_back(slopeTable("Comparison by slope", *f.comparisonBySlope));
    if (f.checkpointsBySlope && f.checkpointsBySlope->problem.empty())
        tables.push_back(slopeTable("Checkpoints by slope", *f.checkpointsBySlope));
    if (f.coregistration && f.coregistration->problem.empty()) {
        const Coregistration& k = f.coregistration->result;
        tables.push_back({"Coregistration of the comparison (the figures above are after it)",
                          {{"Status", "East", "North", "East (cells)", "North (cells)", "Vertical bias", "Iterations"}},
                          {{coregistrationStatusText(k.status), fixed(k.east), fixed(k.north), fixed(k.eastCells),
                            fixed(k.northCells), fixed(k.bias), whole(k.iterations)}}});
    }
    return tables;
}
