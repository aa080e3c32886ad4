#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/large_memory.h"

namespace {

const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));

// Pages of [block, block + bytes) that are resident.
std::size_t resident(const void* block, std::size_t bytes)
{
    std::vector<unsigned char> flags((bytes + page - 1) / page);
    if (mincore(const_cast<void*>(block), bytes, flags.data()) != 0)
        return 0;
    std::size_t n = 0;
    for (unsigned char f : flags)
        n += f & 1;
    return n;
}

TEST(LargeMemoryTest, BlocksAreZeroAndMappedAtOnceOnlyWhenAskedFor)
{
    const std::size_t bytes = std::size_t(9) << 20;
    for (bool populate : {false, true}) {
        SCOPED_TRACE(populate ? "populated" : "mapped on touch");
        auto* block = static_cast<unsigned char*>(allocateLarge(bytes, populate));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 64, 0u);
        const std::size_t pages = resident(block, bytes);
        if (populate)
            EXPECT_EQ(pages, bytes / page);
        else
            EXPECT_LT(pages, bytes / page);
        for (std::size_t i = 0; i < bytes; i += 4093)
            ASSERT_EQ(block[i], 0);
        block[bytes - 1] = 7;
        releaseLarge(block);
    }
    releaseLarge(nullptr);
}

TEST(LargeMemoryTest, ASizeBeyondTheAddressSpaceIsRefused)
{
    EXPECT_EQ(allocateLarge(SIZE_MAX - 100), nullptr);
    EXPECT_EQ(allocateLarge(SIZE_MAX / 2), nullptr);
    EXPECT_THROW(LargeVector<float>(SIZE_MAX / 64), std::bad_alloc);
}

}  // namespace
