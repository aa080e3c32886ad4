#include "analysis/report_page.h"

#include <charconv>
#include <cstdio>

#include "analysis/report_page_pictures.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string fixed(double v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::string general(double v, int digits = 10)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, v);
    return text;
}

// The shortest decimal that reads back as the float or double, as the JSON report and the
// places file write them.
template <typename T>
std::string shortest(T v)
{
    char text[40];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, v);
    return std::string(text, end.ptr);
}

std::string whole(long long v) { return std::to_string(v); }

std::string share(long long part, long long all)
{
    return all > 0 ? fixed(100.0 * double(part) / double(all), 2) + " %" : "-";
}

bool withComparison(const ReportPageInput& in) { return !in.data.comparisonFile.empty(); }

std::string typeName(const std::string& type)
{
    return type == "dem" ? "a second DEM" : type == "sparse" ? "sparse spot heights" : "contours";
}

std::string unitText(const ReportPageInput& in)
{
    const std::string unit = general(in.statistics.unit);
    if (!in.unitFit)
        return unit;
    if (!in.unitFit->fitted)
        return unit + " (not fitted)";
    return unit + " (fitted: the 99th percentile of " + whole(in.unitFit->values) + " curvature values, " +
           general(in.unitFit->percentile, 6) + ", divided by 3, to two significant digits)";
}

PageSection dataSection(const ReportPageInput& in)
{
    const ReportDataSet& d = in.data;
    PageKeyValues files;
    files.rows.push_back({"DEM file", d.demFile});
    if (withComparison(in))
        files.rows.push_back({"Comparison file", d.comparisonFile + " (" + typeName(d.comparisonType) + ")"});
    files.rows.push_back({"Grid size", whole(d.rows) + " rows x " + whole(d.cols) + " columns"});
    files.rows.push_back({"Cellsize", general(d.cellsize) + (d.cellsInDegrees ? " degrees (" : " (") +
                                          general(d.cellsizeMetres, 9) + " m)"});
    files.rows.push_back({"Lower-left corner", general(d.xllcorner, 15) + ", " + general(d.yllcorner, 15)});
    files.rows.push_back({"Coordinate system", coordinateSystemName(d.projection)});
    files.rows.push_back({"Heights", general(d.zmin, 9) + " to " + general(d.zmax, 9)});
    files.rows.push_back(
        {"Nodata", d.hasNodata ? general(d.nodata, 17) + (d.nodataMasked ? ", masked" : ", not masked") : "none given"});
    files.rows.push_back({"Masked cells", whole(d.maskedCells)});
    if (d.nonFinite > 0)
        files.rows.push_back({"Heights that are no number", whole(d.nonFinite)});
    PageKeyValues options;
    options.caption = "Options used";
    options.rows = in.options;
    return {"Data", {files, options}};
}

PageTable curvatureCounts(const Statistics& s)
{
    PageTable t;
    t.caption = "Counts for curvature levels";
    t.head = {{"Level", "Curvature", "Cells", "Share"}};
    const long long all = (long long)s.c15 + s.c10 + s.c5 + s.c;
    const int counts[] = {s.c15, s.c10, s.c5, s.c};
    for (int level = 3; level >= 0; level--)
        t.body.push_back({whole(level), curvatureThreshold(level, s.unit), whole(counts[3 - level]),
                          share(counts[3 - level], all)});
    return t;
}

PageTable differenceCounts(const Statistics& s)
{
    PageTable t;
    t.caption = "Counts for differences relative to the contour interval";
    t.head = {{"Level", "|Difference|", "Cells", "Share"}};
    const long long all = (long long)s.d20 + s.d15 + s.d10 + s.d5 + s.d;
    const int counts[] = {s.d20, s.d15, s.d10, s.d5, s.d};
    for (int level = 4; level >= 0; level--)
        t.body.push_back(
            {whole(level), differenceThreshold(level), whole(counts[4 - level]), share(counts[4 - level], all)});
    return t;
}

