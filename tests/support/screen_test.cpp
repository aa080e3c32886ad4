// The harness that starts the real program must not let a crashing test stall the run.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

#include "tests/support/screen.h"

namespace {

// Gone, or a zombie waiting for init: either way it no longer runs.
bool ended(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string id, name, state;
    return !(stat >> id >> name >> state) || state == "Z";
}

TEST(RunningProgram, EndsWithACrashedTestAndHoldsNoneOfItsOutput)
{
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t test = fork();
    if (test == 0) {
        // A test whose standard output and error are ctest's pipe crashes while its
        // program runs: no destructor is run.
        dup2(pipeFds[1], 1);
        dup2(pipeFds[1], 2);
        close(pipeFds[0]);
        RunningProgram sleeper({"/bin/sleep", "60"});
        const std::string pid = std::to_string(sleeper.pid()) + "\n";
        (void)!write(1, pid.data(), pid.size());
        raise(SIGKILL);
    }
    close(pipeFds[1]);
    std::string out;
    char buffer[64];
    pollfd readable{pipeFds[0], POLLIN, 0};
    ssize_t n = 1;
    // The pipe reaches its end once the test is gone, unless the program still holds it.
    while (n > 0 && poll(&readable, 1, 10000) == 1)
        if ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
            out.append(buffer, n);
    close(pipeFds[0]);
    EXPECT_EQ(n, 0) << "the started program keeps the test's output open";
    ASSERT_NE(out, "");
    const pid_t sleeper = std::stoi(out);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!ended(sleeper) && std::chrono::steady_clock::now() < end)
        usleep(20000);
    EXPECT_TRUE(ended(sleeper));
    waitpid(test, nullptr, 0);
}

}  // namespace
