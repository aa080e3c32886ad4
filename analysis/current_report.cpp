#include "analysis/current_report.h"

#include <cstdio>
#include <ctime>
#include <ostream>

#include "analysis/compared_points.h"
#include "analysis/curvature.h"
#include "analysis/current_places.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "model/output_file.h"

namespace {

std::string general(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

bool comparisonLoaded(const ReportPageRequest& request)
{
    return !request.comparisonFile.empty() && multFiles && comparisonMatchesDem();
}

ReportDataSet currentDataSet(const ReportPageRequest& request)
{
    ReportDataSet d;
    d.demFile = request.demFile;
    if (comparisonLoaded(request)) {
        d.comparisonFile = request.comparisonFile;
        d.comparisonType = request.comparisonType;
    }
    d.rows = mt.nrows;
    d.cols = mt.ncols;
    d.cellsize = mt.cellsizeRead;
    d.cellsizeMetres = mt.groundCellsize();
    d.cellsInDegrees = cellsInDegrees;
    d.xllcorner = mt.xllRead;
    d.yllcorner = mt.yllRead;
    d.projection = mt.projection;
    d.hasNodata = mt.hasNodata;
    d.nodata = mt.nodataRead;
    d.nodataMasked = mt.nodataMasked();
    for (int r = 0; mt.masking() && r + 1 < mt.nrows; r++)
        for (int c = 0; c + 1 < mt.ncols; c++)
            d.maskedCells += mt.cellMasked(r, c);
    d.nonFinite = mt.nonFinite;
    d.zmin = mt.zmin;
    d.zmax = mt.zmax;
    return d;
}

std::vector<std::pair<std::string, std::string>> optionsInForce(const ReportPageRequest& request)
{
    const char* const on[] = {"off", "on"};
    std::string unit = general(request.unit);
    if (request.unitFit)
        unit += request.unitFit->fitted ? ", fitted to the data" : ", a fit to the data failed";
    std::vector<std::pair<std::string, std::string>> options = {
        {"Curvature unit", unit},
        {"Vertical exaggeration", general(mt.exageration)},
        {"Nodata masking", on[maskNodata]},
        {"Cellsize in degrees", on[cellsInDegrees]}};
    if (comparisonLoaded(request) || request.withClasses)
        options.push_back({"Contour interval", std::to_string(rd.getContourInt())});
    options.push_back({"Height classes", on[request.withClasses]});
    return options;
}

// d = comparison - DEM at every point the accuracy figures are taken over.
std::vector<double> currentDifferences()
{
    std::vector<double> d;
    const GridView dem = mt.view();
    for (int r = 0; r < mt.nrows; r++)
        for (int c = 0; c < mt.ncols; c++)
            if (comparedAt(dem, rd.grid, r, c))
                d.push_back(double(rd.grid[r][c]) - double(mt.grid[r][c]));
    return d;
}

std::string now()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&t, &local) != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

}  // namespace

ReportPageInput currentReportPage(const ReportPageRequest& request)
{
    ReportPageInput in;
    const bool comparison = comparisonLoaded(request);
    in.generator = request.generator;
    in.date = now();
    in.data = currentDataSet(request);
    in.options = optionsInForce(request);
    in.statistics = currentStatistics(request.unit, comparison);
    in.unitFit = request.unitFit;
    if (comparison) {
        in.accuracy = currentAccuracy();  // before the differences: one copy of them at a time
        in.differences = currentDifferences();
    }
    in.withClasses = request.withClasses;
    in.extraTables = request.extraTables;
    if (request.withClasses && mt.heightClassesFor(rd.getContourInt()))
        in.heightClasses = mt.classes();
    in.worstCurvature = currentWorstPlaces(PlaceKind::curvature, placesListed);
    if (comparison)
        in.worstDifference = currentWorstPlaces(PlaceKind::difference, placesListed);
    in.dem = mt.view();
    in.curvatureLevels = curvatureOverlay(mt.curveLevels.data(), mt.curveLevels.size());
    if (comparison)
        in.differenceLevels = differenceOverlay(mt.diffLevels.data(), mt.diffLevels.size());
    return in;
}

bool saveReportPage(const std::string& path, const ReportPageRequest& request, std::string& why)
{
    const std::optional<std::string> page = reportPage(currentReportPage(request), why);
    if (!page)
        return false;
    why.clear();
    return writeStreamSafely(path, [&](std::ostream& out) { out << *page; });
}
