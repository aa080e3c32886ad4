#pragma once
// A line of a report, made by a printf pattern: reports mix figures of fixed formats with
// words, and the formats are part of what they promise byte for byte.

#include <string>

// The text printf would print, cut at 1023 bytes.
std::string printfText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
