#pragma once
// karvo-report's windows: the report of one window of a grid (--window), the figures a
// merge needs (the "merge" object of its JSON), the merge of many (--merge) and the plan
// of a partition (--plan).

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "analysis/window_figures.h"
#include "model/grid_window.h"
#include "tools/report_formats.h"

struct ReportOptions;

// What the windows of one grid share, and what a window is: its place in the grid.
struct WindowSource {
    std::string file;                  // the DEM as named
    std::string comparisonFile, comparisonType;  // empty without comparison data
    int gridRows = 0, gridCols = 0;
    double cellsize = 0, xllcorner = 0, yllcorner = 0;  // of the whole grid, as read
    float cellsizeMetres = 0;
    std::optional<HeaderNumber> nodata;
    double unit = 1;
    int interval = 0;
    GridWindow window;
};

// One window's report as its own: the window's cells, and the figures a merge takes.
struct WindowReport {
    WindowSource source;
    WindowFigures figures;
};

// The report's figures of a window or a mosaic: dem rows and columns and corner those of
// the area, accuracy from the exact sums (NMAD and LE90 from accuracy when given, else from
// the histogram).
ReportFigures windowReportFigures(const WindowReport& w, int rows, int cols, double xllcorner, double yllcorner,
                                  const std::optional<Accuracy>& accuracy);

// The "merge" member of a window's JSON (without the leading comma).
std::string mergeJson(const WindowReport& w);

// A window's report read back from the "merge" member of a JSON report; false with the
// reason when the text holds none.
bool readMergeJson(const std::string& text, WindowReport& w, std::string& why);

// What a window's or a mosaic's report adds to the plain one: JSON members (each after a
// comma), a text line, CSV columns (header, then values, each after a comma).
struct ReportAdditions {
    std::string json, text, csvHeader, csvValues;
};

// f in options.format, with the additions.
void printWindowFigures(const ReportOptions& options, const ReportFigures& f, const ReportAdditions& more,
                        std::ostream& out);

// The window's report of the data set loaded through options.window, in options.format.
int printWindowReport(const ReportOptions& options, std::ostream& out, std::ostream& err);

// --merge: the mosaic of the reports named (a name "-" reads names from in, one a line).
int mergeReports(const ReportOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

// --plan SIZE DEM: the windows of a partition into SIZE x SIZE, one a line.
int printPlan(const ReportOptions& options, std::ostream& out, std::ostream& err);
