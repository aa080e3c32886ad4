// "Save Report...": the HTML page of the data set shown (analysis/current_report.h) with the
// names of its files, the unit in force (and its fit, when the user fitted it) and the
// height classes once they have been counted for the interval in force.

#include <new>
#include <string>

#include "analysis/current_report.h"
#include "analysis/loader.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "model/error.h"
#include "model/mountain.h"
#include "shell/curvature_unit.h"

namespace {

const char* comparisonTypeName(int type)
{
    if (type == DEM)
        return "dem";
    return type == SPARSEF ? "sparse" : "contour";
}

ReportPageRequest shownDataSet()
{
    ReportPageRequest request;
    request.demFile = demSourceName();
    request.comparisonFile = comparisonSource().name;
    if (!request.comparisonFile.empty())
        request.comparisonType = comparisonTypeName(comparisonSource().type);
    request.generator = "karvo " KARVO_VERSION;
    request.unit = curvatureUnit();
    request.unitFit = unitFitInForce();
    request.withClasses = mt.heightClassesFor(rd.getContourInt());
    return request;
}

}  // namespace

void saveReportM(Fl_Widget*, void*)
{
    const std::string path = chosenFile("*.{html,htm}\t*", "Save Report");
    if (!path.empty())
        saveReport(path);
}

bool saveReport(const std::string& path)
{
    if (mt.grid == nullptr || !writableOutput(path))
        return false;
    std::string why;
    try {
        if (saveReportPage(path, shownDataSet(), why))
            return true;
    } catch (const std::bad_alloc&) {
        why = "not enough memory to make the report";
    }
    errorMessage(WRITE_ERR, "Cannot write " + path + (why.empty() ? "" : ": " + why));
    return false;
}
