// The "Sparse File" dialog: the number typed reaches the model as atoi reads it; the
// model writes the sparse data set or refuses the number.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>

#include <string>

#include "dialogs/dialogs.h"
#include "model/mountain.h"
#include "tests/dialogs/report_window_fixture.h"
#include "tests/support/console_capture.h"
#include "tests/support/grid_files.h"
#include "tests/support/layout_facts.h"
#include "tests/support/model_fixture.h"
#include "tests/support/sparse_reference.h"

namespace {

const int ROWS = 20, COLS = 25;
const unsigned SEED = 31;
const std::string REFUSAL = "Creating sparse data file\nERROR: Number of heights must be >= 100-\ntry again\n";

class SparseDialogTest : public ReportWindowTest {
protected:
    void SetUp() override
    {
        ReportWindowTest::SetUp();
        heights = surface(ROWS, COLS, [](int r, int c) { return 500 + 37 * ((r * 7 + c * 13) % 11); });
        setGrid(mt, ROWS, COLS, heights);
    }
    Fl_Window* openDialog()
    {
        sparse(nullptr);
        settle();
        return sparseIn->window();
    }
    // Presses "Make" in dialog with text in that dialog's field; returns standard output.
    std::string make(Fl_Window* dialog, const char* text)
    {
        Fl_Input* field = children<Fl_Input>(dialog).at(0);
        field->value(text);
        RandomSeed random(SEED);
        ConsoleCapture console("1\n");  // for the pause after the local maxima
        labelled<Fl_Button>(dialog, "Make")->do_callback();
        return console.out();
    }
    // What the model writes for n spot heights.
    std::string written(int n)
    {
        return "Creating sparse data file\nPeak heights will be included automatically.\n" +
               sparseBody(ROWS, COLS, sparseReference(ROWS, COLS, heights, n, SEED).values);
    }
    std::vector<float> heights;
};

TEST_F(SparseDialogTest, Layout)
{
    Fl_Window* dialog = openDialog();
    EXPECT_STREQ(dialog->label(), "Sparse File");
    EXPECT_EQ(dialog->w(), 300);
    EXPECT_EQ(dialog->h(), 160);
    ASSERT_EQ(dialog->children(), 4);
    struct Expected {
        const char* label;
        int labelSize;
    } expected[] = {{"Make Sparse Data file ", FL_NORMAL_SIZE},
                    {"Enter number of random \nspot heights", 10},
                    {nullptr, FL_NORMAL_SIZE},
                    {"Make", FL_NORMAL_SIZE}};
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE(i);
        Fl_Widget* w = dialog->child(i);
        if (expected[i].label == nullptr)
            EXPECT_TRUE(emptyLabel(w));
        else
            EXPECT_STREQ(w->label(), expected[i].label);
        EXPECT_EQ(w->labelsize(), expected[i].labelSize);
    }
    EXPECT_TRUE(laidOut(dialog));
    EXPECT_NE(dynamic_cast<Fl_Box*>(dialog->child(0)), nullptr);
    EXPECT_NE(dynamic_cast<Fl_Box*>(dialog->child(1)), nullptr);
    EXPECT_EQ(dialog->child(2), sparseIn);
    EXPECT_STREQ(sparseIn->value(), "");
    EXPECT_EQ(dialog->child(3)->callback(), fileSparse);
}

TEST_F(SparseDialogTest, NumbersReachTheModelAsAtoiReadsThem)
{
    struct Case {
        const char* text;
        int n;  // 0: refused
    } cases[] = {{"150", 150}, {"250abc", 250}, {"  +120", 120}, {"99", 0}, {"0", 0},
                 {"abc", 0},   {"", 0},         {"-150", 0},     {"-99999999999999999999", 0}};
    Fl_Window* dialog = openDialog();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string out = make(dialog, c.text);
        EXPECT_EQ(out, c.n == 0 ? REFUSAL : written(c.n));
        EXPECT_TRUE(dialog->shown());
    }
    EXPECT_EQ(mt.grid[3][4], heights[3 * COLS + 4]);  // the DEM stays as it was
}

TEST_F(SparseDialogTest, MakeWithoutADemSaysSo)
{
    resetModel();
    EXPECT_EQ(make(openDialog(), "150"), "Creating sparse data file\nNo DEM loaded: no sparse data file made\n");
}

TEST_F(SparseDialogTest, MakeReadsTheFieldOfItsOwnDialog)
{
    Fl_Window* older = openDialog();
    Fl_Window* newer = openDialog();
    ASSERT_NE(older, newer);
    EXPECT_EQ(sparseIn->window(), newer);
    children<Fl_Input>(newer).at(0)->value("50");
    EXPECT_EQ(make(older, "150"), written(150));
    EXPECT_EQ(make(newer, "120"), written(120));
}

}  // namespace
