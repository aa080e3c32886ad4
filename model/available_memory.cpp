#include "model/available_memory.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

std::uint64_t availableMemoryBytes()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        std::istringstream fields(line);
        std::string key;
        std::uint64_t kilobytes = 0;
        if (fields >> key >> kilobytes && key == "MemAvailable:")
            return kilobytes * 1024;
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : 0;
}

std::string megabytes(std::uint64_t bytes)
{
    const std::uint64_t mb = std::uint64_t(1) << 20;
    return std::to_string(bytes / mb + (bytes % mb != 0 ? 1 : 0)) + " MB";
}
