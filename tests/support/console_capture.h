#pragma once
// Runs code that talks to the console in the test process itself: while the object
// lives, std::cout and std::cerr write into strings and std::cin reads the given input.

#include <iostream>
#include <sstream>
#include <string>

class ConsoleCapture {
public:
    explicit ConsoleCapture(const std::string& input = "");
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    std::string out() const { return outText.str(); }
    std::string err() const { return errText.str(); }

private:
    std::ostringstream outText;
    std::ostringstream errText;
    std::istringstream inText;
    std::streambuf* oldOut;
    std::streambuf* oldErr;
    std::ios::iostate oldInState;  // before oldIn: swapping the buffer clears the state
    std::streambuf* oldIn;
};

// Seeds rand() for a test and puts the start-up sequence (seed 1) back afterwards, so
// that no test depends on the random draws of another.
class RandomSeed {
public:
    explicit RandomSeed(unsigned seed);
    ~RandomSeed();
};
