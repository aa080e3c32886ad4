#pragma once
// Files the programs write. An output never replaces an input, and a write that fails or
// is interrupted never leaves a truncated file where a good one was: the data goes to a
// temporary file beside the target, which is renamed over it only when complete.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Whether both paths name one existing file: the same device and inode, whatever the
// spelling (./x/../x/dem.tif, a hard link, a symbolic link).
bool sameFile(const std::string& a, const std::string& b);

// The first output that is the same file as an input, with that input.
std::optional<std::pair<std::string, std::string>> outputOverInput(const std::vector<std::string>& outputs,
                                                                     const std::vector<std::string>& inputs);

// Writes path through write, which gets the temporary file's path and says whether it
// wrote everything. A target that exists and is not a regular file (a terminal, a pipe,
// /dev/null) is written in place: it cannot be replaced and holds no data to lose.
// false when the temporary file cannot be made, write fails or the rename fails; the
// target is then as it was.
bool writeFileSafely(const std::string& path, const std::function<bool(const std::string& temporary)>& write);

// The same for a text or byte stream: write fills the stream, which is checked after.
bool writeStreamSafely(const std::string& path, const std::function<void(std::ostream& out)>& write);
