#pragma once
// karvo-report: the viewer's analysis from the command line, for checking DEMs in batch.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

struct ReportOptions {
    double unit = 1.0;
    int exaggeration = 1;
    std::string dem;
    std::string comparison;  // empty: DEM alone
    int fileType = 0;        // DEM, SPARSEF or CONTF with a comparison file
    int interval = 20;       // preset contour interval for a comparison DEM or sparse file
};

extern const char* const reportUsage;

// Parses the arguments after the program name; nullopt on a usage error.
std::optional<ReportOptions> parseReportArguments(const std::vector<std::string>& args);

// Loads as the viewer's Open does and prints the statistics text to out. Returns the
// exit status: 0, or 2 when the comparison grid's size differs from the DEM's. Reading
// failures end the process inside the model.
int runReport(const ReportOptions& options, std::ostream& out, std::ostream& err);
