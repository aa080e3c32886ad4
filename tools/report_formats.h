#pragma once
// The machine-readable forms of karvo-report's results: one JSON object, or one CSV
// header line and one line of figures, for pipelines and for gluing many tiles into a
// table. Numbers are written with 9 significant digits (17 for the accuracy figures
// computed in double; the corner and cellsize as the shortest text of the double read);
// a figure that cannot be computed is null in JSON, empty in CSV. The nodata value is
// written as the file gave it: the float the model holds, or the number as read where the
// float lost it (a nodata of 1e300); a NaN or infinite one is the string "NaN",
// "Infinity" or "-Infinity" (in CSV the bare word). JSON is valid UTF-8 whatever bytes
// the file names hold.

#include <optional>
#include <string>
#include <vector>

#include "analysis/accuracy.h"
#include "analysis/curvature_unit.h"
#include "analysis/statistics_text.h"
#include "tools/report_reference.h"
#include "tools/report_worst.h"

// A number of the header: the float the model computes with, and the number as read.
struct HeaderNumber {
    float held = 0;
    double read = 0;
};

struct ReportFigures {
    std::string demFile;
    int rows = 0, cols = 0;
    double cellsize = 0, xllcorner = 0, yllcorner = 0;  // as read
    float cellsizeMetres = 0;
    std::optional<HeaderNumber> nodata;
    float zmin = 0, zmax = 0;
    long long maskedCells = 0;
    Statistics statistics;  // the curvature figures, and the difference counts with comparison data
    std::string comparisonFile;  // empty: no comparison set
    std::string comparisonType;  // "dem", "sparse" or "contour"
    std::optional<Accuracy> accuracy;
    std::vector<int> heightClasses;  // with --classes: counts of classes 0 .. interval - 1
                                     // (JSON: "height_classes", CSV: height_class_0 ...)
    bool withClasses = false;
    // With --accuracy or a reference option: their figures (tools/report_reference.h).
    const ReferenceFigures* reference = nullptr;
    // With --unit auto: the fit (JSON: curvature.unit_fitted, unit_values, unit_percentile;
    // CSV: curvature_unit_fitted). With --worst: the lists (JSON: "worst"; CSV: none).
    std::optional<CurvatureUnitFit> unitFit;
    std::optional<WorstLists> worst;
};

// The figures of the data set loaded in mt and rd.
ReportFigures currentFigures(const std::string& demFile, const std::string& comparisonFile,
                             const std::string& comparisonType, double unit);

std::string reportJson(const ReportFigures& f);
std::string reportCsv(const ReportFigures& f);

// For the report's other parts: a figure with digits significant digits (null in JSON,
// empty in CSV when it is not finite), a JSON string, a CSV field.
std::string reportNumber(double value, int digits, bool json);
std::string reportJsonString(const std::string& s);
std::string reportCsvField(const std::string& s);

// The accuracy lines that --accuracy adds after the RMSE line of the text report.
std::string accuracyText(const std::optional<Accuracy>& a);
