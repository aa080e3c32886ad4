// libFuzzer target: arbitrary bytes as a raster file (raster_fuzz_input.h says how they
// become a file and its .hdr), read by the model's reader through the drivers it allows
// untrusted, then, when accepted, loaded as the DEM and run through the mesh, the
// curvature and the statistics. A refusal ends in a LoadOutcome; anything else that goes
// wrong is a finding: a crash or a sanitizer's report in our code or in GDAL's, a read
// that does not end, or a broken invariant, which aborts.
//
// GDAL is not built for the fuzzer, so its code gives no coverage back and its memory
// errors show only when they crash or free what they should not; the mutations still
// reach every allowed driver through the seeds.

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "analysis/analysis.h"
#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "analysis/statistics_text.h"
#include "model/error.h"
#include "model/memory_need.h"
#include "model/mountain.h"
#include "tests/fuzz/raster_fuzz_input.h"

namespace {

const std::size_t mostBytes = std::size_t(1) << 18;

#define REQUIRE(condition)                                                                      \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: broken invariant: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return c == EOF ? 0 : c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// While it lives, the model's console lines go nowhere.
class Quiet {
public:
    Quiet() : oldOut(std::cout.rdbuf(&discard)), oldErr(std::cerr.rdbuf(&discard)) {}
    ~Quiet()
    {
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
    }

private:
    Discard discard;
    std::streambuf* oldOut;
    std::streambuf* oldErr;
};

void removeFiles(const std::string& dir)
{
    for (const char* name : rasterfuzz::names)
        std::remove((dir + "/" + name).c_str());
    std::remove((dir + "/" + rasterfuzz::sidecar).c_str());
}

// The directory the files go into, in memory where /dev/shm exists; it goes at exit.
const std::string& directory()
{
    static const std::string dir = [] {
        std::string made = access("/dev/shm", W_OK) == 0 ? "/dev/shm/karvo-raster-fuzz-XXXXXX" : "/tmp/karvo-raster-fuzz-XXXXXX";
        if (mkdtemp(made.data()) == nullptr)
            std::abort();
        static const std::string kept = made;  // outlives the exit handler, which dir would not
        std::atexit([] {
            removeFiles(kept);
            rmdir(kept.c_str());
        });
        return made;
    }();
    return dir;
}

void writeFile(const std::string& name, const std::string& bytes)
{
    const int fd = open((directory() + "/" + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    REQUIRE(fd >= 0);
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        REQUIRE(n > 0);
        done += static_cast<std::size_t>(n);
    }
    close(fd);
}

// What a load promises of the grid it took, and what the passes must add up to.
void checkLoaded()
{
    REQUIRE(mt.nrows > 0 && mt.ncols > 0 && mt.grid != nullptr);
    REQUIRE(std::isfinite(mt.xllcorner) && std::isfinite(mt.yllcorner) && mt.cellsize > 0);
    REQUIRE(std::isfinite(mt.xllRead) && std::isfinite(mt.yllRead) && mt.cellsizeRead > 0);
    const long long cells = mt.cellCount();
    REQUIRE(mt.curveLevels.size() == std::size_t(cells));
    // Masked cells (a nodata or non-finite corner) count in no level and get no value.
    long long graded = 0, valued = 0;
    for (int r = 0; r + 1 < mt.nrows; r++)
        for (int c = 0; c + 1 < mt.ncols; c++)
            if (!mt.cellMasked(r, c)) {
                graded++;
                valued += r >= 1 && c >= 1;  // a cell's value is its first corner's curvature
            }
    REQUIRE(C15 + C10 + C5 + C == graded);
    REQUIRE(cArrayCount == valued);
    REQUIRE(!statisticsText(currentStatistics(1, false)).empty());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // GDAL's block cache and a header's grid both stay small: a crafted size is refused
    // by the model's estimate, not by the fuzzer's memory limit.
    setenv("GDAL_CACHEMAX", "32", 1);
    memoryCeiling = std::uint64_t(64) << 20;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > mostBytes)
        return -1;
    const rasterfuzz::Files files = rasterfuzz::split(data, size);
    removeFiles(directory());
    writeFile(files.name, files.raster);
    if (files.hasHeader)
        writeFile(rasterfuzz::sidecar, files.header);
    const std::string path = directory() + "/" + files.name;

    resetModel();
    resetAnalysis();
    {
        const Quiet quiet;
        const LoadOutcome outcome = start(path.c_str(), 1, nullptr, 0, 1);
        REQUIRE(outcome == LoadOutcome::Loaded || outcome == LoadOutcome::DemRefused ||
                outcome == LoadOutcome::OutOfMemory);
        if (outcome == LoadOutcome::Loaded)
            checkLoaded();
    }
    resetModel();
    resetAnalysis();
    return 0;
}
