#pragma once
// Fresh pages of a large array cost one page fault each when a pass first writes them,
// and on a virtual machine each fault is expensive. Asking the kernel to map many pages
// in one call is several times faster.

#include <cstddef>

// Maps the pages of [begin, begin + bytes) writable now; writes nothing. Where the
// kernel cannot, it does nothing and the pages are mapped on first write as before.
void prefault(void* begin, std::size_t bytes);
