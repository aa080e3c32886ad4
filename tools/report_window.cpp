#include "tools/report_window.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>

#include "analysis/statistics_text.h"
#include "model/error.h"
#include "model/input_file.h"
#include "model/mountain.h"
#include "tools/json_value.h"
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

// The members of one object of a merge record, read with their kinds checked; the first
// that is missing or of another kind is named in why.
class Record {
public:
    Record(const JsonValue* object, std::string& why) : object(object), why(why) {}

    bool good() const { return bad.empty(); }
    const std::string& problem() const { return bad; }

    const JsonValue* get(const std::string& name)
    {
        const JsonValue* v = object ? object->member(name) : nullptr;
        if (v == nullptr)
            fail(name);
        return v;
    }
    // A number, or a string that is one ("NaN", "Infinity").
    double number(const std::string& name)
    {
        const JsonValue* v = get(name);
        if (v && v->kind == JsonValue::Kind::Number)
            return v->number;
        if (v && v->kind == JsonValue::Kind::String) {
            char* end = nullptr;
            const double value = std::strtod(v->text.c_str(), &end);
            if (!v->text.empty() && *end == '\0')
                return value;
        }
        fail(name);
        return 0;
    }
    long long whole(const std::string& name)
    {
        const double value = number(name);
        if (!(std::fabs(value) < 0x1p53) || value != std::floor(value))
            fail(name);
        return good() ? static_cast<long long>(value) : 0;
    }
    int integer(const std::string& name)
    {
        const long long value = whole(name);
        if (value < -2147483647LL || value > 2147483647LL)
            fail(name);
        return static_cast<int>(value);
    }
    // A string, or "" for null.
    std::string text(const std::string& name)
    {
        const JsonValue* v = get(name);
        if (v && v->kind == JsonValue::Kind::String)
            return v->text;
        if (!(v && v->kind == JsonValue::Kind::Null))
            fail(name);
        return "";
    }
    const JsonValue* array(const std::string& name, std::size_t size = 0)
    {
        const JsonValue* v = get(name);
        if (!v || v->kind != JsonValue::Kind::Array || (size != 0 && v->items.size() != size)) {
            fail(name);
            return nullptr;
        }
        return v;
    }
    ExactSum sum(const std::string& name)
    {
        ExactSum s;
        if (const JsonValue* v = array(name))
            for (const JsonValue& item : v->items) {
                if (item.kind != JsonValue::Kind::Number)
                    fail(name);
                s.add(item.number);
            }
        return s;
    }
    void counts(const std::string& name, long long* out, std::size_t n)
    {
        if (const JsonValue* v = array(name, n))
            for (std::size_t i = 0; i < n; i++) {
                const JsonValue& item = v->items[i];
                if (item.kind != JsonValue::Kind::Number || item.number < 0 || item.number != std::floor(item.number))
                    fail(name);
                out[i] = static_cast<long long>(item.number);
            }
    }
    void fail(const std::string& name)
    {
        // The innermost member is named: an object whose member failed fails after it.
        if (bad.empty())
            bad = "its member \"" + name + "\" is missing or wrong";
        if (why.empty())
            why = bad;
    }

private:
    const JsonValue* object;
    std::string& why;
    std::string bad;
};

void readSource(Record& m, WindowSource& s)
{
    s.file = m.text("file");
    s.gridRows = m.integer("grid_rows");
    s.gridCols = m.integer("grid_cols");
    s.window = GridWindow{m.integer("xoff"), m.integer("yoff"), m.integer("xsize"), m.integer("ysize")};
    s.cellsize = m.number("cellsize");
    s.cellsizeMetres = static_cast<float>(m.number("cellsize_m"));
    s.xllcorner = m.number("xllcorner");
    s.yllcorner = m.number("yllcorner");
    const JsonValue* nodata = m.get("nodata");
    if (nodata && nodata->kind == JsonValue::Kind::Array && nodata->items.size() == 2) {
        JsonValue pair;
        pair.kind = JsonValue::Kind::Object;
        pair.members = {{"held", nodata->items[0]}, {"read", nodata->items[1]}};
        std::string why;
        Record values(&pair, why);
        s.nodata = HeaderNumber{static_cast<float>(values.number("held")), values.number("read")};
        if (!values.good())
            m.fail("nodata");
    } else if (!nodata || nodata->kind != JsonValue::Kind::Null) {
        m.fail("nodata");
    }
    s.unit = m.number("unit");
    s.interval = m.integer("interval");
    s.comparisonFile = m.text("comparison_file");
    s.comparisonType = m.text("comparison_type");
}

