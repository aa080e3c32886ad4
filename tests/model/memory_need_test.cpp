// What a grid needs against what the machine has, worked out by hand from the layout:
// heights 4 bytes a point after a row table of 8 bytes a row (in whole 64-byte lines),
// levels 2 bytes a cell, curvature 4 bytes an interior point; a comparison set its own
// heights and 4 bytes a cell; the viewer's memo a quarter byte a point.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "model/memory_need.h"
#include "tests/support/child_process.h"

namespace {

TEST(MemoryNeed, BytesOfGridsAtTheEdges)
{
    const struct {
        std::int64_t rows, cols;
        GridUse use;
        std::uint64_t bytes;
    } cases[] = {
        // One row: no cells, so nothing but the heights (the table is one 64-byte line).
        {1, 1073741823, {}, 64 + 4294967292ull},
        // One column: a row pointer per height, 8589934584 rounded up to 64.
        {1073741823, 1, {}, 8589934592ull + 4294967292ull},
        // 4295229440 + 2 x 32767^2 + 4 x 32766^2
        {32768, 32768, {}, 10737025042ull},
        // 3 x 3: 64 + 36, 4 cells, 1 interior point; the comparison 100 + 16; the memo 3.
        {3, 3, {true, true}, 112 + 116 + 3},
        {0, 5, {true, true}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " x " + std::to_string(c.cols));
        EXPECT_EQ(bytesNeeded(c.rows, c.cols, c.use), c.bytes);
    }
}

TEST(MemoryNeed, AGridLargerThanTheLimitIsRefusedWithBothFigures)
{
    const std::uint64_t gib = std::uint64_t(1) << 30;
    EXPECT_EQ(memoryProblem(32768, 32768, {}, {10737025042ull, false}), "");
    EXPECT_EQ(memoryProblem(32768, 32768, {}, {0, false}), "");  // nothing known: nothing refused
    EXPECT_EQ(memoryProblem(32768, 32768, {}, {10737025041ull, false}),
              "a grid of 32768 rows and 32768 columns needs 10.0 GiB of memory; this machine has 10.0 GiB");
    EXPECT_EQ(memoryProblem(8192, 8192, {}, {256 << 20, true}),
              "a grid of 8192 rows and 8192 columns needs 639.9 MiB of memory; this process is limited to 256.0 MiB");
    EXPECT_EQ(memoryText(gib + gib * 4 / 10), "1.4 GiB");
    EXPECT_EQ(memoryText(1023 << 20), "1023.0 MiB");
}

TEST(MemoryNeed, AResourceLimitBelowTheMachinesMemoryIsTheLimit)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's own mappings exceed any data limit";
#endif
    const MemoryLimit machine = memoryLimit();
    ASSERT_GT(machine.bytes, 0u);
    const ChildResult r = runInChild([] {
        struct rlimit data = {std::uint64_t(3) << 30, RLIM_INFINITY};
        setrlimit(RLIMIT_DATA, &data);
        const MemoryLimit limit = memoryLimit();
        std::printf("%d %d", limit.bytes <= data.rlim_cur, limit.ofProcess);
    });
    EXPECT_EQ(r.out, machine.bytes > (std::uint64_t(3) << 30) ? "1 1" : "1 " + std::to_string(machine.ofProcess));
}

}  // namespace
