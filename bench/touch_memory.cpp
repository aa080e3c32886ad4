// Writes one byte into every page of a fresh allocation of the given number of MiB and
// exits: what the operating system charges for handing out that much memory, which the
// benchmark prints beside karvo-report's time (on a virtual machine whose host backs
// guest memory lazily this alone can take seconds).

#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::size_t bytes = std::strtoull(argv[1], nullptr, 10) << 20;
    std::unique_ptr<char[]> memory(new char[bytes]);
    for (std::size_t i = 0; i < bytes; i += 4096)
        memory[i] = 1;
    return memory[bytes / 2] == 1 ? 0 : 1;
}