void readFigures(Record& m, WindowFigures& f, std::string& why)
{
    f.points = m.whole("points");
    f.cells = m.whole("cells");
    f.maskedCells = m.whole("masked_cells");
    f.zmin = static_cast<float>(m.number("zmin"));
    f.zmax = static_cast<float>(m.number("zmax"));
    Record c(m.get("curvature"), why);
    f.squares = c.sum("squares");
    f.maxCurve = static_cast<float>(c.number("max"));
    f.maxCurveRow = c.integer("max_row");
    f.maxCurveCol = c.integer("max_col");
    c.counts("levels", f.curveCounts, 4);
    Record d(m.get("difference"), why);
    d.counts("levels", f.diffCounts, 5);
    f.differences.points = d.whole("points");
    f.differences.sum = d.sum("sum");
    f.differences.squares = d.sum("squares");
    f.differences.absolute = d.sum("abs");
    f.differences.maxAbs = d.number("max_abs");
    f.maxAbsRow = d.integer("max_abs_row");
    f.maxAbsCol = d.integer("max_abs_col");
    if (const JsonValue* histogram = d.array("histogram"))
        for (const JsonValue& bin : histogram->items) {
            if (bin.kind != JsonValue::Kind::Array || bin.items.size() != 2 ||
                bin.items[0].kind != JsonValue::Kind::Number || bin.items[1].kind != JsonValue::Kind::Number) {
                d.fail("histogram");
                break;
            }
            f.histogram[static_cast<long long>(bin.items[0].number)] += static_cast<long long>(bin.items[1].number);
        }
    if (!c.good() || !d.good())
        m.fail(c.good() ? "difference" : "curvature");
}

}  // namespace

bool readMergeJson(const std::string& text, WindowReport& w, std::string& why)
{
    const std::optional<JsonValue> report = parseJson(text, why);
    if (!report)
        return false;
    const JsonValue* merge = report->member("merge");
    if (merge == nullptr || merge->kind != JsonValue::Kind::Object) {
        why = "it holds no \"merge\" member (written by --window with --format json)";
        return false;
    }
    Record m(merge, why);
    readSource(m, w.source);
    readFigures(m, w.figures, why);
    return m.good() && why.empty();
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

// The report of f with what the window or the mosaic adds: JSON members, a text line, CSV
// columns (header, then values).
struct Additions {
    std::string json, text, csvHeader, csvValues;
};

void printFormatted(const ReportOptions& o, const ReportFigures& f, const Additions& more, std::ostream& out)
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

}  // namespace

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
    printFormatted(o, f, Additions{", \"merge\": " + mergeJson(report), "", "", ""}, out);
    return 0;
}

namespace {

const long long largestMergeFile = 1LL << 30;

bool readWhole(const std::string& path, std::string& bytes, std::string& why)
{
    const int fd = openRegularFile(path, why);
    if (fd < 0)
        return false;
    struct stat info;
    bool read = fstat(fd, &info) == 0;
    if (read && info.st_size > largestMergeFile) {
        why = "is larger than 1 GB";
        read = false;
    }
    if (read) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        ssize_t got = 1;
        while (done < bytes.size() && (got = ::read(fd, &bytes[done], bytes.size() - done)) > 0)
            done += static_cast<std::size_t>(got);
        bytes.resize(done);
        read = got >= 0;
        if (!read)
            why = "cannot be read";
    }
    ::close(fd);
    return read;
}

// The names to merge: "-" stands for the names on standard input, one a line.
std::vector<std::string> mergeNames(const std::vector<std::string>& files, std::istream& in)
{
    std::vector<std::string> names;
    for (const std::string& file : files) {
        if (file != "-") {
            names.push_back(file);
            continue;
        }
        for (std::string line; std::getline(in, line);)
            if (!line.empty())
                names.push_back(line);
    }
    return names;
}

// Whether two windows are windows of one grid, read and graded alike.
bool sameGrid(const WindowSource& a, const WindowSource& b)
{
    auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    return a.gridRows == b.gridRows && a.gridCols == b.gridCols && a.cellsize == b.cellsize &&
           a.xllcorner == b.xllcorner && a.yllcorner == b.yllcorner && a.unit == b.unit &&
           a.interval == b.interval && a.comparisonFile.empty() == b.comparisonFile.empty() &&
           a.comparisonType == b.comparisonType && a.nodata.has_value() == b.nodata.has_value() &&
           (!a.nodata || same(a.nodata->read, b.nodata->read));
}

bool overlap(const GridWindow& a, const GridWindow& b)
{
    return a.xoff < b.xoff + b.xsize && b.xoff < a.xoff + a.xsize && a.yoff < b.yoff + b.ysize &&
           b.yoff < a.yoff + a.ysize;
}

// The first two windows that overlap, as indices; nullopt when none do. Sorted by their
// first row, a window is tried only against those that start above its end.
std::optional<std::pair<std::size_t, std::size_t>> overlapping(const std::vector<WindowReport>& reports)
{
    std::vector<std::size_t> order(reports.size());
    for (std::size_t i = 0; i < order.size(); i++)
        order[i] = i;
    auto window = [&](std::size_t i) -> const GridWindow& { return reports[i].source.window; };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return window(a).yoff < window(b).yoff; });
    for (std::size_t i = 0; i < order.size(); i++)
        for (std::size_t j = i + 1; j < order.size() && window(order[j]).yoff < window(order[i]).yoff + window(order[i]).ysize; j++)
            if (overlap(window(order[i]), window(order[j])))
                return std::make_pair(std::min(order[i], order[j]), std::max(order[i], order[j]));
    return std::nullopt;
}

