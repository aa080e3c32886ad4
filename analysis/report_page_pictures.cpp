#include "analysis/report_page_pictures.h"

#include <cmath>
#include <cstdio>

#include "analysis/chart_pictures.h"
#include "analysis/page_figures.h"

namespace {

const char* const lessOrEqual = "\xe2\x89\xa4";  // U+2264
const Rgb8 levelZeroBar{200, 200, 200};           // no error colour: a neutral grey

std::string general(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

bool withComparison(const ReportPageInput& in) { return !in.data.comparisonFile.empty(); }

// How the picture's pixels stand to the grid's cells.
std::string scaleNote(const ReliefPicture& r)
{
    if (r.cellsPerPixel > 1)
        return " The grid is reduced to " + std::to_string(r.picture.width) + " pixels across, " +
               general(r.cellsPerPixel) + " cells a pixel; a pixel shows the worst level of the cells it covers, "
               "so that no cell of the highest level disappears.";
    if (r.cellsPerPixel > 0 && r.cellsPerPixel < 1)
        return " Each cell is " + std::to_string(int(std::lround(1 / r.cellsPerPixel))) + " pixels square.";
    return " One pixel a cell.";
}

std::vector<Swatch> withNoData(std::vector<Swatch> legend, const ReportPageInput& in)
{
    if (in.data.maskedCells > 0 || in.data.nonFinite > 0)
        legend.push_back({reliefNoData, "no height"});
    return legend;
}

std::vector<std::string> curvatureNames(double unit)
{
    return {curvatureThreshold(1, unit), curvatureThreshold(2, unit), curvatureThreshold(3, unit)};
}

std::vector<std::string> differenceNames()
{
    return {differenceThreshold(1), differenceThreshold(2), differenceThreshold(3), differenceThreshold(4)};
}

}  // namespace

std::optional<PageFigure> FigureMaker::picture(const Picture& p, const std::string& alt, const std::string& caption)
{
    if (p.empty())
        return std::nullopt;
    std::string why;
    std::optional<PageFigure> f = pictureFigure(p, alt, caption, why);
    if (!f && problem.empty())
        problem = why.empty() ? "a picture cannot be encoded" : why;
    return f;
}

std::optional<PageFigure> FigureMaker::chart(const Chart& c, const std::string& alt, const std::string& caption)
{
    std::optional<PageFigure> f = picture(c.picture, alt, caption);
    if (f) {
        f->xLabels = c.xLabels;
        f->yLabels = c.yLabels;
        f->legend = c.legend;
    }
    return f;
}

std::string curvatureThreshold(int level, double unit)
{
    if (level <= 0)
        return std::string(lessOrEqual) + " 1 unit (" + general(unit) + ")";
    return "> " + std::to_string(level) + (level == 1 ? " unit (" : " units (") + general(level * unit) + ")";
}

std::string differenceThreshold(int level)
{
    if (level <= 0)
        return std::string(lessOrEqual) + " 5 %";
    return "> " + std::to_string(5 * level) + " %";
}

LevelReliefs levelReliefs(const ReportPageInput& in, FigureMaker& maker)
{
    LevelReliefs out;
    const ReliefPicture relief = shadedRelief(in.dem);
    const ReliefPicture curvature = withLevels(relief, in.dem, in.curvatureLevels);
    out.curvature = maker.picture(curvature.picture, "Shaded relief of the DEM with the curvature levels",
                                  "Shaded relief of the DEM, lit from the north-west, north up, with the cells above "
                                  "1, 2 and 3 curvature units in the viewer's colours." +
                                      scaleNote(curvature));
    if (out.curvature)
        out.curvature->legend =
            withNoData(levelLegend(in.curvatureLevels.colours, curvatureNames(in.statistics.unit)), in);
    if (!withComparison(in))
        return out;
    const ReliefPicture difference = withLevels(relief, in.dem, in.differenceLevels);
    out.difference = maker.picture(difference.picture, "Shaded relief of the DEM with the difference levels",
                                   "Shaded relief of the DEM with the cells whose difference from the comparison "
                                   "data lies above 5, 10, 15 and 20 % of the contour interval." +
                                       scaleNote(difference));
    if (out.difference)
        out.difference->legend = withNoData(levelLegend(in.differenceLevels.colours, differenceNames()), in);
    return out;
}

std::optional<PageFigure> differenceHistogram(const ReportPageInput& in, FigureMaker& maker)
{
    if (!in.accuracy)
        return std::nullopt;
    const Histogram h = histogramOf(in.differences, *in.accuracy);
    std::string caption = "Histogram of d = comparison - DEM at " + std::to_string(h.total) +
                          " points, in bins of " + general(h.binWidth) + "; mean " + general(h.mean) + ", NMAD " +
                          general(h.nmad) + ", standard deviation " + general(h.std) + ".";
    if (h.belowRange + h.aboveRange > 0)
        caption += " Values beyond the mean \xc2\xb1 4 standard deviations are counted in the end bins: " +
                   std::to_string(h.belowRange) + " below, " + std::to_string(h.aboveRange) + " above.";
    std::optional<PageFigure> f = maker.chart(histogramChart(h), "Histogram of the differences d", caption);
    if (f) {
        f->xTitle = "d (height units)";
        f->yTitle = "points per bin";
    }
    return f;
}

PageGallery levelBars(const ReportPageInput& in, FigureMaker& maker)
{
    const Statistics& s = in.statistics;
    PageGallery bars;
    const std::vector<Rgb8> curvatureColours = curvatureLevelColours(), differenceColours = differenceLevelColours();
    BarStyle style{360, 220, true, {levelZeroBar, curvatureColours[1], curvatureColours[2], curvatureColours[3]}};
    std::vector<std::string> names = {std::string(lessOrEqual) + " 1", "> 1", "> 2", "> 3"};
    if (auto f = maker.chart(barChart({s.c, s.c5, s.c10, s.c15}, names, style), "Cells per curvature level",
                             "Cells per curvature level, in units (logarithmic axis)."))
        bars.figures.push_back(*f);
    if (!withComparison(in))
        return bars;
    style.colours = {levelZeroBar, differenceColours[1], differenceColours[2], differenceColours[3],
                     differenceColours[4]};
    names = {std::string(lessOrEqual) + " 5 %", "> 5 %", "> 10 %", "> 15 %", "> 20 %"};
    if (auto f = maker.chart(barChart({s.d, s.d5, s.d10, s.d15, s.d20}, names, style), "Cells per difference level",
                             "Cells per difference level, in percent of the contour interval (logarithmic axis)."))
        bars.figures.push_back(*f);
    return bars;
}

std::optional<PageFigure> classGraph(const ReportPageInput& in, FigureMaker& maker)
{
    const int n = static_cast<int>(in.heightClasses.size());
    if (!in.withClasses || n == 0 || n > 1600)
        return std::nullopt;
    const int every = n <= 20 ? 1 : n <= 50 ? 5 : n <= 200 ? 10 : n <= 500 ? 50 : 100;
    std::vector<std::string> names;
    std::vector<long long> counts;
    for (int i = 0; i < n; i++) {
        names.push_back(i % every == 0 ? std::to_string(i) : "");
        counts.push_back(in.heightClasses[std::size_t(i)]);
    }
    std::optional<PageFigure> f = maker.chart(barChart(counts, names, {std::max(640, n), 240, false, {}}),
                                              "Points per height class",
                                              "Points per height class: the rounded height's position within the "
                                              "contour interval of " +
                                                  std::to_string(n) + ". Class 0 holds the points on the contour "
                                                  "levels; a DEM interpolated from contours has too many there.");
    if (f) {
        f->xTitle = "class";
        f->yTitle = "points";
    }
    return f;
}

PageGallery placePictures(const ReportPageInput& in, PlaceKind kind, FigureMaker& maker)
{
    const bool curvature = kind == PlaceKind::curvature;
    const std::vector<Place>& places = curvature ? in.worstCurvature : in.worstDifference;
    const LevelOverlay& overlay = curvature ? in.curvatureLevels : in.differenceLevels;
    PageGallery gallery;
    for (std::size_t i = 0; i < places.size() && i < std::size_t(placesPictured); i++) {
        const Place& p = places[i];
        const ReliefPicture window = placePicture(in.dem, overlay, p.row, p.col, 64, 3);
        const std::string name = std::string(curvature ? "Curvature" : "Difference") + " place " +
                                 std::to_string(p.rank);
        if (auto f = maker.picture(window.picture, name,
                                   std::to_string(p.rank) + ": row " + std::to_string(p.row) + ", col " +
                                       std::to_string(p.col))) {
            f->sharp = true;
            gallery.figures.push_back(*f);
        }
    }
    return gallery;
}
