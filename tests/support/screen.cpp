#include "tests/support/screen.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/child_process.h"

RunningProgram::RunningProgram(const std::vector<std::string>& argv, const std::string& stdoutFile)
{
    std::fflush(nullptr);
    const pid_t parent = getpid();
    child = fork();
    if (child == 0) {
        dieWithParent(parent);
        setpgid(0, 0);
        // None of the test's own descriptors: ctest waits until the test's output pipes
        // close, and a program holding them would keep it waiting after the test ended.
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open("/dev/null", O_WRONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        closefrom(3);
        execArgs(argv);
        _exit(127);
    }
    // Also here, so that the group exists before the destructor can signal it.
    if (child > 0)
        setpgid(child, child);
}

RunningProgram::~RunningProgram()
{
    if (!running())
        return;
    // The whole group: whatever the program started goes with it.
    kill(-child, SIGTERM);
    if (waitForExit(2) == -1) {
        kill(-child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
}

bool RunningProgram::running()
{
    if (child <= 0 || status != -1)
        return false;
    int s = 0;
    const pid_t ended = waitpid(child, &s, WNOHANG);
    if (ended == 0)
        return true;
    status = ended == child && WIFEXITED(s) ? WEXITSTATUS(s) : 128;
    return false;
}

int RunningProgram::waitForExit(double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (running() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return running() ? -1 : status;
}

std::string shellOutput(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

std::string findWindow(const std::string& title, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        std::istringstream ids(shellOutput("xdotool search --name '^" + title + "$' 2>/dev/null"));
        std::string id;
        if (ids >> id)
            return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < end);
    return "";
}

bool Image::valid() const
{
    return width > 0 && height > 0 && rgb.size() == static_cast<std::size_t>(width) * height * 3;
}

void Image::at(int x, int y, int& r, int& g, int& b) const
{
    if (!valid() || x < 0 || y < 0 || x >= width || y >= height) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is outside the " << width << " x " << height
                      << " capture";
        r = g = b = -1;
        return;
    }
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    r = rgb[i];
    g = rgb[i + 1];
    b = rgb[i + 2];
}

Image captureWindow(const std::string& windowId)
{
    Image image;
    char name[] = "/tmp/karvo-shot-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
        return image;
    close(fd);
    const std::string path = std::string(name) + ".ppm";
    // xwd reads the window without grabbing the server (import does, and a stuck grab
    // blocks every other client of the test run); ImageMagick turns it into a PPM.
    shellOutput("timeout 10 xwd -silent -id " + windowId + " | convert xwd:- -depth 8 ppm:" + path + " 2>/dev/null");
    std::ifstream in(path, std::ios::binary);
    // Header tokens, with comment lines (the window's name) between them.
    auto token = [&in]() {
        std::string t;
        while (in >> t && t[0] == '#')
            std::getline(in, t);
        return t;
    };
    const std::string magic = token();
    image.width = std::atoi(token().c_str());
    image.height = std::atoi(token().c_str());
    const int maxval = std::atoi(token().c_str());
    in.get();
    if (magic == "P6" && maxval == 255 && image.width > 0 && image.height > 0) {
        image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
        if (!in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size())))
            image.rgb.clear();
    }
    std::remove(name);
    std::remove(path.c_str());
    return image;
}
