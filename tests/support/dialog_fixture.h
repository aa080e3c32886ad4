#pragma once
// The real main window with the open dialogs driven through their real widgets.

#include <string>
#include <vector>

#include "tests/support/main_window_fixture.h"
#include "tests/support/temp_dir.h"

class Fl_Check_Button;
class Fl_Widget;
class Fl_Window;

class DialogTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A grid file of rows × cols in the test's directory, heights rising along rows and
    // columns from base.
    std::string grid(const std::string& name, int rows, int cols, float base = 100);
    // A comparison file carrying data only on every third cell of the first row.
    std::string sparseGrid(const std::string& name, int rows, int cols, float base = 100);
    // A grid file that opens but that the reader refuses: it ends before its heights.
    std::string shortGrid(const std::string& name);
    std::string missing() const { return dir.file("missing.grd"); }

    // The nth child of window (in creation order) labelled label.
    static Fl_Widget* child(Fl_Window* window, const char* label, int nth = 0);
    // Clicks the newest dialog's button labelled label; returns what the model printed.
    std::string press(const char* label, int nth = 0);
    // As the toolkit does before the callback: the box flips first.
    static void click(Fl_Check_Button* box);
    // The message of the error window while one is shown, otherwise "".
    static std::string shownError();
    static bool dialogShown();

    // "DEM File" with dem in its field, then Open.
    std::string openOne(const std::string& dem);
    // "DEM and Comparison File" with both names, the type box (or none) and interval.
    std::string openTwo(const std::string& dem, const std::string& comparison, Fl_Check_Button** type,
                        int interval = 20);
    // "Add/Change Comparison File..." with the name, the type box (or none) and interval.
    std::string addComparison(const std::string& comparison, Fl_Check_Button** type, int interval = 20);

    TempDir dir;
};
