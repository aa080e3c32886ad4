#include "tools/report_window.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "analysis/statistics_text.h"
#include "model/error.h"
#include "model/mountain.h"
#include "tools/report_command.h"

namespace {

// A double that reads back as itself: 17 significant digits, or the word of a value that
// is no number, as a string that strtod reads back.
std::string exact(double value)
{
    if (std::isnan(value))
        return "\"NaN\"";
    if (std::isinf(value))
        return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string partials(const ExactSum& sum)
{
    const std::vector<double> parts = sum.partials();
    std::string out = "[";
    for (std::size_t i = 0; i < parts.size(); i++)
        out += (i ? ", " : "") + exact(parts[i]);
    return out + "]";
}

template <typename T>
std::string counts(const T* values, int n)
{
    std::string out = "[";
    for (int i = 0; i < n; i++)
        out += (i ? ", " : "") + std::to_string(values[i]);
    return out + "]";
}

std::string histogramJson(const std::map<long long, long long>& histogram)
{
    std::string out = "[";
    for (const auto& [index, count] : histogram)
        out += (out.size() > 1 ? ", [" : "[") + std::to_string(index) + ", " + std::to_string(count) + "]";
    return out + "]";
}

std::string placeJson(const WindowSource& s)
{
    const GridWindow& w = s.window;
    std::string out = "\"file\": " + reportJsonString(s.file) + ", \"grid_rows\": " + std::to_string(s.gridRows) +
                      ", \"grid_cols\": " + std::to_string(s.gridCols) + ", \"xoff\": " + std::to_string(w.xoff) +
                      ", \"yoff\": " + std::to_string(w.yoff) + ", \"xsize\": " + std::to_string(w.xsize) +
                      ", \"ysize\": " + std::to_string(w.ysize);
    out += ", \"cellsize\": " + exact(s.cellsize) + ", \"cellsize_m\": " + exact(s.cellsizeMetres) +
           ", \"xllcorner\": " + exact(s.xllcorner) + ", \"yllcorner\": " + exact(s.yllcorner);
    out += ", \"nodata\": " + (s.nodata ? "[" + exact(s.nodata->held) + ", " + exact(s.nodata->read) + "]" : "null");
    out += ", \"unit\": " + exact(s.unit) + ", \"interval\": " + std::to_string(s.interval);
    const bool comparison = !s.comparisonFile.empty();
    out += ", \"comparison_file\": " + (comparison ? reportJsonString(s.comparisonFile) : "null");
    out += ", \"comparison_type\": " + (comparison ? reportJsonString(s.comparisonType) : "null");
    return out;
}

}  // namespace

ReportFigures windowReportFigures(const WindowReport& w, int rows, int cols, double xllcorner, double yllcorner,
                                  const std::optional<Accuracy>& accuracy)
{
    const WindowSource& s = w.source;
    const WindowFigures& g = w.figures;
    ReportFigures f;
    f.demFile = s.file;
    f.rows = rows;
    f.cols = cols;
    f.cellsize = s.cellsize;
    f.cellsizeMetres = s.cellsizeMetres;
    f.xllcorner = xllcorner;
    f.yllcorner = yllcorner;
    f.nodata = s.nodata;
    f.zmin = g.zmin;
    f.zmax = g.zmax;
    f.maskedCells = g.maskedCells;
    Statistics& t = f.statistics;
    t.rows = rows;
    t.cols = cols;
    t.totalSq = static_cast<float>(g.squares.value());
    t.maxCurve = g.maxCurve;
    int* const curve[4] = {&t.c15, &t.c10, &t.c5, &t.c};
    for (int i = 0; i < 4; i++)
        *curve[i] = static_cast<int>(g.curveCounts[i]);
    t.unit = s.unit;
    t.comparison = !s.comparisonFile.empty();
    t.contourInterval = s.interval;
    int* const difference[5] = {&t.d20, &t.d15, &t.d10, &t.d5, &t.d};
    for (int i = 0; i < 5; i++)
        *difference[i] = static_cast<int>(g.diffCounts[i]);
    f.comparisonFile = s.comparisonFile;
    f.comparisonType = s.comparisonType;
    if (t.comparison && g.differences.points > 0) {
        Accuracy a = accuracyOfSums(g.differences);
        if (accuracy) {
            a.nmad = accuracy->nmad;
            a.le90 = accuracy->le90;
            a.le95 = accuracy->le95;
        } else {
            histogramQuantiles(g.histogram, a.nmad, a.le90);
        }
        t.hasRmse = true;
        t.rmse = static_cast<float>(a.rmse);
        f.accuracy = a;
    }
    return f;
}

std::string mergeJson(const WindowReport& w)
{
    const WindowFigures& f = w.figures;
    std::string out = "{" + placeJson(w.source);
    out += ", \"points\": " + std::to_string(f.points) + ", \"cells\": " + std::to_string(f.cells) +
           ", \"masked_cells\": " + std::to_string(f.maskedCells) + ", \"zmin\": " + exact(f.zmin) +
           ", \"zmax\": " + exact(f.zmax);
    out += ", \"curvature\": {\"squares\": " + partials(f.squares) + ", \"max\": " + exact(f.maxCurve) +
           ", \"max_row\": " + std::to_string(f.maxCurveRow) + ", \"max_col\": " + std::to_string(f.maxCurveCol) +
           ", \"levels\": " + counts(f.curveCounts, 4) + "}";
    const DifferenceSums& d = f.differences;
    out += ", \"difference\": {\"levels\": " + counts(f.diffCounts, 5) + ", \"points\": " + std::to_string(d.points) +
           ", \"sum\": " + partials(d.sum) + ", \"squares\": " + partials(d.squares) +
           ", \"abs\": " + partials(d.absolute) + ", \"max_abs\": " + exact(d.maxAbs) +
           ", \"max_abs_row\": " + std::to_string(f.maxAbsRow) + ", \"max_abs_col\": " +
           std::to_string(f.maxAbsCol) + ", \"histogram\": " + histogramJson(f.histogram) + "}";
    return out + "}";
}

namespace {

// The window's own points of the piece, as a grid of their own: its exact accuracy
// figures, NMAD and LE90 included.
std::optional<Accuracy> windowAccuracy(const WindowPlace& p)
{
    std::vector<const float*> dem(static_cast<std::size_t>(p.rows)), comparison(dem.size());
    for (int r = 0; r < p.rows; r++) {
        dem[r] = mt.grid[p.firstRow + r] + p.firstCol;
        comparison[r] = rd.grid[p.firstRow + r] + p.firstCol;
    }
    GridView view = mt.view();
    view.rows = dem.data();
    view.nrows = p.rows;
    view.ncols = p.cols;
    return comparisonAccuracy(view, comparison.data());
}

WindowSource currentSource(const ReportOptions& o, const WindowRead& piece, const std::string& type)
{
    WindowSource s;
    s.file = o.dem;
    s.comparisonFile = o.comparison;
    s.comparisonType = o.comparison.empty() ? "" : type;
    s.gridRows = piece.gridRows;
    s.gridCols = piece.gridCols;
    s.cellsize = mt.cellsizeRead;
    s.xllcorner = piece.xllcorner;
    s.yllcorner = piece.yllcorner;
    s.cellsizeMetres = mt.groundCellsize();
    if (mt.hasNodata)
        s.nodata = HeaderNumber{mt.nodata_value, mt.nodataRead};
    s.unit = o.unit;
    s.interval = rd.getContourInt();
    s.window = *o.window;
    return s;
}

// The corner of the area of rows x cols whose first point is (row, col) in s's grid.
void areaCorner(const WindowSource& s, int row, int col, int rows, double& x, double& y)
{
    x = s.xllcorner + col * s.cellsize;
    y = s.yllcorner + (s.gridRows - row - rows) * s.cellsize;
}

}  // namespace

void printWindowFigures(const ReportOptions& o, const ReportFigures& f, const ReportAdditions& more, std::ostream& out)
{
    if (o.format == ReportOptions::Format::Text) {
        out << statisticsText(f.statistics) << "\n" << more.text;
    } else if (o.format == ReportOptions::Format::Csv) {
        const std::string csv = reportCsv(f);
        const std::size_t headerEnd = csv.find('\n');
        out << csv.substr(0, headerEnd) << more.csvHeader << csv.substr(headerEnd, csv.size() - headerEnd - 1)
            << more.csvValues << "\n";
    } else {
        std::string json = reportJson(f);
        json.resize(json.size() - 2);  // the closing brace and the line end
        out << json << more.json << "}\n";
    }
}

int printWindowReport(const ReportOptions& o, std::ostream& out, std::ostream& err)
{
    const WindowRead& piece = *demWindowRead;
    if (comparisonWindowRead &&
        (comparisonWindowRead->gridRows != piece.gridRows || comparisonWindowRead->gridCols != piece.gridCols)) {
        err << "Files do not match\n--align resamples the comparison onto the DEM's grid\n";
        return 2;
    }
    const GridWindow& w = *o.window;
    const WindowPlace place{w.yoff - piece.firstRow, w.xoff - piece.firstCol, w.ysize, w.xsize, piece.firstRow,
                            piece.firstCol};
    const bool comparison = !o.comparison.empty() && comparisonMatchesDem();
    WindowReport report;
    report.source = currentSource(o, piece, o.fileType == DEM ? "dem" : o.fileType == SPARSEF ? "sparse" : "contour");
    report.figures = windowFigures(mt.view(), comparison ? rd.grid : nullptr, place, static_cast<float>(o.unit),
                                   report.source.interval);
    const std::optional<Accuracy> accuracy = comparison ? windowAccuracy(place) : std::nullopt;
    double x = 0, y = 0;
    areaCorner(report.source, w.yoff, w.xoff, w.ysize, x, y);
    const ReportFigures f = windowReportFigures(report, w.ysize, w.xsize, x, y, accuracy);
    printWindowFigures(o, f, ReportAdditions{", \"merge\": " + mergeJson(report), "", "", ""}, out);
    return 0;
}

