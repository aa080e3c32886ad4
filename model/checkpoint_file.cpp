// Which reader a checkpoint file goes to, and the limits that keep a hostile file from
// taking all memory.

#include "model/checkpoint_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "model/available_memory.h"
#include "model/gdal_module.h"
#include "model/input_file.h"

namespace {

// A point costs its struct and, for long ids or classes, their text; a quarter of the
// memory available is the most the points may take.
std::size_t pointLimit() { return std::size_t(availableMemoryBytes() / 4 / (sizeof(Checkpoint) + 64)); }

// Appends up to limit bytes of fd to text; false when a read fails.
bool readInto(int fd, std::string& text, std::size_t limit)
{
    char buffer[1 << 16];
    while (text.size() < limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - text.size()));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        text.append(buffer, std::size_t(n));
    }
    return true;
}

// The file's text when it is a checkpoint table; "" in text when it is not. false with the
// reason when it cannot be read or is too large to hold.
bool readTable(int fd, std::string& text, std::string& why)
{
    why = "cannot be read";
    struct stat info;
    if (fstat(fd, &info) != 0 || !readInto(fd, text, 1 << 16))
        return false;
    if (!startsAsCheckpointTable(text)) {
        text.clear();
        return true;
    }
    const std::uint64_t available = availableMemoryBytes();
    if (std::uint64_t(info.st_size) > available / 4) {
        why = "is too large to read (" + megabytes(std::uint64_t(info.st_size)) + ", " + megabytes(available) +
              " of memory available)";
        return false;
    }
    text.reserve(std::size_t(info.st_size));
    return readInto(fd, text, std::size_t(available / 4));
}

}  // namespace

CheckpointSet readCheckpoints(const std::string& path, const std::string& demProjection)
{
    CheckpointSet set;
    std::string why, text;
    const int fd = openRegularFile(path, why);
    if (fd < 0) {
        set.problem = why;
        return set;
    }
    const bool read = readTable(fd, text, why);
    ::close(fd);
    if (!read) {
        set.problem = why;
        return set;
    }
    if (!text.empty())
        return parseCheckpointTable(text, pointLimit());
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr) {
        set.problem = "is not a checkpoint table and cannot be read as a vector file: " + why;
        return set;
    }
    set = gdal->readVectorCheckpoints(path, demProjection, pointLimit());
    if (set.problem.empty() && set.points.empty())
        set.problem = "holds no usable checkpoint";
    return set;
}
