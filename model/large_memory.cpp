#include "model/large_memory.h"

#include <sys/mman.h>

#include <cstdint>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older kernels answer EINVAL and map on touch
#endif

namespace {

const std::size_t hugePage = std::size_t(2) << 20;
// The mapping's length sits just before the block; the block keeps a 64-byte alignment.
const std::size_t headerBytes = 64;

}  // namespace

void* allocateLarge(std::size_t bytes, bool populate)
{
    if (bytes > SIZE_MAX - headerBytes - hugePage)
        return nullptr;
    const bool huge = bytes >= hugePage;
    // A huge page must start on a multiple of its size: map one more and start there.
    const std::size_t length = headerBytes + bytes + (huge ? hugePage : 0);
    void* mapped = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    auto base = reinterpret_cast<std::uintptr_t>(mapped);
    std::uintptr_t block = base + headerBytes;
    if (huge) {
        block = (block + hugePage - 1) / hugePage * hugePage;
        madvise(reinterpret_cast<void*>(block), bytes, MADV_HUGEPAGE);
    }
    if (populate && bytes > 0)
        madvise(reinterpret_cast<void*>(block), bytes, MADV_POPULATE_WRITE);
    auto* header = reinterpret_cast<std::uintptr_t*>(block - headerBytes);
    header[0] = base;
    header[1] = length;
    return reinterpret_cast<void*>(block);
}

void releaseLarge(void* block)
{
    if (block == nullptr)
        return;
    const auto* header = reinterpret_cast<const std::uintptr_t*>(static_cast<char*>(block) - headerBytes);
    munmap(reinterpret_cast<void*>(header[0]), header[1]);
}
