// --merge and --plan.

#include "tools/report_window.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>

#include "model/input_file.h"
#include "tools/report_command.h"

namespace {

const long long largestMergeFile = 1LL << 30;

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
        if (!readWholeFile(names[i], largestMergeFile, "1 GB", bytes, why) || !readMergeJson(bytes, reports[i], why)) {
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
    printWindowFigures(o, f,
                   ReportAdditions{", \"mosaic\": {\"windows\": " + windows + ", \"cells\": " + cells +
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