PageTable accuracyTable(const Accuracy& a)
{
    PageTable t;
    t.caption = "Accuracy against the comparison data (d = comparison - DEM)";
    t.head = {{"Figure", "Value"}};
    t.body = {{"Points", whole(a.points)},          {"Mean (bias)", fixed(a.mean, 3)},
              {"MAE", fixed(a.mae, 3)},             {"Std. deviation", fixed(a.std, 3)},
              {"NMAD", fixed(a.nmad, 3)},           {"LE90", fixed(a.le90, 3)},
              {"LE95", fixed(a.le95, 3)},           {"Max. absolute", fixed(a.maxAbs, 3)}};
    return t;
}

PageSection statisticsSection(const ReportPageInput& in, FigureMaker& maker)
{
    const Statistics& s = in.statistics;
    PageSection section{"Statistics", {}};
    PageKeyValues dem;
    dem.caption = "DEM statistics";
    dem.rows = {{"Gridsize", whole(s.rows) + " x " + whole(s.cols)},
                {"Total squared curvature", fixed(s.totalSq, 2)},
                {"Maximum curvature", fixed(s.maxCurve, 2)},
                {"Curvature unit", unitText(in)}};
    section.blocks.push_back(dem);
    section.blocks.push_back(curvatureCounts(s));
    if (withComparison(in)) {
        PageKeyValues comparison;
        comparison.caption = "Comparison statistics";
        comparison.rows = {{"Contour interval", whole(s.contourInterval)},
                           {"RMSE", s.hasRmse ? fixed(s.rmse, 3) : "n/a"}};
        section.blocks.push_back(comparison);
        section.blocks.push_back(differenceCounts(s));
        if (in.accuracy)
            section.blocks.push_back(accuracyTable(*in.accuracy));
        else
            section.blocks.push_back(PageParagraph{"No point carries comparison data: no accuracy figures.", true});
    }
    section.blocks.push_back(levelBars(in, maker));
    section.blocks.push_back(PageParagraph{
        "Curvature is the absolute discrete Laplacian of the heights, in height units. The difference of a cell is "
        "the DEM's height minus the comparison value at its first corner, where the comparison data has a value "
        "above 0.",
        true});
    return section;
}

PageSection levelsSection(const ReportPageInput& in, FigureMaker& maker)
{
    PageSection section{"Curvature and difference levels", {}};
    const LevelReliefs reliefs = levelReliefs(in, maker);
    for (const auto* f : {&reliefs.curvature, &reliefs.difference})
        if (*f)
            section.blocks.push_back(**f);
    if (auto h = differenceHistogram(in, maker))
        section.blocks.push_back(*h);
    if (section.blocks.empty())
        section.blocks.push_back(PageParagraph{"The grid has no cell to show.", true});
    return section;
}

PageSection classSection(const ReportPageInput& in, FigureMaker& maker)
{
    PageSection section{"Height classes", {}};
    if (in.heightClasses.empty()) {
        section.blocks.push_back(PageParagraph{"The height classes were not computed.", true});
        return section;
    }
    if (auto f = classGraph(in, maker))
        section.blocks.push_back(*f);
    PageTable t;
    t.caption = "Points per height class";
    t.head = {{"Classes"}};
    for (int i = 0; i < 10; i++)
        t.head[0].push_back("+" + whole(i));
    for (std::size_t i = 0; i < in.heightClasses.size(); i++) {
        if (i % 10 == 0)
            t.body.push_back({whole(static_cast<long long>(i))});
        t.body.back().push_back(whole(in.heightClasses[i]));
    }
    section.blocks.push_back(t);
    return section;
}

PageTable placeTable(const std::vector<Place>& places, PlaceKind kind)
{
    const bool curvature = kind == PlaceKind::curvature;
    PageTable t;
    t.caption = curvature ? "Worst places by curvature" : "Worst places by difference";
    t.head = {{"Rank", "Row", "Column", "x", "y", "Height", curvature ? "Curvature" : "DEM - comparison", "Level",
               "Cells"}};
    for (std::size_t i = 0; i < places.size() && i < std::size_t(placesListed); i++) {
        const Place& p = places[i];
        t.body.push_back({whole(p.rank), whole(p.row), whole(p.col), shortest(p.x), shortest(p.y),
                          shortest(p.height), shortest(p.value()), whole(p.level()), whole(p.cells)});
    }
    return t;
}

