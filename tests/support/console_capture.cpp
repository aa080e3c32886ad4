#include "tests/support/console_capture.h"

#include <cstdlib>

ConsoleCapture::ConsoleCapture(const std::string& input)
    : inText(input),
      oldOut(std::cout.rdbuf(outText.rdbuf())),
      oldErr(std::cerr.rdbuf(errText.rdbuf())),
      oldInState(std::cin.rdstate()),
      oldIn(std::cin.rdbuf(inText.rdbuf()))
{
    std::cin.clear();
}

ConsoleCapture::~ConsoleCapture()
{
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    std::cin.rdbuf(oldIn);
    std::cin.clear(oldInState);
}

RandomSeed::RandomSeed(unsigned seed) { std::srand(seed); }

RandomSeed::~RandomSeed() { std::srand(1); }
