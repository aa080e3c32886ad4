#pragma once
// Fresh pages of a large array cost one page fault each when a pass first writes them,
// and on a virtual machine each fault is expensive. Asking the kernel to map many pages
// in one call is several times faster, and another core can do it while the pass runs.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

// Maps the pages of [begin, begin + bytes) writable now; writes nothing. Where the
// kernel cannot, it does nothing and the pages are mapped on first write as before.
void prefault(void* begin, std::size_t bytes);

// Maps the pages of an array front to back on another thread, a chunk at a time, for a
// pass that then writes the array front to back.
class PrefaultAhead {
public:
    PrefaultAhead() = default;
    ~PrefaultAhead();  // waits for the helper
    PrefaultAhead(const PrefaultAhead&) = delete;
    PrefaultAhead& operator=(const PrefaultAhead&) = delete;

    void start(void* begin, std::size_t bytes);
    // Returns once the pages below end are mapped, or at once when there is no helper.
    void waitFor(const void* end);

private:
    void run(std::uintptr_t begin, std::uintptr_t end);

    std::thread helper;
    std::mutex lock;
    std::condition_variable progress;
    std::uintptr_t mapped = UINTPTR_MAX;  // everything below is mapped
};
