#include <unistd.h>

#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "model/progress.h"
#include "tools/report_command.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto options = parseReportArguments(args);
    if (!options) {
        std::cerr << reportUsage;
        return 2;
    }
    // A long read shows how far it is on a terminal, and only there: the report itself
    // goes to standard output.
    std::unique_ptr<ReadProgress> progress;
    if (isatty(STDERR_FILENO))
        progress = std::make_unique<ReadProgress>(
            [](double share) { std::cerr << "\rReading: " << int(share * 100) << " %" << std::flush; },
            [] { std::cerr << "\r            \r" << std::flush; });
    try {
        return runReport(*options, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        // Where the model's lines go: standard error when standard output holds JSON or CSV.
        std::ostream& console = options->format == ReportOptions::Format::Text ? std::cout : std::cerr;
        console << "ERROR: not enough memory for the report of \"" << options->dem << "\"" << std::endl;
        return 255;
    }
}
