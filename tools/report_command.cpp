#include "tools/report_command.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <ostream>

#include "analysis/accuracy.h"
#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "analysis/sparse.h"
#include "analysis/statistics_text.h"
#include "analysis/unit_fit_step.h"
#include "model/error.h"
#include "model/grid_writer.h"
#include "model/mountain.h"
#include "model/numeric.h"
#include "model/output_file.h"
#include "model/raster_reader.h"
#include "tools/report_formats.h"
#include "tools/report_hand_over.h"
#include "tools/report_window.h"

const char* const reportUsage =
    "usage: karvo-report [--unit U] [--exaggeration E] [--classes --interval N] DEM\n"
    "       karvo-report [--unit U] [--exaggeration E] [--classes] DEM COMPARISON --type dem|sparse|contour "
    "[--interval N]\n"
    "       karvo-report --sparse N [-o FILE] DEM\n";

const char* const reportHelp =
    "usage: karvo-report [OPTION...] DEM [COMPARISON --type dem|sparse|contour]\n"
    "Judges a DEM (a text grid, a GeoTIFF or another raster GDAL reads) by its curvature and,\n"
    "against comparison data, by the local difference, and prints the statistics report.\n"
    "\n"
    "  --unit U                curvature unit the levels are graded by (default 1; a positive\n"
    "                          number from 1.18e-38 to 3.4e38, as it is held as a float)\n"
    "  --unit auto             fit the unit to the data: the 99th percentile of the graded\n"
    "                          cells' curvature values divided by 3, to two significant\n"
    "                          digits, so that the top level marks about the worst 1 % of\n"
    "                          the cells; the text report starts with the line\n"
    "                          \"Curvature unit: U (fitted: ...)\", JSON adds unit_fitted,\n"
    "                          unit_values and unit_percentile to \"curvature\", CSV the\n"
    "                          column curvature_unit_fitted; where no unit fits (no value\n"
    "                          above 0) it says why on stderr and keeps 1\n"
    "  --exaggeration E        vertical exaggeration of the mesh (default 1)\n"
    "  --type dem|sparse|contour  what the comparison file holds\n"
    "  --interval N            contour interval of a comparison DEM or sparse file (default 20;\n"
    "                          a contour file's is inferred); without a comparison file, the\n"
    "                          height classes' interval\n"
    "  --classes               add the height class report (an interval of at most 100000)\n"
    "  --sparse N              instead of the report, make a sparse data set of N spot heights\n"
    "                          (at least 100, at most the grid's points)\n"
    "  -o FILE                 with --sparse, also write the sparse data set as a grid file\n"
    "  --mask-nodata           leave out the cells that touch a nodata point of the DEM\n"
    "  --degrees               the cellsize is in degrees (111320 m a degree); on by itself\n"
    "                          for a geographic raster\n"
    "  --format text|json|csv  text: the report (default); json: one object; csv: a header\n"
    "                          line and a line of figures; the reading lines go to stderr\n"
    "  --accuracy              add bias, MAE, standard deviation, NMAD, LE90 and the largest\n"
    "                          absolute difference after the RMSE line of the text report\n"
    "                          (needs a comparison file)\n"
    "  --map curvature|difference FILE\n"
    "                          write the cells' levels as a GeoTIFF (255: no level)\n"
    "  --trust-raster          read rasters of any format GDAL reads, which may read other\n"
    "                          files and URLs (a VRT mosaic, a /vsicurl/ name); without it\n"
    "                          only GeoTIFF, ERDAS Imagine, ENVI, EHdr, classic netCDF, SRTM\n"
    "                          HGT, USGS DEM, PNG, DTED, Surfer binary and VTP BT files\n"
    "  --worst N               after the report, list the N worst places (1 to 10000) by\n"
    "                          curvature and, with comparison data, by difference: a place\n"
    "                          is a cell at level 1 or above with the cells of its kind\n"
    "                          within 3 rows and columns that rank below it; text: one line\n"
    "                          a place (rank, row, col, x, y, height, value: curvature or\n"
    "                          DEM - comparison, level, cells); JSON: the member \"worst\"\n"
    "                          with the lists \"curvature\" and \"difference\"; CSV: not\n"
    "                          at all\n"
    "  --worst-geojson FILE    with --worst, also write the places as a GeoJSON\n"
    "                          FeatureCollection of points in the DEM's coordinate system\n"
    "                          (a text grid has none)\n"
    "  --html FILE             also write the report as one self-contained HTML page (no\n"
    "                          script, nothing fetched): the data, every figure in tables,\n"
    "                          the shaded relief with the levels, the histogram of the\n"
    "                          differences, the level counts, the height classes with\n"
    "                          --classes, and the 20 worst places of each kind with pictures\n"
    "                          of the worst 5\n"
    "\n"
    "Reference data (d is always reference - DEM):\n"
    "  --align                 resample a comparison grid whose size, corner, cellsize or\n"
    "                          coordinate system differs from the DEM's onto the DEM's grid\n"
    "                          (reprojected when both have a coordinate system; a text grid is\n"
    "                          in the other's); a DEM point it gives no value is compared with\n"
    "                          nothing. A comparison that does not overlap the DEM is refused.\n"
    "                          Without it, a grid of another size is refused\n"
    "  --resampling nearest|bilinear|cubic\n"
    "                          how --align resamples a dem comparison (default bilinear);\n"
    "                          sparse and contour data take the nearest point\n"
    "  --checkpoints FILE      judge the DEM at surveyed points: a table (comma, semicolon, tab\n"
    "                          or blanks; a header naming x/easting/e/lon, y/northing/n/lat,\n"
    "                          z/h/elevation/height, optional id/name and class/landcover) or a\n"
    "                          vector file GDAL reads. The DEM is interpolated bilinearly. Prints\n"
    "                          the tested, outside and nodata counts, RMSE, mean, MAE, std,\n"
    "                          NMAD, LE90, LE95, largest |d|, the ten largest differences, the\n"
    "                          figures per class and the NMAS test (interval: the comparison's,\n"
    "                          or --interval, default 20). A row that cannot be read is skipped\n"
    "                          with a warning on stderr\n"
    "  --residuals FILE        with --checkpoints, write id,x,y,z,dem_z,d,status per checkpoint\n"
    "  --target-rmse X         with --checkpoints, the ASPRS (Edition 2) vertical test for an\n"
    "                          accuracy class of RMSE X: the product RMSE and whether it meets\n"
    "                          X, a warning under 30 checkpoints, a bias note when |mean| >=\n"
    "                          X/4, and the possible blunders (|d| > 3X, listed, not removed)\n"
    "  --checkpoint-rmse Y     the survey's own RMSE in the product RMSE (default 0)\n"
    "  --nva-class NAME        only the checkpoints of this class make the ASPRS figures\n"
    "  --by-slope              count, mean, std, RMSE, NMAD and LE90 per slope class of the DEM\n"
    "                          (0-5, 5-10, 10-20, 20-30, 30-45, over 45 degrees), for the\n"
    "                          comparison points and the checkpoints\n"
    "  --coregister            with a dem comparison on the DEM's grid (or --align): find the\n"
    "                          reference's horizontal shift and vertical bias (Nuth and Kaab),\n"
    "                          print them, the iterations and the figures before and after,\n"
    "                          then compute the report on the coregistered reference. When the\n"
    "                          fit fails (too few sloped points) only the bias is removed\n"
    "  --coregister-only       the same, printing the coregistration and no report\n"
    "  --shifted FILE          with --coregister or --coregister-only, write the coregistered\n"
    "                          reference on the DEM's grid as a Float32 GeoTIFF (NaN: no value)\n"
    "\n"
    "With --accuracy an NMAS line follows the accuracy lines: the share of points off by more\n"
    "than half the contour interval, which meets the standard at 10 % or less. The other\n"
    "reference figures follow it. With --mask-nodata or --align a comparison's own nodata\n"
    "points are no comparison points. JSON and CSV: with --accuracy or a reference option,\n"
    "dem.cellsize_m_ew (the east-west cell length), comparison.nmas (with --accuracy),\n"
    "checkpoints (null without --checkpoints), by_slope and coregistration; CSV appends the\n"
    "same figures as columns.\n"
    "\n"
    "Many tiles (windows of one grid checked apart, on many cores or machines, and merged):\n"
    "  --window XOFF YOFF XSIZE YSIZE\n"
    "                          the report of these cells of the DEM only (columns XOFF to\n"
    "                          XOFF + XSIZE - 1, rows YOFF to YOFF + YSIZE - 1, row 0 the\n"
    "                          north row, as GDAL counts them): only they and a halo of one\n"
    "                          cell around them are read (of a GeoTIFF, only the blocks that\n"
    "                          hold them; a text grid is read up to them), so that every\n"
    "                          cell gets the curvature and difference it gets in the whole\n"
    "                          grid. The comparison is read the same way, or with --align\n"
    "                          resampled onto the window. With --format json the report\n"
    "                          holds the member \"merge\": the exact sums, counts, largest\n"
    "                          values with their places and a histogram of the differences\n"
    "                          by 0.001 that --merge adds up. Not with --classes,\n"
    "                          --accuracy, --sparse, --map, --worst, --html, --unit auto,\n"
    "                          --checkpoints, --by-slope or --coregister\n"
    "  --merge REPORT.json...  the report of the mosaic of the windows' JSON reports (a name\n"
    "                          - reads the names from standard input, one a line) in any\n"
    "                          --format: for windows that partition the grid every count,\n"
    "                          total, maximum, RMSE, mean, std and MAE is the whole grid's\n"
    "                          exactly, NMAD and LE90 within 0.001. Windows that overlap\n"
    "                          are refused, a gap is named in a warning on stderr, and the\n"
    "                          report tells how many cells the windows cover (text: the last\n"
    "                          line \"Mosaic: ...\"; JSON: \"mosaic\"; CSV: mosaic_ columns)\n"
    "  --plan SIZE DEM         print the windows of a partition of the DEM into SIZE x SIZE\n"
    "                          cells, one a line as the four numbers of --window, e.g.\n"
    "                          karvo-report --plan 1000 dem.tif | xargs -P 2 -L 1 sh -c \\\n"
    "                            'karvo-report --window \"$@\" --format json dem.tif \\\n"
    "                             > \"w_$1_$2.json\"' _ && karvo-report --merge w_*.json\n"
    "\n"
    "Other options:\n"
    "  --help                  print this and exit\n"
    "  --version               print the version and exit\n"
    "  --                      end of the options: a later argument is a file even when it\n"
    "                          starts with -\n"
    "\n"
    "An output file is never an input; it is written beside its name and renamed when complete.\n"
    "Only regular files are read, and a grid that needs more memory than the machine (or\n"
    "the process's limit) has is refused before any is taken.\n"
    "\n"
    "Exit status: 0; 1 when the height classes, the sparse data, the figures by slope or the\n"
    "coregistration were refused or a file or standard output could not be written; 2 for a\n"
    "usage error, an output file that is an input or grids of different sizes; 255 when a file\n"
    "cannot be read or its grid does not fit in memory, a checkpoint file holds no usable\n"
    "checkpoint or an aligned comparison does not overlap the DEM.\n";

