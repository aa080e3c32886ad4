#include "tests/support/dialog_fixture.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "tests/support/console_capture.h"
#include "tests/support/grid_files.h"

void DialogTest::SetUp()
{
    MainWindowTest::SetUp();
    resetDialogs();
}

void DialogTest::TearDown()
{
    resetDialogs();
    MainWindowTest::TearDown();
}

std::string DialogTest::grid(const std::string& name, int rows, int cols, float base)
{
    const std::string path = dir.file(name);
    writeGridValues(path, rows, cols, plane(rows, cols, base, 2, 1));
    return path;
}

std::string DialogTest::sparseGrid(const std::string& name, int rows, int cols, float base)
{
    std::vector<float> values(static_cast<std::size_t>(rows) * cols, 0);
    for (int c = 0; c < cols; c += 3)
        values[c] = base + 10 * c;
    const std::string path = dir.file(name);
    writeGridValues(path, rows, cols, values);
    return path;
}

Fl_Widget* DialogTest::child(Fl_Window* window, const char* label, int nth)
{
    for (int i = 0; i < window->children(); i++) {
        Fl_Widget* w = window->child(i);
        if (w->label() != nullptr && std::string(w->label()) == label && nth-- == 0)
            return w;
    }
    return nullptr;
}

std::string DialogTest::press(const char* label, int nth)
{
    Fl_Widget* button = child(openwin, label, nth);
    EXPECT_NE(button, nullptr) << label;
    if (button == nullptr)
        return "";
    ConsoleCapture console;
    button->do_callback();
    settle();
    return console.out();
}

void DialogTest::click(Fl_Check_Button* box)
{
    box->value(box->value() ? 0 : 1);
    box->do_callback();
}

std::string DialogTest::shownError()
{
    if (errorWin == nullptr || !errorWin->shown())
        return "";
    for (int i = 0; i < errorWin->children(); i++)
        if (dynamic_cast<Fl_Box*>(errorWin->child(i)) != nullptr)
            return errorWin->child(i)->label() != nullptr ? errorWin->child(i)->label() : "";
    return "";
}

bool DialogTest::dialogShown() { return openwin != nullptr && openwin->shown(); }

std::string DialogTest::shortGrid(const std::string& name)
{
    const std::string path = dir.file(name);
    writeText(path, "ncols 8\nnrows 6\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2 3\n");
    return path;
}

std::string DialogTest::openOne(const std::string& dem)
{
    file(nullptr);
    finput->value(dem.c_str());
    return press("Open");
}

std::string DialogTest::openTwo(const std::string& dem, const std::string& comparison, Fl_Check_Button** type,
                                int interval)
{
    files(nullptr);
    finput->value(dem.c_str());
    finput2->value(comparison.c_str());
    if (type != nullptr)
        click(*type);
    continput->value(interval);
    return press("Open");
}

std::string DialogTest::addComparison(const std::string& comparison, Fl_Check_Button** type, int interval)
{
    addChange(nullptr);
    ainput->value(comparison.c_str());
    if (type != nullptr)
        click(*type);
    continput->value(interval);
    return press("Open");
}