void addPlaces(PageSection& section, const ReportPageInput& in, PlaceKind kind, FigureMaker& maker)
{
    const std::vector<Place>& places = kind == PlaceKind::curvature ? in.worstCurvature : in.worstDifference;
    if (places.empty()) {
        section.blocks.push_back(PageParagraph{kind == PlaceKind::curvature
                                                   ? "No cell lies above 1 curvature unit."
                                                   : "No cell differs by more than 5 % of the contour interval."});
        return;
    }
    section.blocks.push_back(placeTable(places, kind));
    section.blocks.push_back(placePictures(in, kind, maker));
}

PageSection placesSection(const ReportPageInput& in, FigureMaker& maker)
{
    PageSection section{"Worst places", {}};
    section.blocks.push_back(PageParagraph{
        "A place is a cell and the cells of the same kind within 3 rows and columns of it that rank below it; its "
        "figures are those of its first cell, its x and y those of the grid point at its row and column. The "
        "pictures show 64 x 64 cells of the relief with the levels around the worst " +
            whole(placesPictured) + " places of each kind, the place ringed in black.",
        true});
    addPlaces(section, in, PlaceKind::curvature, maker);
    if (withComparison(in))
        addPlaces(section, in, PlaceKind::difference, maker);
    return section;
}

std::string baseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<PageDescription> reportPageDescription(const ReportPageInput& in, std::string& why)
{
    FigureMaker maker;
    PageDescription page;
    page.title = "DEM quality report: " + baseName(in.data.demFile);
    page.subtitle.push_back("DEM: " + in.data.demFile);
    if (withComparison(in))
        page.subtitle.push_back("Compared with " + typeName(in.data.comparisonType) + ": " + in.data.comparisonFile);
    page.subtitle.push_back("Made by " + in.generator + (in.date.empty() ? "" : " on " + in.date));
    page.sections.push_back(dataSection(in));
    page.sections.push_back(statisticsSection(in, maker));
    if (!in.extraTables.empty())
        page.sections.push_back({"Reference data", std::vector<PageBlock>(in.extraTables.begin(), in.extraTables.end())});
    page.sections.push_back(levelsSection(in, maker));
    if (in.withClasses)
        page.sections.push_back(classSection(in, maker));
    page.sections.push_back(placesSection(in, maker));
    page.footer = "Made by " + in.generator + (in.date.empty() ? "." : " on " + in.date + ".");
    if (maker.failed()) {
        why = maker.why();
        return std::nullopt;
    }
    return page;
}

std::optional<std::string> reportPage(const ReportPageInput& in, std::string& why)
{
    const std::optional<PageDescription> page = reportPageDescription(in, why);
    if (!page)
        return std::nullopt;
    return htmlPage(*page);
}

std::string coordinateSystemName(const std::string& wkt)
{
    const std::size_t open = wkt.find("[\"");
    if (open == std::string::npos)
        return wkt.empty() ? "none given" : wkt;
    const std::size_t close = wkt.find('"', open + 2);
    std::string name = wkt.substr(open + 2, close == std::string::npos ? std::string::npos : close - open - 2);
    // WKT 1 ends AUTHORITY["EPSG","32632"]], WKT 2 ID["EPSG",32632]]: the code of the whole.
    std::size_t end = wkt.find_last_not_of(" \n\r\t");
    if (end == std::string::npos || end < 2 || wkt[end] != ']' || wkt[end - 1] != ']')
        return name;
    const std::size_t at = wkt.find_last_of('[', end - 1);
    if (at == std::string::npos || at < 2)
        return name;
    std::string code;
    for (std::size_t i = at; i < end - 1; i++)
        if (wkt[i] >= '0' && wkt[i] <= '9')
            code += wkt[i];
    const bool epsg = wkt.compare(at + 1, 6, "\"EPSG\"") == 0;
    return epsg && !code.empty() ? name + " (EPSG:" + code + ")" : name;
}
