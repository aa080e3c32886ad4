#include "model/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older kernels answer EINVAL
#endif

namespace {

std::uintptr_t pageSize() { return static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE)); }

bool populate(std::uintptr_t begin, std::uintptr_t end)
{
    return end <= begin || madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) == 0;
}

}  // namespace

void prefault(void* begin, std::size_t bytes)
{
    // Only whole pages inside the array: the partial ones at its ends belong to
    // neighbouring allocations too and are mapped on first write.
    const std::uintptr_t page = pageSize();
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(begin) + page - 1) / page * page;
    const std::uintptr_t last = (reinterpret_cast<std::uintptr_t>(begin) + bytes) / page * page;
    populate(first, last);
}
