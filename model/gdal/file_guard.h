#pragma once
// What GDAL may open while it reads a raster. A raster file can name other files: a VRT
// its sources, an ERDAS Imagine file its spill and overview files, with paths of any
// kind; a world file or header beside a raster can be a FIFO, and opening one waits for
// a writer for ever. GDAL reaches local files through one handler, which the module
// wraps: while a GuardedRead lives, a file opens only when it is a regular file, and, for
// a raster that is not trusted, only for reading and only when it is the raster itself
// or a file beside it whose name starts as the raster's does (its header, world file,
// projection, statistics: "dem.bil" reads "dem.hdr" and "dem.prj"), or one of GDAL's
// own data files. No .aux.xml is read or written beside an untrusted raster.

#include <string>

// Puts the guard in front of GDAL's local file handler; once, after the drivers are
// registered.
void installFileGuard();

class GuardedRead {
public:
    GuardedRead(const std::string& raster, bool trusted);
    ~GuardedRead();
    GuardedRead(const GuardedRead&) = delete;
    GuardedRead& operator=(const GuardedRead&) = delete;

private:
    std::string pamBefore;
    bool hadPam = false;
};
