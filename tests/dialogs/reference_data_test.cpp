// The reference data in the viewer: the comparison set read again when an option it is read
// under changes, checkpoints replaced and cleared and shown in the Statistics window, the
// coregistration window and its undoing, and the entries active only with what they act on.

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Window.H>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/current_reference.h"
#include "analysis/loader.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "model/mountain.h"
#include "shell/shell_state.h"
#include "tests/support/console_capture.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/grid_files.h"
#include "view/view_state.h"

namespace {

namespace menu = karvo::menu;

class ReferenceDataTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        build();
    }
    // A grid file of the header's points, heights f(x, y) at their centres.
    std::string fieldFile(const std::string& name, const GridHeader& h, double (*f)(double, double))
    {
        const std::string path = dir.file(name);
        writeGridFile(path, h, field(h, f));
        return path;
    }
    std::string textFile(const std::string& name, const std::string& text)
    {
        writeText(dir.file(name), text);
        return dir.file(name);
    }
    void pick(int entry)
    {
        menubar->picked(&menuEntry(entry));
        settle();
    }
    static bool active(int entry) { return menuEntry(entry).active() != 0; }
    static bool marked(int entry) { return menuEntry(entry).value() != 0; }
    // The text of the newest window of that title.
    static std::string newestText(const char* title)
    {
        const std::vector<Fl_Window*> shown = shownWindows(title);
        if (shown.empty())
            return "";
        Fl_Multiline_Output* out = dynamic_cast<Fl_Multiline_Output*>(shown.front()->child(0));
        return out != nullptr ? out->value() : "";
    }
    static bool contains(const std::string& text, const std::string& part)
    {
        return text.find(part) != std::string::npos;
    }
};

// A plane, which bilinear resampling and interpolation give exactly.
double slope(double x, double y) { return 100 + 3 * x + y; }

TEST_F(ReferenceDataTest, AlignReadsTheComparisonOfAnotherSizeAgain)
{
    const std::string dem = fieldFile("dem.grd", {6, 8, 0, 0, 1}, slope);
    const std::string fine = fieldFile("fine.grd", {12, 16, 0, 0, 0.5}, slope);  // the same ground
    openTwo(dem, fine, &demCheck);
    EXPECT_EQ(shownError(), "Files do not match");
    EXPECT_TRUE(contains(errorWin->child(1)->label(), "\"Align Comparison to DEM Grid\" in Options"));

    pick(menu::ALIGN);  // no comparison set shown: only the option changes
    EXPECT_TRUE(alignComparisonGrid);
    EXPECT_FALSE(multFiles);
    press("Open");
    ASSERT_EQ(shownError(), "Files do not match");  // the window of the first try
    ASSERT_TRUE(multFiles && rd.nrows == 6 && rd.ncols == 8);
    EXPECT_NEAR(rd.grid[2][3], mt.grid[2][3], 1e-3);  // bilinear

    pick(menu::RESAMPLING_NEAREST);
    EXPECT_GT(std::fabs(rd.grid[2][3] - mt.grid[2][3]), 0.1);  // a fine point a quarter cell off
    const float nearest = rd.grid[2][3];

    // Off, the comparison does not fit: refused, and the option stays as the set was read.
    errorWin->hide();
    pick(menu::ALIGN);
    EXPECT_EQ(shownError(), "Files do not match");
    EXPECT_TRUE(marked(menu::ALIGN) && alignComparisonGrid);
    EXPECT_EQ(rd.grid[2][3], nearest);
}

TEST_F(ReferenceDataTest, MaskingReadsTheComparisonsOwnNodataAgain)
{
    const GridHeader h{6, 8, 0, 0, 1, true, 5000};
    std::vector<float> values = field(h, slope);
    values[2 * 8 + 3] = 5000;  // a void of the reference
    const std::string cmp = dir.file("cmp.grd");
    writeGridFile(cmp, h, values);
    openTwo(fieldFile("dem.grd", {6, 8, 0, 0, 1}, slope), cmp, &demCheck);
    EXPECT_EQ(rd.grid[2][3], 5000);
    pick(menu::MASK_NODATA);
    EXPECT_TRUE(std::isnan(rd.grid[2][3]));
    pick(menu::MASK_NODATA);
    EXPECT_EQ(rd.grid[2][3], 5000);
}

