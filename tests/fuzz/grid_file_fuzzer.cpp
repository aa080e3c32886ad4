// libFuzzer target: arbitrary bytes as a grid file.
//
// The bytes are read in one block, in blocks of a few bytes split for two cores and by
// the standard stream operators, with the same results; then as a DEM and as comparison
// data by the model's reader, which must either refuse them or hold what the stream
// read, bit for bit. When
// the file is accepted it is loaded as the DEM and as its own comparison data, and every
// pass runs over it: mesh, normals, curvature, difference, height classes, slope and
// vegetation, profile, statistics and the sparse data generation. A refused file ends in
// ModelExit (the fuzzer lets reading failures return); anything else that goes wrong is
// a finding: a sanitizer report, or a broken invariant, which
// aborts.
//
// Settings the passes need come from the input's last bytes, so that mutations reach
// them too: contour interval (from -8 on, so 0 and below occur), exaggeration, curvature
// unit, treeline, vegetation slope, the number of spot heights, the debug trace, and the
// block and split sizes of the block comparison.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/height_classes.h"
#include "analysis/profile.h"
#include "analysis/slope.h"
#include "analysis/sparse.h"
#include "analysis/statistics_text.h"
#include "model/error.h"
#include "model/grid_text.h"
#include "model/mesh.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "model/raster_reader.h"
#include "tests/support/grid_extractions.h"

