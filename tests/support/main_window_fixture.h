#pragma once
// The real main window, built in-process as the entry builds it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

class Fl_Window;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the main window with these command-line arguments after the program name.
    void build(const std::vector<std::string>& args = {});
    // Runs the event loop until the toolkit has nothing left to do for a moment.
    static void settle();
    // Top-level windows currently shown whose title is title.
    static std::vector<Fl_Window*> shownWindows(const std::string& title);

    int argc = 0;
    std::vector<std::string> argStorage;
    std::vector<char*> argv;
};
