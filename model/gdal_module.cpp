#include "model/gdal_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace {

// Beside an installed program the module is in ../lib/karvo; a build tree's programs find
// it where the build put it.
std::vector<std::string> candidates()
{
    std::vector<std::string> paths;
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        std::string dir(self, static_cast<std::size_t>(length));
        dir.erase(dir.rfind('/'));
        paths.push_back(dir + "/" KARVO_GDAL_MODULE_FROM_BIN);
    }
    paths.push_back(KARVO_GDAL_MODULE_BUILT);
    return paths;
}

GdalModule* load(std::string& why)
{
    for (const std::string& path : candidates()) {
        if (access(path.c_str(), R_OK) != 0)
            continue;
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            why = dlerror();
            return nullptr;
        }
        using Entry = GdalModule* (*)();
        auto entry = reinterpret_cast<Entry>(dlsym(handle, KARVO_GDAL_ENTRY));
        if (entry == nullptr) {
            why = path + " has no entry point";
            return nullptr;
        }
        return entry();  // the module stays loaded for the rest of the run
    }
    why = "the GDAL module (libkarvo_gdal.so) is not installed";
    return nullptr;
}

}  // namespace

GdalModule* gdalModule(std::string& why)
{
    static std::string loadProblem;
    static GdalModule* const module = load(loadProblem);
    if (module == nullptr)
        why = loadProblem;
    return module;
}
