#include "tools/report_hand_over.h"

#include <ostream>

#include "analysis/current_report.h"
#include "analysis/unit_fit_step.h"
#include "model/error.h"
#include "tools/report_reference.h"
#include "tools/report_worst.h"

namespace {

int writeHtml(const ReportOptions& options, const ReferenceFigures& reference, std::ostream& err)
{
    ReportPageRequest request;
    request.demFile = options.dem;
    request.comparisonFile = options.comparison;
    if (!options.comparison.empty())
        request.comparisonType = options.fileType == DEM ? "dem" : options.fileType == SPARSEF ? "sparse" : "contour";
    request.generator = "karvo-report " KARVO_VERSION;
    request.unit = options.unit;
    request.unitFit = options.unitFit;
    request.withClasses = options.classes;
    if (reference.shown)
        request.extraTables = referenceTables(reference);
    std::string why;
    if (saveReportPage(options.htmlFile, request, why))
        return 0;
    err << "Cannot write " << options.htmlFile << (why.empty() ? "" : ": " + why) << "\n";
    return 1;
}

}  // namespace

void fitUnit(ReportOptions& options, std::ostream& err)
{
    const CurvatureUnitFit fit = fitCurrentUnit();
    options.unitFit = fit;
    options.unit = statedUnit(fit, options.unit);
    if (!fit.fitted)
        err << "Cannot fit the curvature unit: " << unitFitProblem(fit) << "; the unit stays " << options.unit << "\n";
}

int handOver(const ReportOptions& options, const ReferenceFigures& reference, std::ostream& out, std::ostream& err)
{
    int status = 0;
    if (options.worst > 0) {
        const WorstLists lists = currentWorstLists(options.worst, !options.comparison.empty());
        if (options.format == ReportOptions::Format::Text)
            out << worstText(lists);
        if (!options.worstGeojson.empty() && !writeWorstGeoJson(options.worstGeojson, lists, err))
            status = 1;
    }
    if (!options.htmlFile.empty() && writeHtml(options, reference, err) != 0)
        status = 1;
    return status;
}
