#include "model/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older kernels answer EINVAL
#endif

namespace {

const std::size_t chunkBytes = std::size_t(4) << 20;

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

void PrefaultAhead::start(void* begin, std::size_t bytes)
{
    const std::uintptr_t page = pageSize();
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(begin) + page - 1) / page * page;
    const std::uintptr_t last = (reinterpret_cast<std::uintptr_t>(begin) + bytes) / page * page;
    if (last <= first)
        return;
    mapped = first;
    try {
        helper = std::thread(&PrefaultAhead::run, this, first, last);
    } catch (const std::system_error&) {
        mapped = UINTPTR_MAX;  // no thread to be had: pages are mapped on first write
    }
}

void PrefaultAhead::run(std::uintptr_t begin, std::uintptr_t end)
{
    for (std::uintptr_t p = begin; p < end;) {
        const std::uintptr_t next = std::min(end, p + chunkBytes);
        const bool ok = populate(p, next);
        {
            std::lock_guard<std::mutex> hold(lock);
            // Past the last whole page, or where the kernel cannot help, the pass's
            // own writes map what is left.
            mapped = ok && next < end ? next : UINTPTR_MAX;
        }
        progress.notify_all();
        if (!ok)
            return;
        p = next;
    }
}

void PrefaultAhead::waitFor(const void* end)
{
    const std::uintptr_t wanted = reinterpret_cast<std::uintptr_t>(end);
    std::unique_lock<std::mutex> hold(lock);
    progress.wait(hold, [&] { return mapped >= wanted; });
}

PrefaultAhead::~PrefaultAhead()
{
    if (helper.joinable())
        helper.join();
}
