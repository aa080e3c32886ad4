#include <iostream>
#include <string>
#include <vector>

#include "tools/report_command.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto options = parseReportArguments(args);
    if (!options) {
        std::cerr << reportUsage;
        return 2;
    }
    return runReport(*options, std::cout, std::cerr);
}
