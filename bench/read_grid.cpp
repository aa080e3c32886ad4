// The reader alone: reads one grid file into mt as the loader does (index 1, a DEM) and
// prints the wall time of the read in seconds. The benchmark script times it as a whole
// process, like the other commands it compares.
//   bench-read-grid FILE

#include <chrono>
#include <iostream>

#include "model/mountain.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: bench-read-grid FILE\n";
        return 2;
    }
    const char* names[2] = {argv[1], nullptr};
    const auto begin = std::chrono::steady_clock::now();
    mt.readgridfile(names, 1);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - begin;
    std::cerr << "read " << mt.nrows << " x " << mt.ncols << " in " << seconds.count() << " s\n";
    return 0;
}
