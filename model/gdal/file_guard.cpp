#include "model/gdal/file_guard.h"

#include <cpl_conv.h>
#include <cpl_vsi_virtual.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// The read in progress. GDAL reads a raster on the thread that asks for it, and the
// programs read one raster at a time.
struct Policy {
    bool active = false;
    bool trusted = false;
    std::string directory;  // the raster's directory, resolved
    std::string stem;       // the raster's file name up to its first '.'
};

Policy policy;

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string resolved(const std::string& directory)
{
    char full[PATH_MAX];
    return realpath(directory.c_str(), full) != nullptr ? full : "";
}

const std::string& gdalDataDirectory()
{
    static const std::string directory = [] {
        const char* file = CPLFindFile("gdal", "gdalvrt.xsd");
        return file != nullptr ? resolved(directoryOf(file)) : std::string();
    }();
    return directory;
}

// A file beside the raster that carries its name, or one of GDAL's own data files.
bool besideTheRaster(const std::string& path)
{
    const std::string directory = resolved(directoryOf(path));
    if (directory.empty())
        return false;
    if (directory == gdalDataDirectory())
        return true;
    const std::string name = nameOf(path);
    return directory == policy.directory && name.compare(0, policy.stem.size(), policy.stem) == 0 &&
           (name.size() == policy.stem.size() || name[policy.stem.size()] == '.');
}

bool mayOpen(const char* path, const char* access)
{
    struct stat info;
    if (stat(path, &info) == 0 && !S_ISREG(info.st_mode))
        return false;  // a FIFO would block the open, a device feed the read without end
    if (policy.trusted)
        return true;
    return std::strpbrk(access, "wa+") == nullptr && besideTheRaster(path);
}

// GDAL's handler of local files, with the policy in front of its Open.
class Guard : public VSIFilesystemHandler {
public:
    explicit Guard(VSIFilesystemHandler* local) : local(local) {}
    ~Guard() override { delete local; }

    VSIVirtualHandle* Open(const char* path, const char* access, bool setError, CSLConstList options) override
    {
        if (policy.active && !mayOpen(path, access)) {
            errno = EACCES;
            return nullptr;
        }
        return local->Open(path, access, setError, options);
    }
    int Stat(const char* path, VSIStatBufL* info, int flags) override { return local->Stat(path, info, flags); }
    int Unlink(const char* path) override { return local->Unlink(path); }
    int Rename(const char* from, const char* to) override { return local->Rename(from, to); }
    int Mkdir(const char* path, long mode) override { return local->Mkdir(path, mode); }
    int Rmdir(const char* path) override { return local->Rmdir(path); }
    char** ReadDir(const char* path) override { return local->ReadDir(path); }
    char** ReadDirEx(const char* path, int most) override { return local->ReadDirEx(path, most); }
    char** SiblingFiles(const char* path) override { return local->SiblingFiles(path); }
    int IsCaseSensitive(const char* path) override { return local->IsCaseSensitive(path); }
    GIntBig GetDiskFreeSpace(const char* path) override { return local->GetDiskFreeSpace(path); }
    int SupportsSparseFiles(const char* path) override { return local->SupportsSparseFiles(path); }
    bool IsLocal(const char* path) override { return local->IsLocal(path); }
    bool SupportsSequentialWrite(const char* path, bool temporary) override
    {
        return local->SupportsSequentialWrite(path, temporary);
    }
    bool SupportsRandomWrite(const char* path, bool temporary) override
    {
        return local->SupportsRandomWrite(path, temporary);
    }

private:
    VSIFilesystemHandler* local;
};

}  // namespace

void installFileGuard()
{
    // The empty prefix is the handler of every path no other handler claims.
    VSIFileManager::InstallHandler("", new Guard(VSIFileManager::GetHandler("/")));
}

GuardedRead::GuardedRead(const std::string& raster, bool trusted)
{
    policy.active = true;
    policy.trusted = trusted;
    policy.directory = resolved(directoryOf(raster));
    const std::string name = nameOf(raster);
    policy.stem = name.substr(0, name.find('.'));
    if (trusted)
        return;
    const char* pam = CPLGetThreadLocalConfigOption("GDAL_PAM_ENABLED", nullptr);
    hadPam = pam != nullptr;
    pamBefore = hadPam ? pam : "";
    CPLSetThreadLocalConfigOption("GDAL_PAM_ENABLED", "NO");
}

GuardedRead::~GuardedRead()
{
    if (!policy.trusted)
        CPLSetThreadLocalConfigOption("GDAL_PAM_ENABLED", hadPam ? pamBefore.c_str() : nullptr);
    policy = Policy();
}
