#pragma once
// What a grid will take in memory, worked out from its header before anything is
// allocated for it, against what the machine can give. A file that declares a size the
// machine cannot hold is refused with both figures, instead of the program paging for
// minutes or dying of an allocation that fails half-way.

#include <cstdint>
#include <string>

// What the program holds for a grid beside its heights.
struct GridUse {
    bool comparison = false;  // comparison data of the grid's size, read with it or later
    bool drawing = false;     // the viewer's memo of the vegetation rule, two bits a point
};

// Set by the programs (drawing) and the loader (comparison); resetModel clears it.
extern GridUse gridUse;

// Bytes held for a grid of nrows x ncols: its heights with their row table, the
// curvature and difference level of each cell, the curvature value of each interior
// point; with a comparison set its heights and the difference value of each cell; in
// the viewer the vegetation memo.
std::uint64_t bytesNeeded(std::int64_t nrows, std::int64_t ncols, const GridUse& use);

// A limit below the machine's that a program may set for itself, 0 for none: the raster
// fuzzer keeps a crafted header from taking the machine.
extern std::uint64_t memoryCeiling;

struct MemoryLimit {
    std::uint64_t bytes = 0;  // 0 when nothing is known
    bool ofProcess = false;   // a resource limit or a control group's, below the machine's memory
};

// The machine's physical memory, or less where RLIMIT_AS, RLIMIT_DATA, the control
// group's memory.max (cgroup v2, or v1's memory.limit_in_bytes) or memoryCeiling says so.
MemoryLimit memoryLimit();

// "" when the grid fits within limit, otherwise the reason, to follow the file's name:
// "a grid of 32768 rows and 32768 columns needs 10.0 GiB of memory; this machine has 8.0 GiB"
// ("this process is limited to ..." for a limit of the process).
std::string memoryProblem(std::int64_t nrows, std::int64_t ncols, const GridUse& use, const MemoryLimit& limit);

// Bytes as "512.0 MiB" below a gibibyte and "14.0 GiB" from one on.
std::string memoryText(std::uint64_t bytes);
