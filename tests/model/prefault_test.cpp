#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/prefault.h"
#include "tests/support/child_process.h"

namespace {

// A fresh anonymous mapping: none of its pages is mapped until written or prefaulted.
struct Mapping {
    explicit Mapping(std::size_t bytes) : size(bytes)
    {
        void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        base = p == MAP_FAILED ? nullptr : static_cast<char*>(p);
    }
    ~Mapping()
    {
        if (base != nullptr)
            munmap(base, size);
    }
    // Pages of [offset, offset + bytes) that are resident.
    std::size_t resident(std::size_t offset, std::size_t bytes) const
    {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        std::vector<unsigned char> flags((bytes + page - 1) / page);
        if (mincore(base + offset, bytes, flags.data()) != 0)
            return 0;
        std::size_t n = 0;
        for (unsigned char f : flags)
            n += f & 1;
        return n;
    }
    char* base = nullptr;
    std::size_t size;
};

const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));

bool kernelPopulates()
{
    Mapping probe(page);
    return probe.base != nullptr && madvise(probe.base, page, 23 /* MADV_POPULATE_WRITE */) == 0;
}

TEST(PrefaultTest, MapsTheWholePagesInsideTheArrayAndWritesNothing)
{
    if (!kernelPopulates())
        GTEST_SKIP() << "this kernel cannot populate pages on request";
    Mapping m(64 * page);
    ASSERT_NE(m.base, nullptr);
    // From the middle of page 2 to the middle of page 40: pages 3 to 39 are whole.
    prefault(m.base + 2 * page + 100, 38 * page);
    EXPECT_EQ(m.resident(0, 3 * page), 0u);
    EXPECT_EQ(m.resident(3 * page, 37 * page), 37u);
    EXPECT_EQ(m.resident(40 * page, 24 * page), 0u);
    for (std::size_t i = 3 * page; i < 40 * page; i += 97)
        ASSERT_EQ(m.base[i], 0);
}

}  // namespace
