// The pictures and the page of an HTML report of a 4000 x 4000 DEM, timed: what the HTML
// report adds to the plain one. The DEM, its curvature and difference levels and the
// differences d are generated here (a deterministic terrain with spikes), so the figures
// do not depend on a file. Prints the milliseconds of each step and their sum.
//   bench-report-pictures [SIZE [PAGE.html]]
// With PAGE.html the page is also written, to be looked at in a browser.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "analysis/chart_pictures.h"
#include "analysis/html_page.h"
#include "analysis/page_figures.h"
#include "analysis/relief_picture.h"
#include "model/gdal_module.h"

namespace {

struct Data {
    int size = 0;
    std::vector<float> heights;
    std::vector<const float*> rows;
    std::vector<std::uint8_t> curveLevels, diffLevels;
    std::vector<double> d;  // comparison - DEM at every point
    GridView view;
};

// A hash of the position in [0, 1), for noise and spikes that every run repeats.
double noise(int r, int c)
{
    std::uint32_t h = std::uint32_t(r) * 73856093u ^ std::uint32_t(c) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffffff) / double(0x1000000);
}

bool spike(int r, int c) { return noise(r, c) < 0.0004; }

// Hills and valleys with a spike of 6 m at about one point in 2500, and a block of
// nodata in the south-west corner.
void makeHeights(Data& data)
{
    const int n = data.size;
    data.heights.resize(std::size_t(n) * n);
    for (int r = 0; r < n; r++)
        for (int c = 0; c < n; c++) {
            const double y = double(r) / n, x = double(c) / n;
            double h = 900 + 400 * std::sin(3.1 * x) * std::cos(2.3 * y) + 120 * std::sin(17 * (x + 0.6 * y)) +
                       35 * std::cos(41 * x) * std::sin(29 * y) + 0.3 * noise(r, c);
            if (spike(r, c))
                h += 6;
            if (r > n * 0.85 && c < n * 0.12)
                h = -9999;
            data.heights[std::size_t(r) * n + c] = float(h);
        }
    for (int r = 0; r < n; r++)
        data.rows.push_back(data.heights.data() + std::size_t(r) * n);
    GridView& v = data.view;
    v.rows = data.rows.data();
    v.nrows = v.ncols = n;
    v.xllcorner = 480000;
    v.yllcorner = 5100000;
    v.cellsize = v.groundX = v.groundY = 10;
    v.maskValue = true;
    v.nodata = -9999;
}

// Curvature levels by the absolute Laplacian in units of 1 m, difference levels by |d|
// against an interval of 20 (5, 10, 15, 20 percent), d the spikes and the noise.
void makeLevels(Data& data)
{
    const int n = data.size, cells = n - 1;
    const GridView& g = data.view;
    data.curveLevels.assign(std::size_t(cells) * cells, 0);
    data.diffLevels.assign(std::size_t(cells) * cells, 0);
    for (int r = 1; r < cells; r++)
        for (int c = 1; c < cells; c++) {
            if (cellMasked(g, r, c))
                continue;
            const double k = std::fabs(g.at(r - 1, c) + g.at(r + 1, c) + g.at(r, c - 1) + g.at(r, c + 1) - 4 * g.at(r, c));
            data.curveLevels[std::size_t(r) * cells + c] = k > 3 ? 3 : k > 2 ? 2 : k > 1 ? 1 : 0;
            const double d = (spike(r, c) ? -6 : 0) + 0.8 * (noise(c, r) - 0.5) + 0.3 * std::sin(r * 0.01);
            data.d.push_back(d);
            const double q = std::fabs(d) / 20;
            data.diffLevels[std::size_t(r) * cells + c] = q > 0.2 ? 4 : q > 0.15 ? 3 : q > 0.1 ? 2 : q > 0.05 ? 1 : 0;
        }
}

struct Counts {
    std::vector<long long> curve = std::vector<long long>(4), diff = std::vector<long long>(5),
                           classes = std::vector<long long>(20);
};

// Cells per level, highest first, and points per height class of an interval of 20.
Counts countsOf(const Data& data)
{
    Counts counts;
    for (std::uint8_t l : data.curveLevels)
        counts.curve[3 - l]++;
    for (std::uint8_t l : data.diffLevels)
        counts.diff[4 - l]++;
    for (float h : data.heights)
        if (h != -9999)
            counts.classes[((long long)std::floor(h + 0.5) % 20 + 20) % 20]++;
    return counts;
}

