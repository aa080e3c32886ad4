#include "model/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

bool fileId(const std::string& path, struct stat& id) { return !path.empty() && ::stat(path.c_str(), &id) == 0; }

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// An empty file beside the target, with the permissions a new file gets; "" when none
// can be made. The name starts with a dot so that listings and globs of outputs skip it.
std::string makeTemporary(const std::string& target)
{
    std::string pattern = directoryOf(target) + "/." + baseOf(target) + ".part-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return "";
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return name.data();
}

bool existsAsOther(const std::string& path)
{
    struct stat id;
    return fileId(path, id) && !S_ISREG(id.st_mode);
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return fileId(a, first) && fileId(b, second) && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::optional<std::pair<std::string, std::string>> outputOverInput(const std::vector<std::string>& outputs,
                                                                     const std::vector<std::string>& inputs)
{
    for (const std::string& output : outputs)
        for (const std::string& input : inputs)
            if (sameFile(output, input))
                return std::make_pair(output, input);
    return std::nullopt;
}

bool writeFileSafely(const std::string& path, const std::function<bool(const std::string& temporary)>& write)
{
    if (existsAsOther(path))
        return write(path);
    const std::string temporary = makeTemporary(path);
    if (temporary.empty())
        return false;
    if (write(temporary) && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temporary.c_str());
    return false;
}

bool writeStreamSafely(const std::string& path, const std::function<void(std::ostream& out)>& write)
{
    return writeFileSafely(path, [&](const std::string& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        write(out);
        out.close();
        return static_cast<bool>(out);
    });
}
