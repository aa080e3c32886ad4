#pragma once
// The HTML report of the data set loaded (analysis/report_page.h): what karvo-report's
// --html and the viewer's "Save Report..." write.

#include <optional>
#include <string>
#include <vector>

#include "analysis/curvature_unit.h"
#include "analysis/report_page.h"

struct ReportPageRequest {
    std::string demFile, comparisonFile;  // as the user named them; "" for no comparison file
    std::string comparisonType;           // "dem", "sparse" or "contour"
    std::string generator;                // the program and version
    double unit = 1;                      // the unit in force as the user reads it (units is its float)
    std::optional<CurvatureUnitFit> unitFit;  // when the unit was fitted, or a fit was tried
    bool withClasses = false;             // add the height classes (mt.classes, when computed)
    std::vector<PageTable> extraTables;   // further figures, each titled by its caption
};

// The page's input from mt, rd and the passes' results: the statistics, the accuracy and
// the differences at the compared points, the worst placesListed places of each kind,
// the levels of the cells and the options in force; dated now, in local time.
ReportPageInput currentReportPage(const ReportPageRequest& request);

// Makes the page and writes it to path through a temporary file beside it. false with
// the reason when a picture cannot be encoded or the file cannot be written (why "").
// Refusing to write over an input is the caller's (outputOverInput).
bool saveReportPage(const std::string& path, const ReportPageRequest& request, std::string& why);
