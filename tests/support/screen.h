#pragma once
// Drives and captures the real program under the test run's X server with xdotool, xwd
// and ImageMagick, as a user at the screen would see it.

#include <sys/types.h>

#include <string>
#include <vector>

// A started program in a process group of its own, its standard output into a file and
// its standard error discarded; the group is killed when the object goes, and the program
// when the test process ends.
class RunningProgram {
public:
    RunningProgram(const std::vector<std::string>& argv, const std::string& stdoutFile = "/dev/null");
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    pid_t pid() const { return child; }
    bool running();
    // Exit status once the program has ended by itself, -1 while it runs.
    int waitForExit(double seconds);

private:
    pid_t child = -1;
    int status = -1;
};

// Output of a shell command line.
std::string shellOutput(const std::string& command);

// The id of the first window with exactly this title, waiting up to seconds; "" if none.
std::string findWindow(const std::string& title, double seconds = 10);

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // row 0 is the top row
    bool valid() const;  // a whole capture was read
    // A pixel; outside the image (or of an invalid one) it fails the test and gives -1s.
    void at(int x, int y, int& r, int& g, int& b) const;
};

// A screenshot of one window; not valid() when it could not be taken.
Image captureWindow(const std::string& windowId);
