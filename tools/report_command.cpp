#include "tools/report_command.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "analysis/curvature.h"
#include "analysis/statistics_text.h"
#include "model/error.h"
#include "model/loader.h"
#include "model/mountain.h"
#include "model/numeric.h"

const char* const reportUsage =
    "usage: karvo-report [--unit U] [--exaggeration E] DEM\n"
    "       karvo-report [--unit U] [--exaggeration E] DEM COMPARISON --type dem|sparse|contour [--interval N]\n";

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

}  // namespace

std::optional<ReportOptions> parseReportArguments(const std::vector<std::string>& args)
{
    ReportOptions options;
    std::vector<std::string> files;
    std::string type;
    bool intervalGiven = false;
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
        } else if (arg == "--interval") {
            if (!hasValue || !parseNumber(args[++i], number) || truncateToInt(number) < 1)
                return std::nullopt;
            options.interval = truncateToInt(number);
            intervalGiven = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty() || files.size() > 2)
        return std::nullopt;
    options.dem = files[0];
    if (files.size() == 1)
        return type.empty() && !intervalGiven ? std::optional<ReportOptions>(options) : std::nullopt;
    options.comparison = files[1];
    if (type == "dem")
        options.fileType = DEM;
    else if (type == "sparse")
        options.fileType = SPARSEF;
    else if (type == "contour")
        options.fileType = CONTF;
    else
        return std::nullopt;
    return options;
}

int runReport(const ReportOptions& options, std::ostream& out, std::ostream& err)
{
    const bool comparison = !options.comparison.empty();
    // The same steps as the viewer's Open: fresh triangle storage, the comparison set's
    // interval preset (a contour file's is inferred while reading), height range reset.
    allocated = false;
    rd.setContourInt(0);
    mt.reset();
    if (options.fileType == DEM || options.fileType == SPARSEF)
        rd.setContourInt(options.interval);
    units = static_cast<float>(options.unit);

    bool sizesMatch = false;
    start(options.dem.c_str(), options.exaggeration, comparison ? options.comparison.c_str() : nullptr,
          comparison ? options.fileType : CONTF, sizesMatch, comparison ? 2 : 1);
    if (!sizesMatch) {
        err << "Files do not match\n";
        return 2;
    }
    out << statisticsText(currentStatistics(options.unit, comparison)) << "\n";
    return 0;
}
