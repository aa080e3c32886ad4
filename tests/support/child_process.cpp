#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string tempFile(const char* stem)
{
    std::string pattern = std::string("/tmp/karvo-") + stem + "-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd >= 0)
        close(fd);
    return pattern;
}

// Child side: stdin from the input file, stdout and stderr into files.
void redirect(const std::string& in, const std::string& out, const std::string& err)
{
    const int fin = open(in.c_str(), O_RDONLY);
    const int fout = open(out.c_str(), O_WRONLY | O_TRUNC);
    const int ferr = open(err.c_str(), O_WRONLY | O_TRUNC);
    dup2(fin, 0);
    dup2(fout, 1);
    dup2(ferr, 2);
    close(fin);
    close(fout);
    close(ferr);
}

ChildResult collect(pid_t pid, const std::string& in, const std::string& out, const std::string& err)
{
    ChildResult result;
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    result.exited = WIFEXITED(wstatus);
    result.status = result.exited ? WEXITSTATUS(wstatus) : -1;
    result.out = slurp(out);
    result.err = slurp(err);
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::remove(err.c_str());
    return result;
}

ChildResult spawn(const std::function<void()>& childBody, const std::string& input)
{
    const std::string in = tempFile("in"), out = tempFile("out"), err = tempFile("err");
    std::ofstream(in, std::ios::binary) << input;
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        dieWithParent(parent);
        redirect(in, out, err);
        childBody();
        _exit(127);
    }
    return collect(pid, in, out, err);
}

}  // namespace

ChildResult runInChild(const std::function<void()>& body, const std::string& input)
{
    return spawn(
        [&] {
            std::cin.clear();
            body();
            std::cout.flush();
            std::cerr.flush();
            std::fflush(nullptr);
            _exit(0);
        },
        input);
}

ChildResult runProgram(const std::vector<std::string>& argv, const std::string& input)
{
    return spawn([&] { execArgs(argv); }, input);
}

void dieWithParent(pid_t parent)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have gone between fork() and prctl().
    if (getppid() != parent)
        _exit(127);
}

void execArgs(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
}
