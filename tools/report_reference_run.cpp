// The steps of a karvo-report run with reference data, between the load and the report.

#include <iostream>
#include <ostream>

#include "analysis/loader.h"
#include "analysis/reference_text.h"
#include "model/grid_writer.h"
#include "model/ground_cell.h"
#include "model/mountain.h"
#include "model/output_file.h"
#include "tools/report_command.h"
#include "tools/report_reference.h"

namespace {

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

bool comparisonOnGrid() { return multFiles && comparisonMatchesDem(); }

// The NMAS interval of the checkpoints: the comparison set's when there is one, otherwise
// the one --interval gives (20 by default).
double checkpointInterval(const ReportOptions& o) { return comparisonOnGrid() ? rd.getContourInt() : o.interval; }

// The checkpoints and their figures; false when the file gives none.
bool judgeCheckpoints(const ReportOptions& o, ReferenceFigures& f, std::ostream& err)
{
    const ReferenceOptions& r = o.reference;
    CheckpointSet set = readCheckpoints(r.checkpoints, mt.projection);
    err << skippedRowsText(r.checkpoints, set.skipped);
    if (!set.problem.empty()) {
        std::cout << "ERROR: file " << quoted(r.checkpoints) << ": " << set.problem << std::endl;
        return false;
    }
    CheckpointResults c =
        checkpointResults(mt.view(), r.checkpoints, std::move(set.points), set.hasClasses, checkpointInterval(o));
    if (r.targetRmse) {
        c.asprs = asprsVertical(c.points, c.heights, *r.targetRmse, r.checkpointRmse.value_or(0),
                                r.nvaClass.value_or(""));
        c.nvaClass = r.nvaClass;
        if (r.nvaClass && c.asprs->points == 0)
            err << "file " << quoted(r.checkpoints) << ": no tested checkpoint of class " << quoted(*r.nvaClass)
                << "\n";
    }
    f.checkpoints = std::move(c);
    return true;
}

int coregister(const ReportOptions& o, ReferenceFigures& f, std::ostream& out, std::ostream& err)
{
    ComparisonCoregistration c = coregisterComparison();
    if (!c.problem.empty()) {
        err << "file " << quoted(o.comparison) << ": " << c.problem << "\n";
        return 1;
    }
    std::ostream& shown = o.format == ReportOptions::Format::Text ? out : err;
    shown << coregistrationText(c, !o.reference.coregisterOnly);
    f.coregistration = std::move(c);
    std::string why;
    if (!o.reference.shifted.empty() && !writeFloatGridFile(o.reference.shifted, mt, rd.grid, why)) {
        err << "Cannot write " << o.reference.shifted << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int startReference(const ReportOptions& o, ReferenceFigures& f, std::ostream& out, std::ostream& err)
{
    f.shown = o.accuracy || o.reference.any();
    if (!o.reference.checkpoints.empty() && !judgeCheckpoints(o, f, err))
        return 255;
    return o.reference.coregistering() ? coregister(o, f, out, err) : 0;
}

int printCoregistrationOnly(const ReportOptions& o, const ReferenceFigures& f, std::ostream& out)
{
    if (o.format == ReportOptions::Format::Json) {
        out << "{\"coregistration\": " << coregistrationJson(*f.coregistration) << "}\n";
    } else if (o.format == ReportOptions::Format::Csv) {
        const ReportFields columns = coregistrationCsv(*f.coregistration);
        std::string header, line;
        for (std::size_t i = 0; i < columns.size(); i++) {
            header += (i ? "," : "") + columns[i].first;
            line += (i ? "," : "") + columns[i].second;
        }
        out << header << "\n" << line << "\n";
    }
    return 0;
}

int completeReferenceFigures(const ReportOptions& o, ReferenceFigures& f, std::ostream& err)
{
    if (!f.shown)
        return 0;
    f.cellsizeEastWest = groundCell(mt.nrows, mt.yllRead, mt.cellsizeRead, cellsInDegrees).eastWest;
    const bool comparison = comparisonOnGrid();
    if (o.accuracy && comparison)
        f.comparisonNmas = nmasOfComparison(mt.view(), rd.grid, rd.getContourInt());
    if (!o.reference.bySlope)
        return 0;
    f.bySlope = true;
    if (comparison)
        f.comparisonBySlope = slopeFiguresOfComparison(mt.view(), rd.grid);
    if (f.checkpoints)
        f.checkpointsBySlope = slopeFiguresOfCheckpoints(mt.view(), f.checkpoints->points, f.checkpoints->heights);
    int status = 0;
    for (const std::optional<SlopeFigures>* s : {&f.comparisonBySlope, &f.checkpointsBySlope})
        if (*s && !(*s)->problem.empty()) {
            err << "Figures by slope: " << (*s)->problem << "\n";
            status = 1;
        }
    return status;
}

int writeReferenceFiles(const ReportOptions& o, const ReferenceFigures& f, std::ostream& err)
{
    const std::string& file = o.reference.residuals;
    if (file.empty() || !f.checkpoints)
        return 0;
    const CheckpointResults& c = *f.checkpoints;
    if (writeStreamSafely(file, [&](std::ostream& out) { writeResiduals(out, c.points, c.heights); }))
        return 0;
    err << "Cannot write " << file << "\n";
    return 1;
}
