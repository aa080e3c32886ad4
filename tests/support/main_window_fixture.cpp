#include "tests/support/main_window_fixture.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <cstring>

#include "analysis/analysis.h"
#include "dialogs/dialogs.h"
#include "model/mountain.h"
#include "shell/main_window.h"
#include "shell/shell_state.h"
#include "view/view_state.h"

void MainWindowTest::SetUp()
{
    resetModel();
    resetAnalysis();
    resetView();
    resetShell();
}

void MainWindowTest::TearDown()
{
    while (Fl::first_window() != nullptr)
        Fl::first_window()->hide();
    resetShell();
    resetView();
    resetModel();
    resetAnalysis();
    Fl::wait(0);
}

void MainWindowTest::build(const std::vector<std::string>& args)
{
    argStorage = {"karvo"};
    argStorage.insert(argStorage.end(), args.begin(), args.end());
    argv.clear();
    for (std::string& a : argStorage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    argc = static_cast<int>(argStorage.size());
    buildMainWindow(argc, argv.data(), dialogActions());
    settle();
}

void MainWindowTest::settle()
{
    for (int i = 0; i < 5; i++)
        Fl::wait(0.02);
}

std::vector<Fl_Window*> MainWindowTest::shownWindows(const std::string& title)
{
    std::vector<Fl_Window*> found;
    for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w))
        if (w->label() != nullptr && title == w->label())
            found.push_back(w);
    return found;
}
