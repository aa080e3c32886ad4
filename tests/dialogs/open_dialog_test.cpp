// "DEM File" and "DEM and Comparison File": layout, the Open callback's checks in both
// modes, and what reaches the model and the main window.

// gtest first: the X headers that fl_draw.H brings define None.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "analysis/difference.h"
#include "analysis/slope.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "analysis/loader.h"
#include "model/error.h"
#include "model/mountain.h"
#include "shell/shell_state.h"
#include "shell/toggles.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/grid_files.h"
#include "view/my_window.h"
#include "view/view_state.h"

namespace {

namespace menu = karvo::menu;

struct Expected {
    const char* kind;  // input, counter, button, check, caption
    const char* text;  // label, or the caption's text
    int x, y, w, h;
};

::testing::AssertionResult matches(Fl_Widget* w, const Expected& e)
{
    const std::string kind = e.kind;
    bool kindOk = false;
    std::string text = w->label() != nullptr ? w->label() : "";
    if (kind == "input")
        kindOk = dynamic_cast<Fl_Input*>(w) != nullptr && w->align() == FL_ALIGN_TOP;
    else if (kind == "counter")
        kindOk = dynamic_cast<Fl_Counter*>(w) != nullptr && w->align() == FL_ALIGN_LEFT && w->box() == FL_PLASTIC_UP_BOX;
    else if (kind == "button")
        kindOk = dynamic_cast<Fl_Button*>(w) != nullptr && w->box() == FL_PLASTIC_UP_BOX;
    else if (kind == "check")
        kindOk = dynamic_cast<Fl_Check_Button*>(w) != nullptr;
    else if (Fl_Output* o = dynamic_cast<Fl_Output*>(w)) {
        kindOk = o->box() == FL_FLAT_BOX && o->color() == FL_GRAY && o->labelsize() == 10;
        text = o->value();
    }
    if (kindOk && text == e.text && w->x() == e.x && w->y() == e.y && w->w() == e.w && w->h() == e.h)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "wanted " << e.kind << " \"" << e.text << "\" at " << e.x << "," << e.y
                                         << " " << e.w << "x" << e.h << "; got \"" << text << "\" at " << w->x() << ","
                                         << w->y() << " " << w->w() << "x" << w->h() << (kindOk ? "" : ", wrong kind");
}

struct Layout {
    const char* name;
    void (*build)(Fl_Widget*, void*);
    int width, height;
    bool plastic;
    std::vector<Expected> widgets;  // in creation order
};

TEST_F(DialogTest, LayoutsOfTheThreeDialogs)
{
    build();
    const Layout layouts[] = {
        {"DEM File", file, 300, 250, true,
         {{"input", "DEM:", 10, 25, 200, 20},
          {"counter", "Treeline: ", 75, 105, 120, 20},
          {"counter", "Vegetation Slope: ", 125, 150, 120, 20},
          {"counter", "Vertical Exageration :", 150, 60, 60, 20},
          {"button", "Search...", 216, 20, 60, 20},
          {"button", "Open", 70, 190, 50, 20},
          {"button", "Cancel", 135, 190, 50, 20}}},
        {"DEM and Comparison File", files, 350, 300, true,
         {{"input", "DEM:", 10, 30, 180, 20},
          {"input", "Comparison File:", 10, 75, 180, 20},
          {"counter", "Vertical Exageration :", 150, 110, 50, 20},
          {"counter", "Treeline: ", 75, 135, 120, 20},
          {"counter", "Vegetation Slope: ", 125, 175, 120, 20},
          {"check", "", 5, 245, 13, 13},
          {"caption", "DEM File", 25, 245, 60, 13},
          {"check", "", 5, 225, 13, 13},
          {"caption", "Sparse File", 25, 225, 80, 13},
          {"check", "", 5, 205, 13, 13},
          {"caption", "Contour File", 25, 205, 80, 13},
          {"counter", "Contour Interval :", 230, 225, 70, 20},
          {"button", "Search...", 205, 30, 60, 20},
          {"button", "Search...", 205, 75, 60, 20},
          {"button", "Open", 100, 265, 50, 20},
          {"button", "Cancel", 160, 265, 50, 20}}},
        {"Add/Change Comparison File...", addChange, 300, 200, false,
         {{"input", "Comparison file:", 0, 20, 170, 20},
          {"check", "", 5, 105, 13, 13},
          {"caption", "DEM File", 25, 105, 60, 13},
          {"check", "", 5, 85, 13, 13},
          {"caption", "Sparse File", 25, 85, 80, 13},
          {"check", "", 5, 65, 13, 13},
          {"caption", "Contour File", 25, 65, 80, 13},
          {"counter", "Contour Interval :", 230, 85, 70, 20},
          {"button", "Open", 75, 130, 50, 20},
          {"button", "Cancel", 150, 130, 50, 20},
          {"button", "Search...", 185, 20, 60, 20}}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        layout.build(nullptr, nullptr);
        settle();
        ASSERT_NE(openwin, nullptr);
        EXPECT_TRUE(openwin->shown());
        EXPECT_STREQ(openwin->label(), "Open File");
        EXPECT_EQ(openwin->w(), layout.width);
        EXPECT_EQ(openwin->h(), layout.height);
        EXPECT_EQ(openwin->box() == FL_PLASTIC_UP_BOX, layout.plastic);
        ASSERT_EQ(openwin->children(), static_cast<int>(layout.widgets.size()));
        for (int i = 0; i < openwin->children(); i++)
            EXPECT_TRUE(matches(openwin->child(i), layout.widgets[i])) << "child " << i;
    }
}

TEST_F(DialogTest, CaptionsFitInsideTheirDialogs)
{
    build();
    for (auto dialog : {file, files, addChange}) {
        dialog(nullptr, nullptr);
        for (int i = 0; i < openwin->children(); i++) {
            Fl_Widget* w = openwin->child(i);
            if (auto* caption = dynamic_cast<Fl_Output*>(w)) {
                SCOPED_TRACE(caption->value());
                fl_font(caption->textfont(), caption->textsize());
                EXPECT_LE(fl_width(caption->value()), caption->w());
                EXPECT_LE(fl_height(), caption->h());
            } else if (w->align() == FL_ALIGN_LEFT) {
                SCOPED_TRACE(w->label());
                fl_font(w->labelfont(), w->labelsize());
                EXPECT_LE(fl_width(w->label()), w->x());  // drawn between the window's edge and the widget
            }
        }
    }
}

TEST_F(DialogTest, DialogsSetTheModeWhenBuiltAndAddChangeWaitsForOne)
{
    build();
    addChange(nullptr);
    EXPECT_EQ(openwin, nullptr);
    EXPECT_TRUE(shownWindows("Open File").empty());
    EXPECT_EQ(FILE_CONST, 0);

    files(nullptr);
    EXPECT_EQ(FILE_CONST, 2);
    press("Cancel");
    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(FILE_CONST, 2);  // a cancelled dialog keeps its mode

    file(nullptr);
    EXPECT_EQ(FILE_CONST, 1);
    Fl_Window* first = openwin;
    addChange(nullptr);
    EXPECT_NE(openwin, first);
    EXPECT_EQ(FILE_CONST, 1);
    press("Cancel");
    EXPECT_TRUE(shownWindows("Open File").empty());
}

TEST_F(DialogTest, EveryDialogIsATopLevelWindowAndOnlyTheNewestIsShown)
{
    build();
    FILE_CONST = 1;
    win->begin();  // a window being built is the current group
    for (auto build : {file, files, addChange}) {
        Fl_Window* before = openwin;
        build(nullptr, nullptr);
        settle();
        EXPECT_EQ(openwin->parent(), nullptr);
        EXPECT_EQ(shownWindows("Open File").size(), 1u);
        if (before != nullptr) {
            EXPECT_FALSE(before->shown());
        }
        win->begin();
    }
    errorMessage(DEM_ERR);
    EXPECT_EQ(errorWin->parent(), nullptr);
    win->end();
}

TEST_F(DialogTest, OneFileOpenOutcomes)
{
    build();
    const std::string good = grid("dem.grd", 6, 8);
    std::filesystem::create_directory(dir.file("folder.grd"));
    mkfifo(dir.file("pipe.grd").c_str(), 0600);  // opening it to look would wait for a writer
    struct Row {
        const char* name;
        std::string field;
        std::string error;  // "" when the DEM loads
    } rows[] = {
        {"empty field", "", "Missing filename/s."},
        {"missing file", missing(), "Invalid DEM file."},
        {"a directory", dir.file("folder.grd"), "Invalid DEM file."},
        {"a FIFO", dir.file("pipe.grd"), "Invalid DEM file."},
        {"readable DEM", good, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        file(nullptr);
        finput->value(r.field.c_str());
        deactivateTools();
        file2Label->value("old");
        const std::string console = press("Open");
        EXPECT_EQ(shownError(), r.error);
        EXPECT_EQ(dialogShown(), !r.error.empty());
        // Names and tools are refreshed before any check.
        EXPECT_EQ(file1Label->value(), r.field);
        EXPECT_STREQ(file2Label->value(), "");
        EXPECT_TRUE(menuEntry(menu::TRI).active());
        EXPECT_EQ(filename2, nullptr);
        EXPECT_EQ(console.find("Reading DEM data") != std::string::npos, r.error.empty());
        if (errorWin != nullptr)
            errorWin->hide();
    }
    EXPECT_EQ(mt.getRows(), 6);
    EXPECT_EQ(mt.getCols(), 8);
    EXPECT_EQ(FILES, 1);
    EXPECT_EQ(rd.getContourInt(), 0);
}

TEST_F(DialogTest, OneFileOpenFillsTheStripAndFocusesTheView)
{
    build();
    const std::string dem = dir.file("dem.grd");
    writeText(dem, "ncols 4\nnrows 3\nxllcorner 612000\nyllcorner 5143000\ncellsize 25\n"
                   "1 2 3 4\n2 3 4 5\n3 4 5 6\n");
    file(nullptr);
    finput->value(dem.c_str());
    vinput->value(4);
    press("Open");
    EXPECT_EQ(shownError(), "");
    EXPECT_EQ(vdisplay->value(), 4);
    EXPECT_EQ(mt.exageration, 4);
    EXPECT_EQ(xcornerLabel->value(), 612000);
    EXPECT_EQ(ycornerLabel->value(), 5143000);
    EXPECT_EQ(cellsizeLabel->value(), 25);
    EXPECT_FALSE(groundCellLabel->visible());
    EXPECT_EQ(Fl::focus(), gl);
}

TEST_F(DialogTest, ADemInDegreesShowsItsCellsLengthsOnTheGround)
{
    build();
    const std::string dem = dir.file("dem.grd");  // centred on 60 degrees north
    writeText(dem, "ncols 4\nnrows 3\nxllcorner 10\nyllcorner 59.985\ncellsize 0.01\n1 2 3 4\n2 3 4 5\n3 4 5 6\n");
    openOne(dem);
    for (bool degrees : {true, false}) {
        menubar->picked(&menuEntry(menu::DEGREES));
        EXPECT_EQ(groundCellLabel->visible() != 0, degrees);
        EXPECT_STREQ(groundCellLabel->label(), "E-W 556.6 m\nN-S 1113 m");
    }
}

TEST_F(DialogTest, TwoFileErrorTable)
{
    build();
    const std::string dem = grid("dem.grd", 5, 5), comparison = sparseGrid("spots.grd", 5, 5);
    struct Row {
        const char* name;
        std::string dem, comparison;
        bool typed;
        const char* error;
    } rows[] = {
        {"both missing", missing(), missing(), true, "Invalid DEM and comparison files."},
        {"DEM missing", missing(), comparison, true, "Invalid DEM file."},
        {"comparison missing", dem, missing(), true, "Invalid comparison file."},
        {"no type chosen", dem, comparison, false, "You must select a comparison filetype."},
        {"no comparison name", dem, "", true, "Missing filename/s."},
        {"no DEM name", "", comparison, true, "Missing filename/s."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fileType = 0;
        const std::string console = openTwo(r.dem, r.comparison, r.typed ? &demCheck : nullptr);
        EXPECT_EQ(shownError(), r.error);
        EXPECT_TRUE(dialogShown());
        EXPECT_EQ(console, "");
        EXPECT_EQ(file1Label->value(), r.dem);
        EXPECT_EQ(file2Label->value(), r.comparison);
        EXPECT_TRUE(menuEntry(menu::LERR).active());  // refreshed with FILE_CONST 2 before the checks
        press("Cancel");
    }
    EXPECT_EQ(mt.grid, nullptr);
}

TEST_F(DialogTest, TwoFileOpenPassesTypeAndInterval)
{
    build();
    const std::string dem = grid("dem.grd", 6, 6);
    // Contour heights 100, 130, 160 …: the interval is inferred as 30 whatever the counter says.
    struct Row {
        const char* name;
        Fl_Check_Button** box;
        int expectedInterval;
    } rows[] = {{"second DEM", &demCheck, 35}, {"sparse file", &rawCheck, 35}, {"contour file", &contCheck, 30}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        openTwo(dem, sparseGrid("comparison.grd", 6, 6), r.box, 35);
        EXPECT_EQ(shownError(), "");
        EXPECT_FALSE(dialogShown());
        EXPECT_EQ(rd.getContourInt(), r.expectedInterval);
        EXPECT_EQ(FILES, 2);
        EXPECT_TRUE(multFiles);
        EXPECT_GT(dArrayCount, 0);
        EXPECT_EQ(fileType, 0);
    }
}

TEST_F(DialogTest, TypeIsForgottenAfterALoadAndKeptAfterARefusedPair)
{
    build();
    const std::string dem = grid("dem.grd", 5, 5);
    openTwo(dem, sparseGrid("spots.grd", 5, 5), &rawCheck);
    ASSERT_EQ(shownError(), "");
    openTwo(dem, sparseGrid("spots.grd", 5, 5), nullptr);
    EXPECT_EQ(shownError(), "You must select a comparison filetype.");
    press("Cancel");

    openTwo(dem, sparseGrid("other.grd", 4, 5), &rawCheck);
    EXPECT_EQ(shownError(), "Files do not match");
    EXPECT_TRUE(dialogShown());
    EXPECT_EQ(fileType, SPARSEF);
    click(rawCheck);  // no box checked now: the refused attempt's type is used again
    errorWin->hide();
    press("Open");
    EXPECT_EQ(shownError(), "Files do not match");
    EXPECT_EQ(fileType, SPARSEF);
    EXPECT_EQ(rd.getRows(), 5);  // the pair loaded before stays
    EXPECT_TRUE(multFiles);

    // A DEM alone chooses no comparison type.
    openOne(dem);
    EXPECT_EQ(fileType, 0);
    openTwo(dem, sparseGrid("spots.grd", 5, 5), nullptr);
    EXPECT_EQ(shownError(), "You must select a comparison filetype.");
}

TEST_F(DialogTest, AFileTheReaderRefusesKeepsTheDataSetShown)
{
    build();
    const std::string dem = grid("dem.grd", 6, 8);
    openOne(dem);
    ASSERT_EQ(shownError(), "");
    float** const heights = mt.grid;
    const std::string refused = shortGrid("short.grd");
    struct Attempt {
        bool twoFiles;
        std::string dem, comparison;
        const char* error;
    } attempts[] = {{false, refused, "", "Invalid DEM file."},
                    {true, refused, sparseGrid("spots.grd", 6, 8), "Invalid DEM file."},
                    {true, dem, refused, "Invalid comparison file."}};
    for (const Attempt& a : attempts) {
        SCOPED_TRACE(a.error);
        if (errorWin != nullptr)
            errorWin->hide();
        const std::string console = a.twoFiles ? openTwo(a.dem, a.comparison, &demCheck) : openOne(a.dem);
        EXPECT_EQ(shownError(), a.error);
        EXPECT_TRUE(dialogShown());
        EXPECT_NE(console.find("ERROR: file \"" + refused + "\""), std::string::npos);
        EXPECT_EQ(mt.grid, heights);
        EXPECT_FALSE(multFiles);
        EXPECT_EQ(file1Label->value(), dem);
        EXPECT_STREQ(file2Label->value(), "");
        EXPECT_EQ(FILES, 1);
    }
}

TEST_F(DialogTest, CommandLinePathIsUsedByTheFirstOpenOnly)
{
    const std::string dem = grid("dem.grd", 7, 9);
    build({dem});
    ASSERT_EQ(initFiles, 2);
    // An empty DEM field does not count as missing while the command line's path waits.
    const std::string console = openTwo("", sparseGrid("spots.grd", 7, 9), &rawCheck);
    EXPECT_EQ(shownError(), "");
    EXPECT_NE(console.find("Reading DEM data, 7 rows and 9 columns..."), std::string::npos);
    EXPECT_EQ(file1Label->value(), dem);
    EXPECT_EQ(initFiles, 0);

    openOne(missing());
    EXPECT_EQ(shownError(), "Invalid DEM file.");
    EXPECT_EQ(file1Label->value(), missing());
}

TEST_F(DialogTest, TypeBoxesAreExclusiveAndSwitchTheIntervalCounter)
{
    build();
    FILE_CONST = 1;
    struct Step {
        Fl_Check_Button** box;
        const char* checked;  // d, r, c or "" for none
        bool counterActive;
    } steps[] = {
        {&rawCheck, "r", true},  {&demCheck, "d", false}, {&contCheck, "c", false}, {&rawCheck, "r", true},
        {&rawCheck, "", true},   {&contCheck, "c", false}, {&contCheck, "", false}, {&demCheck, "d", false},
        {&demCheck, "", false},
    };
    for (auto build : {files, addChange}) {
        build(nullptr, nullptr);
        EXPECT_TRUE(continput->active());
        int n = 0;
        for (const Step& s : steps) {
            SCOPED_TRACE(std::string(build == files ? "two files" : "add/change") + ", step " + std::to_string(n++));
            click(*s.box);
            std::string checked;
            if (demCheck->value())
                checked += "d";
            if (rawCheck->value())
                checked += "r";
            if (contCheck->value())
                checked += "c";
            EXPECT_EQ(checked, s.checked);
            EXPECT_EQ(continput->active() != 0, s.counterActive);
        }
    }
}

TEST_F(DialogTest, ExaggerationCountersApplyTheMainWindowsValue)
{
    build();
    const std::string dem = grid("dem.grd", 5, 5);
    openTwo(dem, sparseGrid("spots.grd", 5, 5), &rawCheck);
    ASSERT_EQ(mt.exageration, 1);
    files(nullptr);
    vdisplay->value(3);
    vinput->value(7);
    vinput->do_callback();
    EXPECT_EQ(mt.exageration, 3);
    EXPECT_GT(dArrayCount, 0);  // two files: the difference pass ran again
    EXPECT_EQ(Fl::focus(), gl);

    dArrayCount = 0;
    vdisplay->value(2);
    vdisplay->do_callback();
    EXPECT_EQ(mt.exageration, 2);
    EXPECT_GT(dArrayCount, 0);
}

TEST_F(DialogTest, OpenPassesTreelineSlopeAndExaggerationInBothModes)
{
    build();
    const std::string dem = grid("dem.grd", 5, 6);
    for (auto build : {file, files}) {
        SCOPED_TRACE(build == file ? "DEM File" : "two files");
        build(nullptr, nullptr);
        finput->value(dem.c_str());
        if (build == files) {
            finput2->value(sparseGrid("spots.grd", 5, 6).c_str());
            click(rawCheck);
        }
        tinput->value(2599.9);  // counter values are truncated toward zero
        sinput->value(35.7);
        vinput->value(3.9);
        press("Open");
        EXPECT_EQ(TREELINE, 2599);
        EXPECT_EQ(SLOPE, 35);
        EXPECT_EQ(mt.exageration, 3);
        EXPECT_TRUE(OPEN);
        EXPECT_EQ(FILES, build == file ? 1 : 2);
        EXPECT_EQ(mt.getRows(), 5);
    }
}

}  // namespace