using Clock = std::chrono::steady_clock;
struct Timer {
    Clock::time_point start = Clock::now();
    double total = 0;
    void lap(const char* what)
    {
        const auto now = Clock::now();
        const double ms = std::chrono::duration<double, std::milli>(now - start).count();
        std::printf("%-34s %8.1f ms\n", what, ms);
        total += ms;
        start = now;
    }
};

PageFigure figure(const std::optional<PageFigure>& f, const std::string& why)
{
    if (!f) {
        std::cerr << "cannot encode a picture: " << why << "\n";
        std::exit(1);
    }
    return *f;
}

// Places standing in for the worst ones: cells of the highest level found, looked for
// from the middle of the grid on, one in every 97 of them.
std::vector<std::pair<int, int>> worstPlaces(const std::vector<std::uint8_t>& levels, int cells, int count)
{
    std::vector<std::pair<int, int>> places;
    for (int level = 4; level > 0 && int(places.size()) < count; level--)
        for (std::size_t j = 0, seen = 0; j < levels.size() && int(places.size()) < count; j++) {
            const std::size_t k = (levels.size() / 2 + j) % levels.size();
            if (levels[k] == level && seen++ % 97 == 0)
                places.push_back({int(k / cells), int(k % cells)});
        }
    return places;
}

// The sections of the page, each encoding its pictures.
PageSection dataSection(int size, const Accuracy& accuracy)
{
    PageSection about;
    about.heading = "Data";
    PageKeyValues kv;
    kv.rows = {{"DEM file", "bench.asc"},
               {"Grid size", std::to_string(size) + " rows x " + std::to_string(size) + " columns"},
               {"Cellsize", "10 (10 m)"},
               {"Lower-left corner", "480000, 5100000"},
               {"Coordinate system", "none given"},
               {"Nodata", "-9999 (masked)"}};
    about.blocks.push_back(kv);
    PageTable figures;
    figures.caption = "Accuracy against the reference";
    figures.head = {{"Points", "RMSE", "Mean", "Std. deviation", "NMAD", "LE90", "Max. absolute"}};
    auto fixed = [](double v) { char s[32]; std::snprintf(s, sizeof s, "%.3f", v); return std::string(s); };
    figures.body = {{std::to_string(accuracy.points), fixed(accuracy.rmse), fixed(accuracy.mean), fixed(accuracy.std),
                     fixed(accuracy.nmad), fixed(accuracy.le90), fixed(accuracy.maxAbs)}};
    about.blocks.push_back(figures);
    return about;
}

PageSection levelSection(const ReliefPicture& curvatureRelief, const LevelOverlay& curvature,
                         const ReliefPicture& differenceRelief, const LevelOverlay& difference)
{
    std::string why;
    PageSection pictures;
    pictures.heading = "Curvature and difference levels";
    std::vector<Swatch> noData = {{reliefNoData, "no data"}};
    auto curveFigure = figure(pictureFigure(curvatureRelief.picture, "Shaded relief with curvature levels",
                                            "Shaded relief with the curvature levels; a pixel shows the worst level of "
                                            "the cells it covers.",
                                            why),
                              why);
    curveFigure.legend = levelLegend(curvature.colours, {"> 1.0", "> 2.0", "> 3.0"});
    curveFigure.legend.push_back(noData[0]);
    pictures.blocks.push_back(curveFigure);
    auto diffFigure = figure(pictureFigure(differenceRelief.picture, "Shaded relief with difference levels",
                                           "Shaded relief with the difference levels.", why),
                             why);
    diffFigure.legend = levelLegend(difference.colours, {"> 5%", "> 10%", "> 15%", "> 20%"});
    pictures.blocks.push_back(diffFigure);
    return pictures;
}

