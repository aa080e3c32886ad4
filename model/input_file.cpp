#include "model/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string typeProblem(mode_t mode)
{
    if (S_ISREG(mode))
        return "";
    if (S_ISDIR(mode))
        return "is a directory";
    return "is not a regular file (a FIFO, a device or a socket)";
}

}  // namespace

int openRegularFile(const std::string& path, std::string& why)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        why = errno == ENOENT || errno == ENOTDIR ? "not found"
                                                  : std::string("cannot be read (") + std::strerror(errno) + ")";
        return -1;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !(why = typeProblem(info.st_mode)).empty()) {
        if (why.empty())
            why = "cannot be read";
        ::close(fd);
        return -1;
    }
    // Reads from a regular file never block; the flag only served the open.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::string inputProblem(const std::string& path)
{
    std::string why;
    const int fd = openRegularFile(path, why);
    if (fd >= 0)
        ::close(fd);
    return why;
}

bool readWholeFile(const std::string& path, long long largest, const char* largestText, std::string& bytes,
                   std::string& why)
{
    const int fd = openRegularFile(path, why);
    if (fd < 0)
        return false;
    struct stat info;
    bool read = fstat(fd, &info) == 0;
    if (read && info.st_size > largest) {
        why = std::string("is larger than ") + largestText;
        read = false;
    }
    if (read) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        ssize_t got = 1;
        while (done < bytes.size() && (got = ::read(fd, &bytes[done], bytes.size() - done)) > 0)
            done += static_cast<std::size_t>(got);
        bytes.resize(done);
        read = got >= 0;
        if (!read)
            why = "cannot be read";
    }
    ::close(fd);
    return read;
}
