#pragma once
// The report of a data set as one HTML page to hand over (analysis/html_page.h): the data
// set, every figure of the statistics report in tables, the shaded relief with the
// curvature and difference levels, the histogram of the differences, the level counts
// and height classes as bars, and the worst places with pictures of the worst five of
// each kind. Everything the page shows comes in as arguments, so karvo-report and the
// viewer make the same page from what they hold (see analysis/current_report.h).

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/accuracy.h"
#include "analysis/curvature_unit.h"
#include "analysis/html_page.h"
#include "analysis/relief_picture.h"
#include "analysis/statistics_text.h"
#include "analysis/worst_places.h"
#include "model/grid_view.h"

// What the page says about the files and the grid.
struct ReportDataSet {
    std::string demFile;
    std::string comparisonFile;  // "" when there is no comparison set
    std::string comparisonType;  // "dem", "sparse" or "contour"
    int rows = 0, cols = 0;
    double cellsize = 0;        // as read, in the grid's unit
    double cellsizeMetres = 0;  // the cell's length on the ground
    bool cellsInDegrees = false;
    double xllcorner = 0, yllcorner = 0;
    std::string projection;  // WKT, "" when the file gives none
    bool hasNodata = false, nodataMasked = false;
    double nodata = 0;
    long long maskedCells = 0;
    long long nonFinite = 0;  // heights that are NaN or infinite
    float zmin = 0, zmax = 0;
};

struct ReportPageInput {
    std::string generator;  // the program and version, e.g. "karvo-report 1.1.0"
    std::string date;       // when the report was made, as it is to be shown
    ReportDataSet data;
    std::vector<std::pair<std::string, std::string>> options;  // the options used, named
    Statistics statistics;                  // with its unit: the unit the cells were graded by
    std::optional<CurvatureUnitFit> unitFit;  // set when the unit was fitted (or a fit was tried)
    std::optional<Accuracy> accuracy;       // with comparison data
    std::vector<double> differences;        // d = comparison - DEM at the compared points
    bool withClasses = false;
    std::vector<int> heightClasses;         // counts of classes 0 .. interval - 1
    std::vector<Place> worstCurvature, worstDifference;  // worst first; the page lists 20
    GridView dem;                           // for the pictures, with the masking in force
    LevelOverlay curvatureLevels, differenceLevels;  // the cells' levels (none: no overlay)
    // Tables of further figures, each with its caption as its title, set in a section
    // "Reference data" after the statistics.
    std::vector<PageTable> extraTables;
};

// The places listed of each kind, and of those the ones with a picture.
const int placesListed = 20;
const int placesPictured = 5;

// The page; nullopt, with the reason in why, when a picture cannot be encoded.
std::optional<std::string> reportPage(const ReportPageInput& in, std::string& why);

// The description htmlPage writes, for the same input.
std::optional<PageDescription> reportPageDescription(const ReportPageInput& in, std::string& why);

// The name a WKT coordinate system gives itself and, where its last element is an EPSG
// code, that code: "WGS 84 / UTM zone 32N (EPSG:32632)"; "none given" for "".
std::string coordinateSystemName(const std::string& wkt);
