#pragma once
// karvo-report: the viewer's analysis from the command line, for checking DEMs in batch.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "model/grid_window.h"
#include "tools/report_reference.h"
#include "analysis/curvature_unit.h"

struct ReportOptions {
    double unit = 1.0;
    int exaggeration = 1;
    std::string dem;
    std::string comparison;  // empty: DEM alone
    int fileType = 0;        // DEM, SPARSEF or CONTF with a comparison file
    int interval = 20;       // preset contour interval for a comparison DEM or sparse file
    bool intervalGiven = false;
    bool classes = false;    // print the height class report after the statistics
    bool sparse = false;     // make a sparse data set instead of the statistics
    int sparseCount = 0;     // spot heights asked for
    std::string output;      // with sparse: also write the sparse data as a grid file here
    bool maskNodata = false;  // leave out the cells that touch a nodata point
    bool degrees = false;     // cellsize is in degrees (on anyway for a geographic raster)
    bool trustRaster = false;  // rasters of any format, which may read other files and URLs
    enum class Format { Text, Json, Csv } format = Format::Text;
    bool accuracy = false;    // the accuracy lines after the RMSE line of the text report
    std::string mapKind;      // "curvature" or "difference": write a level map
    std::string mapFile;
    ReferenceOptions reference;  // alignment, checkpoints, statements, by slope, coregistration
    bool help = false;        // print the options and exit
    bool version = false;

    // Finding and handing over: the fitted unit, the worst places, the HTML page.
    bool unitAuto = false;                    // --unit auto: fit the unit to the data after the load
    std::optional<CurvatureUnitFit> unitFit;  // the run's fit (set by the run, with unit)
    int worst = 0;                            // --worst N: list the N worst places of each kind
    std::string worstGeojson;                 // --worst-geojson FILE: write them as GeoJSON
    std::string htmlFile;                     // --html FILE: write the report as an HTML page

    // Windows of a grid checked apart and merged.
    std::optional<GridWindow> window;     // --window XOFF YOFF XSIZE YSIZE: the report of these cells
    std::vector<std::string> mergeFiles;  // --merge: the JSON reports of windows to merge
    bool merge = false;
    int planSize = 0;                     // --plan SIZE: print the windows of a partition
};

extern const char* const reportHelp;

extern const char* const reportUsage;

// Parses the arguments after the program name; nullopt on a usage error.
std::optional<ReportOptions> parseReportArguments(const std::vector<std::string>& args);

// Loads as the viewer's Open does and prints the statistics text to out (or its JSON or
// CSV form, when the model's console lines go to standard error instead), followed by
// the height class report with `classes`, and writes the level map asked for; with
// `sparse` it prints what the sparse data generation prints instead (it writes to the process's standard streams and reads the
// pause from standard input). Returns the exit status: 0; 1 when the height classes or
// the sparse data were refused or an output file or out itself could not be written; 2
// when an output file is an input or the comparison grid's size differs from the DEM's;
// 255 when a file cannot be read (the model has printed why).
int runReport(const ReportOptions& options, std::ostream& out, std::ostream& err);