PageSection chartSection(const Chart& histogramPicture, const Chart& curveBars, const Chart& diffBars,
                         const Chart& classBars)
{
    std::string why;
    PageSection charts;
    charts.heading = "Distributions";
    auto h = figure(chartFigure(histogramPicture, "Histogram of d", "Histogram of d = reference - DEM.", why), why);
    h.xTitle = "d (m)";
    h.yTitle = "points";
    charts.blocks.push_back(h);
    PageGallery bars;
    bars.figures.push_back(figure(chartFigure(curveBars, "Curvature level counts", "Cells per curvature level", why), why));
    bars.figures.push_back(figure(chartFigure(diffBars, "Difference level counts", "Cells per difference level", why), why));
    charts.blocks.push_back(bars);
    charts.blocks.push_back(figure(chartFigure(classBars, "Height classes", "Points per height class", why), why));
    return charts;
}

PageSection worstSection(const std::vector<ReliefPicture>& places)
{
    std::string why;
    PageSection worst;
    worst.heading = "Worst places";
    PageGallery gallery;
    for (const ReliefPicture& p : places) {
        auto f = figure(pictureFigure(p.picture, "Place", "rows " + std::to_string(p.firstRow) + "-" +
                                                              std::to_string(p.firstRow + p.rows - 1), why),
                        why);
        f.sharp = true;
        gallery.figures.push_back(f);
    }
    worst.blocks.push_back(gallery);
    return worst;
}

}  // namespace

int main(int argc, char** argv)
{
    Data data;
    data.size = argc > 1 ? std::atoi(argv[1]) : 4000;
    makeHeights(data);
    makeLevels(data);
    std::vector<double> copy = data.d;
    const Accuracy accuracy = *accuracyOf(copy);
    std::printf("grid %d x %d, %zu differences\n", data.size, data.size, data.d.size());

    const Counts counts = countsOf(data);

    const int cells = data.size - 1;
    const auto curvePlaces = worstPlaces(data.curveLevels, cells, 5);
    const auto diffPlaces = worstPlaces(data.diffLevels, cells, 5);

    Timer t;
    std::string why;
    const LevelOverlay curvature = curvatureOverlay(data.curveLevels.data(), data.curveLevels.size());
    const LevelOverlay difference = differenceOverlay(data.diffLevels.data(), data.diffLevels.size());
    const ReliefPicture relief = shadedRelief(data.view);
    t.lap("shaded relief");
    const ReliefPicture curvatureRelief = withLevels(relief, data.view, curvature);
    const ReliefPicture differenceRelief = withLevels(relief, data.view, difference);
    t.lap("two overlays");
    std::vector<ReliefPicture> places;
    for (const auto& p : curvePlaces)
        places.push_back(placePicture(data.view, curvature, p.first, p.second));
    for (const auto& p : diffPlaces)
        places.push_back(placePicture(data.view, difference, p.first, p.second));
    t.lap("ten place pictures");
    const Histogram histogram = histogramOf(data.d, accuracy);
    const Chart histogramPicture = histogramChart(histogram);
    t.lap("histogram of d");
    const Chart curveBars = barChart(counts.curve, {"> 3.0", "> 2.0", "> 1.0", "<= 1.0"}, {480, 240, true, {}});
    const Chart diffBars = barChart(counts.diff, {"> 20%", "> 15%", "> 10%", "> 5%", "<= 5%"}, {480, 240, true, {}});
    std::vector<std::string> classNames;
    for (int i = 0; i < 20; i++)
        classNames.push_back(i % 5 == 0 ? std::to_string(i) : "");
    const Chart classBars = barChart(counts.classes, classNames, {640, 240, false, {}});
    t.lap("bar charts");
    if (gdalModule(why) == nullptr) {
        std::cerr << why << "\n";
        return 1;
    }
    t.lap("loading the GDAL module");

    PageDescription page;
    page.title = "DEM quality report: bench.asc";
    page.subtitle = {"karvo-report " KARVO_VERSION ", generated grid", "Comparison data: bench_reference.asc (DEM)"};
    page.sections = {dataSection(data.size, accuracy),
                     levelSection(curvatureRelief, curvature, differenceRelief, difference),
                     chartSection(histogramPicture, curveBars, diffBars, classBars), worstSection(places)};
    t.lap("PNG encoding");

    const std::string html = htmlPage(page);
    t.lap("page (base64, HTML)");
    std::printf("%-34s %8.1f ms  (page %.1f MB)\n", "total", t.total, html.size() / 1e6);
    if (argc > 2)
        std::ofstream(argv[2], std::ios::binary) << html;
    return 0;
}