namespace {

bool parseNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && errno == 0 && std::isfinite(value);
}

bool parseInteger(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() + text.size() || errno != 0 || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(number);
    return true;
}

// The options that take no value.
bool ReportOptions::*switchOption(const std::string& arg)
{
    static const std::pair<const char*, bool ReportOptions::*> switches[] = {
        {"--classes", &ReportOptions::classes}, {"--mask-nodata", &ReportOptions::maskNodata},
        {"--degrees", &ReportOptions::degrees}, {"--accuracy", &ReportOptions::accuracy},
        {"--help", &ReportOptions::help},       {"--version", &ReportOptions::version},
        {"--trust-raster", &ReportOptions::trustRaster}};
    for (const auto& [name, member] : switches)
        if (arg == name)
            return member;
    return nullptr;
}

bool parseFormat(const std::string& name, ReportOptions::Format& format)
{
    if (name == "text")
        format = ReportOptions::Format::Text;
    else if (name == "json")
        format = ReportOptions::Format::Json;
    else if (name == "csv")
        format = ReportOptions::Format::Csv;
    else
        return false;
    return true;
}

int fileTypeCode(const std::string& type)
{
    if (type == "dem")
        return DEM;
    if (type == "sparse")
        return SPARSEF;
    if (type == "contour")
        return CONTF;
    return 0;
}

