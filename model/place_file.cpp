#include "model/place_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ostream>

#include "model/input_file.h"
#include "model/output_file.h"

namespace {

// The whole of a regular file of at most largestPlaceFile bytes.
bool readBounded(const std::string& path, std::string& bytes, std::string& why)
{
    const int fd = openRegularFile(path, why);
    if (fd < 0)
        return false;
    struct stat info;
    bool read = fstat(fd, &info) == 0;
    if (read && info.st_size > largestPlaceFile) {
        why = "is larger than 16 MB";
        read = false;
    }
    if (read) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        ssize_t got = 1;
        while (done < bytes.size() && (got = ::read(fd, &bytes[done], bytes.size() - done)) > 0)
            done += static_cast<std::size_t>(got);
        bytes.resize(done);  // a file cut short while read is read as far as it goes
        read = got >= 0;
        if (!read)
            why = "cannot be read";
    }
    ::close(fd);
    return read;
}

}  // namespace

bool writePlaceFile(const std::string& path, const PlaceFile& file, std::string& why)
{
    GdalModule* gdal = gdalModule(why);
    std::string text;
    if (gdal == nullptr || !gdal->placesGeoJson(file, text, why))
        return false;
    why.clear();
    return writeStreamSafely(path, [&](std::ostream& out) { out << text; });
}

bool readPlaceFile(const std::string& path, PlaceFile& file, std::string& why)
{
    std::string bytes;
    if (!readBounded(path, bytes, why))
        return false;
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr)
        return false;
    PlaceFile read;
    if (!gdal->readPlaces(bytes, read, why)) {
        why = "is no GeoJSON places file" + (why.empty() ? std::string() : " (" + why + ")");
        return false;
    }
    file = std::move(read);
    return true;
}
