// "Add/Change Comparison File...": a comparison set beside the DEM that is shown.

#include <FL/Fl.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Window.H>

#include <string>

#include "analysis/difference.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "analysis/loader.h"
#include "model/error.h"
#include "model/mountain.h"
#include "shell/shell_state.h"
#include "tests/support/dialog_fixture.h"
#include "view/my_window.h"

namespace {

namespace menu = karvo::menu;

class AddChangeTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        build();
        dem = grid("dem.grd", 6, 6);
        openOne(dem);
        ASSERT_EQ(shownError(), "");
        ASSERT_EQ(FILE_CONST, 1);
    }
    bool comparisonToolsActive()
    {
        return menuEntry(menu::LERR).active() && menuEntry(menu::GRAPH).active() && lerr->active();
    }
    std::string dem;
};

TEST_F(AddChangeTest, ComparisonLoadsWithItsTypeAndInterval)
{
    // Contour heights 100, 130, 160 …: a contour file's interval is inferred, 30.
    struct Row {
        const char* name;
        Fl_Check_Button** box;
        int expectedType, expectedInterval;
    } rows[] = {{"second DEM", &demCheck, DEM, 35}, {"sparse file", &rawCheck, SPARSEF, 35},
                {"contour file", &contCheck, CONTF, 30}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string path = sparseGrid(std::string(r.name) + ".grd", 6, 6);
        const std::string console = addComparison(path, r.box, 35);
        EXPECT_EQ(shownError(), "");
        EXPECT_FALSE(dialogShown());
        EXPECT_NE(console.find("Reading sparse data, 6 rows and 6 columns..."), std::string::npos);
        EXPECT_EQ(file2Label->value(), path);
        EXPECT_EQ(fileType, r.expectedType);
        EXPECT_EQ(rd.getContourInt(), r.expectedInterval);
        EXPECT_EQ(FILE_CONST, 2);
        EXPECT_TRUE(comparisonToolsActive());
        EXPECT_GT(dArrayCount, 0);
        EXPECT_EQ(Fl::focus(), gl);
    }
}

TEST_F(AddChangeTest, NoTypeBoxStillLoadsAndRecordsNoType)
{
    fileType = SPARSEF;
    addComparison(sparseGrid("spots.grd", 6, 6), nullptr);
    EXPECT_EQ(shownError(), "");
    EXPECT_EQ(fileType, 0);
    EXPECT_TRUE(multFiles);
    EXPECT_TRUE(comparisonToolsActive());
}

TEST_F(AddChangeTest, UnusableNamesLeaveTheDialogOpen)
{
    struct Row {
        const char* name;
        std::string path;
        const char* label;  // file2Label afterwards
    } rows[] = {{"empty", "", "old"}, {"missing", missing(), nullptr}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        file2Label->value("old");
        const std::string console = addComparison(r.path, &rawCheck);
        EXPECT_EQ(shownError(), "Invalid comparison file.");
        EXPECT_TRUE(dialogShown());
        EXPECT_EQ(console, "");
        EXPECT_EQ(file2Label->value(), std::string(r.label != nullptr ? r.label : r.path));
        EXPECT_EQ(FILE_CONST, 1);
        EXPECT_FALSE(comparisonToolsActive());
        press("Cancel");
    }
}

TEST_F(AddChangeTest, GridOfAnotherSizeIsRefusedAndTheSetShownStays)
{
    addComparison(sparseGrid("other.grd", 5, 6), &rawCheck);
    EXPECT_EQ(shownError(), "Files do not match");
    EXPECT_TRUE(dialogShown());
    EXPECT_EQ(FILE_CONST, 1);
    EXPECT_FALSE(comparisonToolsActive());
    EXPECT_FALSE(multFiles);
    EXPECT_EQ(dArrayCount, 0);
    EXPECT_EQ(mt.getRows(), 6);  // the DEM stays drawn
    EXPECT_EQ(mt.curveLevels.size(), 25u);
    press("Cancel");

    // A refused replacement keeps the comparison set that was loaded, and its name.
    const std::string spots = sparseGrid("spots.grd", 6, 6);
    addComparison(spots, &rawCheck, 30);
    const int differences = dArrayCount, highest = D20;
    ASSERT_GT(differences, 0);
    for (const std::string& refused : {sparseGrid("other.grd", 6, 5), shortGrid("short.grd")}) {
        addComparison(refused, &demCheck, 5);
        EXPECT_NE(shownError(), "");
        EXPECT_EQ(file2Label->value(), spots);
        EXPECT_TRUE(multFiles);
        EXPECT_EQ(rd.getContourInt(), 30);
        EXPECT_EQ(dArrayCount, differences);
        EXPECT_EQ(D20, highest);
        errorWin->hide();
    }
    EXPECT_EQ(shownError(), "");
}

TEST_F(DialogTest, AddChangeWithoutADemAsksForADem)
{
    build();
    file(nullptr);
    press("Cancel");
    addComparison(sparseGrid("spots.grd", 6, 6), &rawCheck);
    EXPECT_EQ(shownError(), "Invalid DEM file.");  // the DEM is what is missing
    EXPECT_TRUE(dialogShown());
    EXPECT_EQ(FILE_CONST, 1);
    EXPECT_EQ(mt.grid, nullptr);
}

}  // namespace
