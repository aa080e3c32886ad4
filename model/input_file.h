#pragma once
// Files the programs read are untrusted: only a regular file is read. A FIFO would block
// the reader for ever, a device could feed it without end, a directory holds no grid.

#include <string>

// "" when path names a regular file that can be opened for reading, otherwise the reason,
// to follow the file's name in a refusal: "not found", "is a directory", "is not a
// regular file (a FIFO, a device or a socket)", "cannot be read (Permission denied)".
std::string inputProblem(const std::string& path);

// Opens path for reading when it is a regular file: a file descriptor, or -1 with the
// reason in why. The type is checked on the opened file, so that a file swapped for a
// FIFO between a check and the open cannot block the read.
int openRegularFile(const std::string& path, std::string& why);

// The whole of a regular file of at most largest bytes into bytes; false with the reason:
// openRegularFile's, "is larger than " + largestText, or "cannot be read". A file cut
// short while it is read is read as far as it goes.
bool readWholeFile(const std::string& path, long long largest, const char* largestText, std::string& bytes,
                   std::string& why);