// Which options go together: the difference map and --accuracy need comparison data;
// --sparse works on the DEM alone and prints no statistics; -o belongs to --sparse;
// without a comparison file --interval only sets the height classes' interval, and
// --type needs a comparison file.
bool consistent(const ReportOptions& o, bool typeGiven)
{
    const bool comparison = !o.comparison.empty();
    // The places file holds the --worst lists; sparse data makes no report to add to.
    if ((!o.worstGeojson.empty() && o.worst == 0) || (o.sparse && (o.worst > 0 || !o.htmlFile.empty())))
        return false;
    if ((o.mapKind == "difference" || o.accuracy) && !comparison)
        return false;
    if (o.sparse)
        return !comparison && !o.classes && !o.intervalGiven && !typeGiven &&
               o.format == ReportOptions::Format::Text && !o.accuracy && o.mapKind.empty();
    if (!o.output.empty())
        return false;
    if (comparison)
        return o.fileType != 0;
    return !typeGiven && (!o.intervalGiven || o.classes || !o.reference.checkpoints.empty());
}

}  // namespace

namespace {

// The unit is held as a float and grades by multiples of itself: a number that is no
// positive normal float (1e-46 becomes 0, 1e-40 keeps a digit or two) would grade by
// something else than the unit printed.
bool validUnit(double unit)
{
    return unit > 0 && unit <= std::numeric_limits<float>::max() && std::isnormal(static_cast<float>(unit));
}

// The most places a list holds: the search keeps 49 cells a place asked for.
const int mostWorstPlaces = 10000;

// --unit auto, --worst N, --worst-geojson FILE and --html FILE: whether args[i] is one of
// them, and whether its value is good (i moves to it).
bool handOverOption(const std::vector<std::string>& args, std::size_t& i, ReportOptions& options, bool& good)
{
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    good = hasValue && !args[i + 1].empty();
    if (arg == "--unit" && hasValue && args[i + 1] == "auto") {
        options.unitAuto = true;
        options.unit = 1.0;
    } else if (arg == "--worst") {
        good = hasValue && parseInteger(args[i + 1], options.worst) && options.worst >= 1 &&
               options.worst <= mostWorstPlaces;
    } else if (arg == "--worst-geojson") {
        options.worstGeojson = good ? args[i + 1] : "";
    } else if (arg == "--html") {
        options.htmlFile = good ? args[i + 1] : "";
    } else {
        return false;
    }
    i += hasValue;
    return true;
}

// The option at args[i] with its values; i moves to the last of them. false on a usage
// error, an unknown option included.
bool parseOption(const std::vector<std::string>& args, std::size_t& i, ReportOptions& options, std::string& type,
                 bool& typeGiven)
{
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    double number = 0;
    if (bool good = false; handOverOption(args, i, options, good))
        return good;
    if (arg == "--unit") {
        if (!hasValue || !parseNumber(args[++i], number) || !validUnit(number))
            return false;
        options.unit = number;
        options.unitAuto = false;
    } else if (arg == "--exaggeration") {
        if (!hasValue || !parseNumber(args[++i], number) || number < 0)
            return false;
        options.exaggeration = truncateToInt(number);
    } else if (arg == "--type") {
        if (!hasValue)
            return false;
        type = args[++i];
        typeGiven = true;
    } else if (arg == "--interval") {
        if (!hasValue || !parseNumber(args[++i], number) || truncateToInt(number) < 1)
            return false;
        options.interval = truncateToInt(number);
        options.intervalGiven = true;
    } else if (bool ReportOptions::*flag = switchOption(arg)) {
        options.*flag = true;
    } else if (arg == "--format") {
        return hasValue && parseFormat(args[++i], options.format);
    } else if (arg == "--map") {
        if (i + 2 >= args.size() || (args[i + 1] != "curvature" && args[i + 1] != "difference") ||
            args[i + 2].empty())
            return false;
        options.mapKind = args[++i];
        options.mapFile = args[++i];
    } else if (arg == "--sparse") {
        if (!hasValue || !parseInteger(args[++i], options.sparseCount))
            return false;
        options.sparse = true;
    } else if (arg == "-o") {
        if (!hasValue || args[i + 1].empty())
            return false;
        options.output = args[++i];
    } else if (arg == "--window") {
        GridWindow w;
        if (i + 4 >= args.size() || !parseInteger(args[i + 1], w.xoff) || !parseInteger(args[i + 2], w.yoff) ||
            !parseInteger(args[i + 3], w.xsize) || !parseInteger(args[i + 4], w.ysize))
            return false;
        options.window = w;
        i += 4;
    } else if (arg == "--merge") {
        options.merge = true;
    } else if (arg == "--plan") {
        return hasValue && parseInteger(args[++i], options.planSize) && options.planSize >= 1;
    } else if (const int reference = parseReferenceOption(args, i, options.reference)) {
        return reference > 0;
    } else {
        return false;
    }
    return true;
}

// The figures a window's report adds up are those of the plain report and the comparison
// figures of its JSON: the options that add other parts do not go with --window.
bool windowConsistent(const ReportOptions& o)
{
    const ReferenceOptions& r = o.reference;
    return !o.sparse && !o.classes && !o.accuracy && o.mapKind.empty() && o.worst == 0 && o.htmlFile.empty() &&
           !o.unitAuto && r.checkpoints.empty() && !r.bySlope && !r.coregistering();
}

// --merge and --plan take their files and, --merge, the format; nothing else.
bool aloneWithFormat(const ReportOptions& o, bool typeGiven)
{
    return windowConsistent(o) && !typeGiven && !o.intervalGiven && !o.maskNodata && !o.degrees &&
           !o.trustRaster && !o.reference.any() && !o.window && o.output.empty() && o.unit == 1.0 &&
           o.exaggeration == 1 && o.worstGeojson.empty() && !(o.merge && o.planSize > 0);
}

std::optional<ReportOptions> mergeOrPlan(ReportOptions options, const std::vector<std::string>& files,
                                         bool typeGiven)
{
    if (!aloneWithFormat(options, typeGiven) || files.empty())
        return std::nullopt;
    if (options.merge) {
        options.mergeFiles = files;
        return options;
    }
    if (files.size() != 1 || options.format != ReportOptions::Format::Text)
        return std::nullopt;
    options.dem = files[0];
    return options;
}

}  // namespace

