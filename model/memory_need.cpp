#include "model/memory_need.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

GridUse gridUse;
std::uint64_t memoryCeiling = 0;

namespace {

std::uint64_t rowsAndHeights(std::uint64_t nrows, std::uint64_t points)
{
    return (nrows * sizeof(float*) + 63) / 64 * 64 + points * sizeof(float);  // as allocate() lays them out
}

// The smallest limit in the files of a control group and of the groups above it
// (a number, or "max" for none); 0 when none sets one.
std::uint64_t groupLimit(const std::string& root, std::string group, const char* file)
{
    std::uint64_t lowest = 0;
    for (;;) {
        std::ifstream in(root + group + "/" + file);
        std::uint64_t value = 0;
        // v1 writes a page-rounded 2^63 for no limit.
        if (in >> value && value < (std::uint64_t(1) << 62))
            lowest = lowest == 0 ? value : std::min(lowest, value);
        if (group.empty() || group == "/")
            return lowest;
        group.erase(group.rfind('/'));
    }
}

// memory.max of cgroup v2 ("0::/path"), or memory.limit_in_bytes of v1's memory controller.
std::uint64_t controlGroupLimit()
{
    std::ifstream in("/proc/self/cgroup");
    std::string line;
    std::uint64_t lowest = 0;
    while (std::getline(in, line)) {
        const std::size_t first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string group = line.substr(second + 1);
        std::uint64_t limit = 0;
        if (controllers.empty())
            limit = groupLimit("/sys/fs/cgroup", group, "memory.max");
        else if (("," + controllers + ",").find(",memory,") != std::string::npos)
            limit = groupLimit("/sys/fs/cgroup/memory", group, "memory.limit_in_bytes");
        if (limit != 0)
            lowest = lowest == 0 ? limit : std::min(lowest, limit);
    }
    return lowest;
}

std::uint64_t resourceLimit(int resource)
{
    struct rlimit limit;
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 0;
    return limit.rlim_cur;
}

}  // namespace

std::uint64_t bytesNeeded(std::int64_t nrows, std::int64_t ncols, const GridUse& use)
{
    if (nrows <= 0 || ncols <= 0)
        return 0;
    const std::uint64_t rows = std::uint64_t(nrows), cols = std::uint64_t(ncols);
    const std::uint64_t points = rows * cols;
    const std::uint64_t cells = rows > 1 && cols > 1 ? (rows - 1) * (cols - 1) : 0;
    const std::uint64_t interior = rows > 2 && cols > 2 ? (rows - 2) * (cols - 2) : 0;
    std::uint64_t bytes = rowsAndHeights(rows, points) + 2 * cells + interior * sizeof(float);
    if (use.comparison)
        bytes += rowsAndHeights(rows, points) + cells * sizeof(float);
    if (use.drawing)
        bytes += (points + 3) / 4;
    return bytes;
}

MemoryLimit memoryLimit()
{
    MemoryLimit limit;
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        limit.bytes = std::uint64_t(pages) * std::uint64_t(pageSize);
    for (const std::uint64_t lower : {resourceLimit(RLIMIT_AS), resourceLimit(RLIMIT_DATA), controlGroupLimit(), memoryCeiling})
        if (lower != 0 && (limit.bytes == 0 || lower < limit.bytes)) {
            limit.bytes = lower;
            limit.ofProcess = true;
        }
    return limit;
}

std::string memoryText(std::uint64_t bytes)
{
    const double mebibytes = double(bytes) / (1 << 20);
    char text[40];
    if (mebibytes < 1024)
        std::snprintf(text, sizeof text, "%.1f MiB", mebibytes);
    else
        std::snprintf(text, sizeof text, "%.1f GiB", mebibytes / 1024);
    return text;
}

std::string memoryProblem(std::int64_t nrows, std::int64_t ncols, const GridUse& use, const MemoryLimit& limit)
{
    const std::uint64_t need = bytesNeeded(nrows, ncols, use);
    if (limit.bytes == 0 || need <= limit.bytes)
        return "";
    std::ostringstream text;
    text << "a grid of " << nrows << " rows and " << ncols << " columns needs " << memoryText(need)
         << " of memory; " << (limit.ofProcess ? "this process is limited to " : "this machine has ")
         << memoryText(limit.bytes);
    return text.str();
}
