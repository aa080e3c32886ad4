#pragma once
// Runs code that may end the process (the model's reading failures do, by design) in a
// forked child and reports how it ended and what it printed.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

struct ChildResult {
    bool exited = false;  // ended through exit(), not a signal
    int status = -1;      // exit status as the shell sees it (exit(-1) gives 255)
    std::string out;      // standard output
    std::string err;      // standard error
};

// The child runs body and then exits with status 0.
ChildResult runInChild(const std::function<void()>& body, const std::string& input = "");

// Runs a program with arguments (argv[0] is the program path).
ChildResult runProgram(const std::vector<std::string>& argv, const std::string& input = "");

// In a freshly forked child: gets SIGKILL when the test process ends, however it ends, so
// that a crashing test leaves nothing behind.
void dieWithParent(pid_t parent);
// In a forked child: replaces it with argv (argv[0] is the program path); returns only
// when that fails.
void execArgs(const std::vector<std::string>& argv);