std::optional<ReportOptions> parseReportArguments(const std::vector<std::string>& args)
{
    ReportOptions options;
    std::vector<std::string> files;
    std::string type;
    bool typeGiven = false;
    bool optionsEnded = false;  // after "--" every argument is a file, "-x.tif" too
    for (std::size_t i = 0; i < args.size(); i++) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            files.push_back(arg);
        else if (arg == "--")
            optionsEnded = true;
        else if (!parseOption(args, i, options, type, typeGiven))
            return std::nullopt;
    }
    if (options.help || options.version)
        return options;
    if (options.merge || options.planSize > 0)
        return mergeOrPlan(options, files, typeGiven);
    if (files.empty() || files.size() > 2)
        return std::nullopt;
    options.dem = files[0];
    if (files.size() == 2) {
        options.comparison = files[1];
        options.fileType = fileTypeCode(type);
    }
    if (!consistent(options, typeGiven) || !referenceConsistent(options) ||
        (options.window && !windowConsistent(options)))
        return std::nullopt;
    return options;
}

namespace {

// The viewer's Open: the comparison set's interval preset (a contour file's is inferred
// while reading). Without a comparison file the interval is 0, as in the viewer, unless
// --interval sets it for the height classes. Returns the exit status of a load that did
// not take, 0 when it did.
int load(const ReportOptions& options, std::ostream& err)
{
    const bool comparison = !options.comparison.empty();
    units = static_cast<float>(options.unit);
    maskNodata = options.maskNodata;
    cellsInDegrees = options.degrees;
    trustRasters = options.trustRaster;
    alignComparisonGrid = options.reference.align;
    alignResampling = options.reference.resampling;
    readWindow = options.window;
    windowComparison = !options.reference.align;
    const int interval = comparison ? presetInterval(options.fileType, options.interval)
                                    : (options.intervalGiven ? options.interval : 0);
    const LoadOutcome outcome = start(options.dem.c_str(), options.exaggeration,
                                      comparison ? options.comparison.c_str() : nullptr, interval, comparison ? 2 : 1,
                                      options.fileType);
    switch (outcome) {
    case LoadOutcome::Loaded: return 0;
    case LoadOutcome::SizesDiffer:
        err << "Files do not match\n--align resamples the comparison onto the DEM's grid\n";
        return 2;
    default: return 255;  // the reader has printed why
    }
}

// The pass writes its report to standard output itself.
int printHeightClasses(std::ostream& out)
{
    out.flush();
    mt.computeHeightClasses();
    return mt.heightClasses() ? 0 : 1;
}

int makeSparse(const ReportOptions& options, std::ostream& err)
{
    const std::vector<float> values = makeSparseGrid(mt, options.sparseCount);
    if (values.empty())
        return 1;
    if (!options.output.empty() && !writeExactGridFile(options.output, mt, values)) {
        err << "Cannot write " << options.output << "\n";
        return 1;
    }
    return 0;
}

int printText(const ReportOptions& options, const ReferenceFigures& reference, std::ostream& out)
{
    const bool comparison = !options.comparison.empty();
    if (options.unitFit)
        out << unitFitLine(*options.unitFit, options.unit) << "\n";
    out << statisticsText(currentStatistics(options.unit, comparison));
    if (options.accuracy && comparison)
        out << accuracyText(currentAccuracy());
    if (reference.shown)
        out << referenceText(reference);
    out << "\n";
    return options.classes ? printHeightClasses(out) : 0;
}

const char* typeName(int fileType) { return fileType == DEM ? "dem" : fileType == SPARSEF ? "sparse" : "contour"; }

int printFigures(const ReportOptions& options, const ReferenceFigures& reference, std::ostream& out)
{
    const bool comparison = !options.comparison.empty();
    ReportFigures f = currentFigures(options.dem, options.comparison, comparison ? typeName(options.fileType) : "",
                                     options.unit);
    if (reference.shown)
        f.reference = &reference;
    int status = 0;
    if (options.classes) {
        mt.computeHeightClasses();  // its lines go to the console, standard error here
        f.withClasses = true;
        f.heightClasses = mt.classes();
        status = mt.heightClasses() ? 0 : 1;
    }
    f.unitFit = options.unitFit;
    if (options.worst > 0 && options.format == ReportOptions::Format::Json)
        f.worst = currentWorstLists(options.worst, comparison);
    out << (options.format == ReportOptions::Format::Json ? reportJson(f) : reportCsv(f));
    return status;
}

int writeMap(const ReportOptions& options, std::ostream& err)
{
    const LargeVector<std::uint8_t>& levels = options.mapKind == "curvature" ? mt.curveLevels : mt.diffLevels;
    if (writeLevelMap(options.mapFile, mt, levels))
        return 0;
    err << "Cannot write " << options.mapFile << "\n";
    return 1;
}

// While it lives, the model's console lines go to standard error: standard output holds
// only the JSON or CSV figures.
class ConsoleToStandardError {
public:
    ConsoleToStandardError() : saved(std::cout.rdbuf(std::cerr.rdbuf())) {}
    ~ConsoleToStandardError() { std::cout.rdbuf(saved); }
    ConsoleToStandardError(const ConsoleToStandardError&) = delete;
    ConsoleToStandardError& operator=(const ConsoleToStandardError&) = delete;

private:
    std::streambuf* saved;
};

// Every file the run writes and every file it reads: an option that names a file adds it
// to one of these, and no output may be the same file as an input.
std::vector<std::string> outputFiles(const ReportOptions& o)
{
    std::vector<std::string> files;
    for (const std::string* file : {&o.mapFile, &o.output})
        if (!file->empty())
            files.push_back(*file);
    for (const std::string* file : {&o.worstGeojson, &o.htmlFile})
        if (!file->empty())
            files.push_back(*file);
    return files;
}

// A window that does not fit the DEM is a usage error, told before anything is read.
int checkWindow(const ReportOptions& o, std::ostream& err)
{
    int rows = 0, cols = 0;
    std::string why;
    // A file that cannot be read is refused by the read itself, once.
    std::streambuf* const console = std::cout.rdbuf(nullptr);
    const bool sized = gridFileSize(o.dem, rows, cols, why);
    std::cout.rdbuf(console);
    std::cout.clear();
    if (!sized)
        return 0;
    if (windowPiece(*o.window, rows, cols))
        return 0;
    err << "karvo-report: \"" << o.dem << "\": " << windowProblem(*o.window, rows, cols) << "\n";
    return 2;
}

std::vector<std::string> inputFiles(const ReportOptions& o)
{
    std::vector<std::string> files = {o.dem};
    if (!o.comparison.empty())
        files.push_back(o.comparison);
    return files;
}

int report(ReportOptions options, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> inputs = inputFiles(options), outputs = outputFiles(options);
    addReferenceFiles(options.reference, inputs, outputs);
    if (const auto clash = outputOverInput(outputs, inputs)) {
        err << "Cannot write " << clash->first << ": it is the same file as the input " << clash->second << "\n";
        return 2;
    }
    if (options.window) {
        if (const int status = checkWindow(options, err))
            return status;
    }
    if (const int status = load(options, err))
        return status;
    if (options.window)
        return printWindowReport(options, out, err);
    if (options.sparse)
        return makeSparse(options, err);
    if (options.unitAuto)
        fitUnit(options, err);
    ReferenceFigures reference;
    if (const int status = startReference(options, reference, out, err))
        return status;
    if (options.reference.coregisterOnly)
        return printCoregistrationOnly(options, reference, out);
    const int referenceStatus = completeReferenceFigures(options, reference, err);
    int status = options.format == ReportOptions::Format::Text ? printText(options, reference, out)
                                                                : printFigures(options, reference, out);
    const int mapStatus = options.mapKind.empty() ? 0 : writeMap(options, err);
    const int filesStatus = writeReferenceFiles(options, reference, err);
    const int handOverStatus = handOver(options, reference, out, err);
    for (const int later : {mapStatus, referenceStatus, filesStatus, handOverStatus})
        status = status != 0 ? status : later;
    return status;
}

}  // namespace

namespace {

int run(const ReportOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.help) {
        out << reportHelp;
        return 0;
    }
    if (options.version) {
        out << "karvo-report " << KARVO_VERSION << "\n";
        return 0;
    }
    if (options.merge || options.planSize > 0) {
        std::ostream result(out.rdbuf());  // the caller's output, before the console moves
        const ConsoleToStandardError console;  // the reader's lines, when --plan reads a header
        const int status = options.merge ? mergeReports(options, std::cin, result, err) : printPlan(options, result, err);
        if (!result)
            out.setstate(std::ios::badbit);
        return status;
    }
    if (options.format == ReportOptions::Format::Text)
        return report(options, out, err);
    std::ostream figures(out.rdbuf());  // the caller's output, before the console moves
    const ConsoleToStandardError console;
    const int status = report(options, figures, err);
    if (!figures)
        out.setstate(std::ios::badbit);
    return status;
}

}  // namespace

int runReport(const ReportOptions& options, std::ostream& out, std::ostream& err)
{
    const int status = run(options, out, err);
    // A report that never reached its reader (a full disk, a closed descriptor) is no
    // success, though everything before it was.
    if (out.flush())
        return status;
    err << "Cannot write the report to standard output\n";
    return status != 0 ? status : 1;
}
