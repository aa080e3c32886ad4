#include "tests/support/screen.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

RunningProgram::RunningProgram(const std::vector<std::string>& argv, const std::string& stdoutFile)
{
    child = fork();
    if (child == 0) {
        const int out = open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
}

RunningProgram::~RunningProgram()
{
    if (running()) {
        kill(child, SIGTERM);
        waitpid(child, &status, 0);
    }
}

bool RunningProgram::running()
{
    if (child <= 0 || status != -1)
        return false;
    int s = 0;
    if (waitpid(child, &s, WNOHANG) == child) {
        status = WIFEXITED(s) ? WEXITSTATUS(s) : 128;
        return false;
    }
    return true;
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

void Image::at(int x, int y, int& r, int& g, int& b) const
{
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
    if (magic != "P6" || maxval != 255) {
        image.width = image.height = 0;
    } else {
        image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
        in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    }
    std::remove(name);
    std::remove(path.c_str());
    return image;
}