// The parts of the grid no window covers, as windows: the grid cut along every window's
// edges, the pieces left uncovered joined along their rows.
std::vector<GridWindow> gaps(const std::vector<WindowReport>& reports, int rows, int cols)
{
    std::vector<int> xs = {0, cols}, ys = {0, rows};
    for (const WindowReport& r : reports) {
        xs.push_back(r.source.window.xoff);
        xs.push_back(r.source.window.xoff + r.source.window.xsize);
        ys.push_back(r.source.window.yoff);
        ys.push_back(r.source.window.yoff + r.source.window.ysize);
    }
    for (std::vector<int>* edges : {&xs, &ys}) {
        std::sort(edges->begin(), edges->end());
        edges->erase(std::unique(edges->begin(), edges->end()), edges->end());
    }
    std::vector<GridWindow> found;
    for (std::size_t j = 0; j + 1 < ys.size(); j++)
        for (std::size_t i = 0; i + 1 < xs.size(); i++) {
            const GridWindow piece{xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]};
            if (std::any_of(reports.begin(), reports.end(),
                            [&](const WindowReport& r) { return overlap(r.source.window, piece); }))
                continue;
            GridWindow* last = found.empty() ? nullptr : &found.back();
            if (last && last->yoff == piece.yoff && last->ysize == piece.ysize && last->xoff + last->xsize == piece.xoff)
                last->xsize += piece.xsize;
            else
                found.push_back(piece);
        }
    return found;
}

std::string windowText(const GridWindow& w)
{
    return std::to_string(w.xoff) + " " + std::to_string(w.yoff) + " " + std::to_string(w.xsize) + " " +
           std::to_string(w.ysize);
}

}  // namespace

int mergeReports(const ReportOptions& o, std::istream& in, std::ostream& out, std::ostream& err)
{
    const std::vector<std::string> names = mergeNames(o.mergeFiles, in);
    if (names.empty()) {
        err << "karvo-report: no reports to merge\n";
        return 2;
    }
    std::vector<WindowReport> reports(names.size());
    for (std::size_t i = 0; i < names.size(); i++) {
        std::string bytes, why;
        if (!readWhole(names[i], bytes, why) || !readMergeJson(bytes, reports[i], why)) {
            err << "Cannot merge \"" << names[i] << "\": " << why << "\n";
            return 2;
        }
        if (!sameGrid(reports[0].source, reports[i].source)) {
            err << "Cannot merge \"" << names[0] << "\" and \"" << names[i] << "\": they are windows of different grids\n";
            return 2;
        }
    }
    if (const auto pair = overlapping(reports)) {
        err << "Cannot merge: the windows of \"" << names[pair->first] << "\" and \"" << names[pair->second]
            << "\" overlap\n";
        return 2;
    }
    const WindowSource& s = reports[0].source;
    WindowReport mosaic = reports[0];
    long long covered = 0;
    for (std::size_t i = 0; i < reports.size(); i++) {
        if (i > 0)
            addWindowFigures(mosaic.figures, reports[i].figures);
        covered += static_cast<long long>(reports[i].source.window.xsize) * reports[i].source.window.ysize;
    }
    const long long total = static_cast<long long>(s.gridRows) * s.gridCols;
    for (const GridWindow& gap : covered < total ? gaps(reports, s.gridRows, s.gridCols) : std::vector<GridWindow>())
        err << "Warning: no window covers the cells " << windowText(gap) << " (XOFF YOFF XSIZE YSIZE)\n";
    const ReportFigures f = windowReportFigures(mosaic, s.gridRows, s.gridCols, s.xllcorner, s.yllcorner, std::nullopt);
    const std::string windows = std::to_string(reports.size()), cells = std::to_string(covered);
    const std::string grid = std::to_string(total);
    printFormatted(o, f,
                   Additions{", \"mosaic\": {\"windows\": " + windows + ", \"cells\": " + cells +
                                 ", \"grid_cells\": " + grid + "}",
                             "Mosaic: " + windows + (reports.size() == 1 ? " window" : " windows") + " covering " + cells + " of " + grid + " cells\n",
                             ",mosaic_windows,mosaic_cells,mosaic_grid_cells", "," + windows + "," + cells + "," + grid},
                   out);
    return 0;
}

int printPlan(const ReportOptions& o, std::ostream& out, std::ostream& err)
{
    int rows = 0, cols = 0;
    std::string why;
    if (!gridFileSize(o.dem, rows, cols, why)) {
        err << "Cannot plan the windows of \"" << o.dem << "\": " << why << "\n";
        return 255;
    }
    for (long long y = 0; y < rows; y += o.planSize)
        for (long long x = 0; x < cols; x += o.planSize)
            out << x << " " << y << " " << std::min<long long>(o.planSize, cols - x) << " "
                << std::min<long long>(o.planSize, rows - y) << "\n";
    return 0;
}
