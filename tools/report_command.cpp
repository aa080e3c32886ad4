#include "tools/report_command.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>

#include "analysis/curvature.h"
#include "analysis/sparse.h"
#include "analysis/statistics_text.h"
#include "model/error.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "model/numeric.h"
#include "model/grid_writer.h"

const char* const reportUsage =
    "usage: karvo-report [--unit U] [--exaggeration E] [--classes --interval N] DEM\n"
    "       karvo-report [--unit U] [--exaggeration E] [--classes] DEM COMPARISON --type dem|sparse|contour "
    "[--interval N]\n"
    "       karvo-report --sparse N [-o FILE] DEM\n"
    "options for every form: --mask-nodata, --degrees\n";

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

// Which options go together: --sparse works on the DEM alone and prints no statistics;
// -o belongs to --sparse; without a comparison file --interval only sets the height
// classes' interval, and --type needs a comparison file.
bool consistent(const ReportOptions& o, bool typeGiven)
{
    const bool comparison = !o.comparison.empty();
    if (o.sparse)
        return !comparison && !o.classes && !o.intervalGiven && !typeGiven;
    if (!o.output.empty())
        return false;
    if (comparison)
        return o.fileType != 0;
    return !typeGiven && (!o.intervalGiven || o.classes);
}

}  // namespace

std::optional<ReportOptions> parseReportArguments(const std::vector<std::string>& args)
{
    ReportOptions options;
    std::vector<std::string> files;
    std::string type;
    bool typeGiven = false;
    for (std::size_t i = 0; i < args.size(); i++) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        double number = 0;
        if (arg == "--unit") {
            if (!hasValue || !parseNumber(args[++i], number) || !(number > 0))
                return std::nullopt;
            options.unit = number;
        } else if (arg == "--exaggeration") {
            if (!hasValue || !parseNumber(args[++i], number) || number < 0)
                return std::nullopt;
            options.exaggeration = truncateToInt(number);
        } else if (arg == "--type") {
            if (!hasValue)
                return std::nullopt;
            type = args[++i];
            typeGiven = true;
        } else if (arg == "--interval") {
            if (!hasValue || !parseNumber(args[++i], number) || truncateToInt(number) < 1)
                return std::nullopt;
            options.interval = truncateToInt(number);
            options.intervalGiven = true;
        } else if (arg == "--classes") {
            options.classes = true;
        } else if (arg == "--mask-nodata") {
            options.maskNodata = true;
        } else if (arg == "--degrees") {
            options.degrees = true;
        } else if (arg == "--sparse") {
            if (!hasValue || !parseInteger(args[++i], options.sparseCount))
                return std::nullopt;
            options.sparse = true;
        } else if (arg == "-o") {
            if (!hasValue || args[i + 1].empty())
                return std::nullopt;
            options.output = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty() || files.size() > 2)
        return std::nullopt;
    options.dem = files[0];
    if (files.size() == 2) {
        options.comparison = files[1];
        options.fileType = fileTypeCode(type);
    }
    if (!consistent(options, typeGiven))
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
    const int interval = comparison ? presetInterval(options.fileType, options.interval)
                                    : (options.intervalGiven ? options.interval : 0);
    const LoadOutcome outcome = start(options.dem.c_str(), options.exaggeration,
                                      comparison ? options.comparison.c_str() : nullptr, interval, comparison ? 2 : 1);
    switch (outcome) {
    case LoadOutcome::Loaded: return 0;
    case LoadOutcome::SizesDiffer: err << "Files do not match\n"; return 2;
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

}  // namespace

int runReport(const ReportOptions& options, std::ostream& out, std::ostream& err)
{
    if (const int status = load(options, err))
        return status;
    if (options.sparse)
        return makeSparse(options, err);
    out << statisticsText(currentStatistics(options.unit, !options.comparison.empty())) << "\n";
    if (options.classes)
        return printHeightClasses(out);
    return 0;
}