namespace {

// Larger grids read the same way, only slower: one input must not take seconds.
const std::size_t mostBytes = std::size_t(1) << 16;
const long long mostCells = 4096;

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

// While it lives, standard output and standard error go nowhere, and standard input is
// empty, so that the sparse generation's pause returns at once.
class Console {
public:
    Console()
        : oldOut(std::cout.rdbuf(&discard)),
          oldErr(std::cerr.rdbuf(&discard)),
          oldIn(std::cin.rdbuf(empty.rdbuf()))
    {
    }
    ~Console()
    {
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
        std::cin.rdbuf(oldIn);
        std::cin.clear();
    }

private:
    Discard discard;
    std::istringstream empty;
    std::streambuf* oldOut;
    std::streambuf* oldErr;
    std::streambuf* oldIn;
};

// The file the readers open, in memory where /dev/shm exists.
const std::string& inputPath()
{
    static const std::string path = [] {
        std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm/karvo-fuzz-XXXXXX" : "/tmp/karvo-fuzz-XXXXXX";
        if (mkdtemp(dir.data()) == nullptr)
            std::abort();
        static const std::string made = dir;
        std::atexit([] {
            std::remove((made + "/input.grd").c_str());
            rmdir(made.c_str());
        });
        return dir + "/input.grd";
    }();
    return path;
}

void writeInput(const std::uint8_t* data, std::size_t size)
{
    const int fd = open(inputPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    REQUIRE(fd >= 0);
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = write(fd, data + done, size - done);
        REQUIRE(n > 0);
        done += static_cast<std::size_t>(n);
    }
    close(fd);
}

// The grid size the header asks for, read as the reader reads it; 0 when the header
// does not get that far (the reader then refuses it before allocating anything).
long long cellsAskedFor(const std::uint8_t* data, std::size_t size)
{
    GridText in(std::string(reinterpret_cast<const char*>(data), size), 1 << 16);
    std::string word;
    int cols = 0, rows = 0;
    in >> word >> cols;
    in.get();
    in >> word >> rows;
    if (!in || cols <= 0 || rows <= 0)
        return 0;
    return static_cast<long long>(cols) * rows;
}

struct Settings {
    int interval, presetInterval, exaggeration, rebuiltExaggeration, sparseCount, treeline;
    float unit, slope;
    bool debug;  // the readers' and the mesh's trace; the rebuild chain then runs pass after pass
};

Settings settingsFrom(const std::uint8_t* data, std::size_t size)
{
    auto byte = [&](std::size_t back) { return size > back ? data[size - 1 - back] : std::uint8_t(0); };
    Settings s;
    s.interval = int(byte(0)) - 8;
    s.presetInterval = byte(1) % 3 == 0 ? 0 : int(byte(1) % 40) - 4;  // 0: inferred while reading
    s.exaggeration = byte(2) % 4;
    s.rebuiltExaggeration = byte(3) % 6;
    s.unit = 0.25f * float(1 + byte(4) % 16);
    s.treeline = int(byte(5)) * 20 - 1000;
    s.slope = float(byte(6) % 91);
    s.sparseCount = 95 + byte(7) % 60;  // below 100 is refused
    s.debug = byte(8) % 4 == 0;
    return s;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The model's reader on the input, as DEM (index 1) or comparison data (index 2); an
// accepted grid must hold what the standard stream operators take from the same bytes.
// true when the file was accepted.
bool readerMatchesStream(const std::uint8_t* data, std::size_t size, int index, int presetInterval, bool debug)
{
    DEBUG = debug;
    const char* names[2] = {inputPath().c_str(), inputPath().c_str()};
    rawdata m;
    m.setContourInt(presetInterval);
    {
        Console console;
        try {
            // The mountain's reader, not rawdata's own: readgridfile is not virtual.
            static_cast<mountain&>(m).readgridfile(names, index);
        } catch (const ModelExit&) {
            return false;
        }
    }
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    REQUIRE(differenceFrom(m, extractGrid(stream, mostCells)).empty());
    // What the sizes check promises: a grid the int counters can hold, a usable cellsize.
    REQUIRE(m.nrows > 0 && m.ncols > 0 && std::isfinite(m.cellsize) && m.cellsize > 0);
    return true;
}

// Blocks of a few bytes, split for two cores wherever they can be, must read what one
// block and the standard stream read: no number is cut or lost at a boundary.
void compareBlocks(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t block = 1 + (size > 9 ? data[size - 10] % 64 : 0);
    const std::size_t split = 1 + (size > 10 ? data[size - 11] % 16 : 0);
    GridText whole(bytes, 1 << 17);
    GridText pieces(bytes, block, split);
    std::istringstream stream(bytes);
    const std::string record = extractGrid(stream, mostCells).record;
    REQUIRE(extractGrid(whole, mostCells).record == record);
    REQUIRE(extractGrid(pieces, mostCells).record == record);
}

long long cellsOf(const mountain& m) { return static_cast<long long>(m.nrows - 1) * (m.ncols - 1); }

// The counts every pass over mt must add up to, and the difference of a grid against
// itself: 0 at every point with data, so every cell is level 0.
void checkPasses()
{
    const long long cells = cellsOf(mt);
    REQUIRE(mt.triangleCount == 2 * cells);
    REQUIRE(mt.curveLevels.size() == std::size_t(cells) && mt.diffLevels.size() == std::size_t(cells));
    // The mesh as the view derives it, for the sanitizers to watch.
    const MeshGeometry mesh(mt);
    for (int r = 0; r + 1 < mt.nrows; r++)
        for (int c = 0; c + 1 < mt.ncols; c++) {
            MeshTriangle pair[2];
            mesh.cell(r, c, pair);
        }
    REQUIRE(C15 + C10 + C5 + C == cells);
    const long long interior = mt.nrows >= 3 && mt.ncols >= 3 ? (long long)(mt.nrows - 2) * (mt.ncols - 2) : 0;
    REQUIRE(cArrayCount == interior);
    REQUIRE(D == cells && D20 + D15 + D10 + D5 == 0);
    REQUIRE(dArrayCount <= cells);
    if (dArrayCount > 0)
        REQUIRE(dArrayMax == 0 && dArrayMin == 0);
    for (int i = 0; i < dArrayCount; i++)
        REQUIRE(dArray[i] == 0);
}

// The height classes at the interval the settings give: every point in one class.
void checkHeightClasses(int interval)
{
    rd.setContourInt(interval);
    mt.computeHeightClasses();
    if (interval <= 0) {
        REQUIRE(!mt.heightClasses());
        return;
    }
    REQUIRE(mt.heightClassesFor(interval));
    long long counted = 0;
    for (int i = 0; i < interval; i++)
        counted += mt.classes()[i];
    REQUIRE(counted == static_cast<long long>(mt.nrows) * mt.ncols);
    REQUIRE(mt.classMin() <= mt.classMax());
}

// Slope, vegetation and the profile at every point and row, and just outside.
void checkSlopesAndProfiles(const Settings& s)
{
    TREELINE = s.treeline;
    SLOPE = s.slope;
    for (int r = 0; r < mt.nrows; r++)
        for (int c = 0; c < mt.ncols; c++) {
            const int direction = find_gradient(r, c);
            REQUIRE(direction == -1 || direction == 0 || direction == 45 || direction == -45 || direction == 90 ||
                    direction == -90);
            const float angle = colorSlopeDeg(r, c);
            slopeColour(angle);
            roundDeg(angle);
            vegetationHigh(mt.getElev(r, c), r, c);
        }
    for (int p : {-1, 0, mt.nrows / 2, mt.nrows - 1, mt.nrows}) {
        const ProfileGeometry g = profileGeometry(p);
        REQUIRE(g.valid == (p >= 0 && p < mt.nrows));
    }
}

// The sparse data drawn from the DEM: its spot heights where the DEM has them, zero
// elsewhere, and the DEM untouched.
void checkSparseGrid(int count)
{
    std::vector<float> dem;
    for (int r = 0; r < mt.nrows; r++)
        dem.insert(dem.end(), mt.grid[r], mt.grid[r] + mt.ncols);
    const std::vector<float> sparse = makeSparseGrid(mt, count);
    if (count < LOCALNUM || count > static_cast<long long>(mt.nrows) * mt.ncols) {
        REQUIRE(sparse.empty());
        return;
    }
    REQUIRE(sparse.size() == static_cast<std::size_t>(mt.nrows) * std::size_t(mt.ncols));
    long long spots = 0;
    for (int r = 0; r < mt.nrows; r++)
        for (int c = 0; c < mt.ncols; c++) {
            const std::size_t i = std::size_t(r) * mt.ncols + c;
            REQUIRE(sameBits(mt.grid[r][c], dem[i]));
            const float v = sparse[i];
            REQUIRE(v == 0 || sameBits(v, dem[i]));
            spots += v != 0;
        }
    REQUIRE(spots <= count);
}

void runPasses(const Settings& s)
{
    const char* path = inputPath().c_str();
    DEBUG = s.debug;
    units = s.unit;
    REQUIRE(start(path, s.exaggeration, path, s.presetInterval, 2) == LoadOutcome::Loaded);
    REQUIRE(multFiles);
    checkPasses();

    // The same passes one after the other, as the exaggeration command runs them.
    mt.convert_to_triangles(s.rebuiltExaggeration);
    mt.compute_normals();
    mt.compute_curve_color();
    mt.compute_diff_color();
    checkPasses();

    REQUIRE(addFile(path, s.exaggeration, rd.getContourInt()) == LoadOutcome::Loaded);
    checkPasses();

    float rmse = -1;
    if (rd.tryRmse(rmse))
        REQUIRE(rmse == 0);
    const std::string report = statisticsText(currentStatistics(s.unit, true));
    REQUIRE(!report.empty());

    checkHeightClasses(s.interval);
    checkSlopesAndProfiles(s);
    checkSparseGrid(s.sparseCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ReadingFailuresReturn failuresReturn;
    if (size > mostBytes || cellsAskedFor(data, size) > mostCells)
        return -1;
    writeInput(data, size);
    // Rasters are GDAL's to read, which the stream operators are not.
    if (!readsAsTextGrid(inputPath().c_str()))
        return -1;
    const Settings s = settingsFrom(data, size);

    compareBlocks(data, size);
    resetModel();
    resetAnalysis();
    const bool accepted = readerMatchesStream(data, size, 1, 0, s.debug);
    REQUIRE(readerMatchesStream(data, size, 2, s.presetInterval, s.debug) == accepted);
    if (accepted) {
        resetModel();
        resetAnalysis();
        Console console;
        try {
            runPasses(s);
        } catch (const ModelExit&) {
            REQUIRE(!"an accepted file was refused on the way through the passes");
        }
    }
    resetModel();
    resetAnalysis();
    return 0;
}