TEST_F(ReferenceDataTest, CheckpointsAreReplacedClearedAndDroppedWithTheirDem)
{
    const std::string dem = fieldFile("dem.grd", {6, 8, 0, 0, 1}, slope);
    EXPECT_FALSE(active(menu::CHECKPOINTS));
    openOne(dem);
    EXPECT_TRUE(active(menu::CHECKPOINTS));
    EXPECT_FALSE(active(menu::CLEAR_CHECKPOINTS) || active(menu::CONT));

    openCheckpoints(textFile("a.csv", "id,x,y,z\na,2.5,3.5,110\nb,4,1,120\n"));
    EXPECT_EQ(loadedCheckpoints.points.size(), 2u);
    EXPECT_TRUE(active(menu::CLEAR_CHECKPOINTS));
    EXPECT_TRUE(active(menu::CONT) && cont->active());  // with a DEM alone it shows them

    ConsoleCapture console;
    openCheckpoints(textFile("b.csv", "x;y;z\n1.5;1.5;120\n2.5;2.5;n/a\n3.5;3.5;125\n5.5;2.5;122\n"));
    EXPECT_EQ(loadedCheckpoints.points.size(), 3u);  // in place of the two
    EXPECT_TRUE(contains(console.err(), "b.csv\", line 3: "));

    const std::string bad = textFile("bad.csv", "x,y,z\n1,2,n/a\n");
    openCheckpoints(bad);
    EXPECT_EQ(shownError(), "Invalid checkpoint file.");
    EXPECT_STREQ(errorWin->child(1)->label(), "holds no usable checkpoint");
    EXPECT_TRUE(contains(console.out(), "ERROR: file \"" + bad + "\": holds no usable checkpoint"));
    EXPECT_EQ(loadedCheckpoints.points.size(), 3u);

    pick(menu::CONT);
    EXPECT_TRUE(drawContours);
    pick(menu::CLEAR_CHECKPOINTS);
    EXPECT_FALSE(checkpointsLoaded() || drawContours || marked(menu::CONT));
    EXPECT_FALSE(active(menu::CONT) || active(menu::CLEAR_CHECKPOINTS));

    openCheckpoints(dir.file("b.csv"));
    openOne(dem);
    EXPECT_FALSE(checkpointsLoaded());
    EXPECT_FALSE(cont->active());
}

TEST_F(ReferenceDataTest, StatisticsWindowEndsWithTheNmasTestAndTheCheckpoints)
{
    const std::string dem = fieldFile("dem.grd", {6, 8, 0, 0, 1}, slope);
    openTwo(dem, dem, &demCheck, 20);
    // On the plane 100 + 3 x + y: 111 at (2.5, 3.5) and 113 at (4, 1), so d is 1 and -3.
    const std::string points = textFile("a.csv", "id,x,y,z\na,2.5,3.5,112\nb,4,1,110\n");
    openCheckpoints(points);
    stats(nullptr);
    settle();
    const std::string text = newestText("Statistics");
    EXPECT_TRUE(contains(text, "\nRMSE: 0.000\nNMAS vertical test (contour interval 20): 0 of 48 points"));
    EXPECT_TRUE(contains(text, "\n\nCheckpoints: " + points + "\nTested: 2\nOutside: 0\nOn nodata: 0\n"
                               "RMSE: 2.236\nMean (bias): -1.000\n"));
    EXPECT_TRUE(contains(text, "0 of 2 checkpoints off by more than 10 (0.0 %): meets"));
}

// Slopes facing every direction, wavelengths of 7 to 15 cells of 10 m.
double hills(double x, double y)
{
    return 500 + 40 * std::sin(x / 120 + 0.3) + 30 * std::cos(y / 90) + 25 * std::sin((x + y) / 150);
}
// The same terrain 0.4 cells east and 0.3 cells south, 1.5 higher.
double hillsMoved(double x, double y) { return hills(x - 4, y + 3) + 1.5; }

TEST_F(ReferenceDataTest, CoregistrationWindowShowsTheShiftAndUndoRestoresTheLevels)
{
    const GridHeader h{80, 80, 0, 0, 10};
    openTwo(fieldFile("dem.grd", h, hills), fieldFile("moved.grd", h, hillsMoved), &demCheck, 20);
    EXPECT_TRUE(active(menu::COREGISTER));
    EXPECT_FALSE(active(menu::UNDO_COREGISTRATION));
    const std::vector<std::uint8_t> asRead(mt.diffLevels.begin(), mt.diffLevels.end());

    pick(menu::COREGISTER);
    const std::string text = newestText("Coregistration");
    ASSERT_TRUE(contains(text, "Coregistration converged\nShift east: ")) << text;
    const double east = std::atof(text.substr(text.find("m (", text.find("Shift east")) + 3).c_str());
    const double north = std::atof(text.substr(text.find("m (", text.find("Shift north")) + 3).c_str());
    EXPECT_NEAR(east, 0.4, 0.05);
    EXPECT_NEAR(north, -0.3, 0.05);
    EXPECT_TRUE(active(menu::UNDO_COREGISTRATION));
    EXPECT_NE(std::vector<std::uint8_t>(mt.diffLevels.begin(), mt.diffLevels.end()), asRead);

    pick(menu::UNDO_COREGISTRATION);
    EXPECT_EQ(std::vector<std::uint8_t>(mt.diffLevels.begin(), mt.diffLevels.end()), asRead);
    EXPECT_FALSE(active(menu::UNDO_COREGISTRATION));

    addComparison(sparseGrid("spots.grd", 80, 80), &rawCheck);  // only a DEM is coregistered
    EXPECT_FALSE(active(menu::COREGISTER));
}

}  // namespace
