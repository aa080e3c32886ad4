#pragma once
// How much memory a large allocation may take before it is refused with a message rather
// than left to the kernel's out-of-memory killer.

#include <cstdint>
#include <string>

// The system's MemAvailable (memory that can be had without swapping), in bytes; the free
// physical pages when the kernel does not say.
std::uint64_t availableMemoryBytes();

// bytes in whole megabytes, rounded up, for messages: "1526 MB".
std::string megabytes(std::uint64_t bytes);
