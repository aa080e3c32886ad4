// The graph window: the three kinds of graph built from the view's data, their axis
// numbers, "Remove Big", and the bar graph's pixels read back.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Value_Output.H>
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "dialogs/dialogs.h"
#include "dialogs/graph_data.h"
#include "dialogs/graphb.h"
#include "model/large_memory.h"
#include "model/mountain.h"
#include "tests/dialogs/report_window_fixture.h"
#include "tests/support/console_capture.h"
#include "tests/support/gl_view.h"
#include "tests/support/grid_files.h"
#include "tests/support/layout_facts.h"
#include "tests/support/model_fixture.h"

namespace {

namespace menu = karvo::menu;

struct Field {
    int x, y, w, h;
    double value;
    bool operator==(const Field& o) const
    {
        return x == o.x && y == o.y && w == o.w && h == o.h && std::abs(value - o.value) < 1e-4;
    }
};

std::ostream& operator<<(std::ostream& out, const Field& f)
{
    return out << "(" << f.x << ", " << f.y << ", " << f.w << ", " << f.h << ": " << f.value << ")";
}

class GraphWindowTest : public ReportWindowTest {
protected:
    // Publishes values as the curvature pass does.
    static void curvatureValues(const std::vector<float>& values, float max, float min)
    {
        releaseLarge(cArray);
        cArray = static_cast<float*>(allocateLarge(values.size() * sizeof(float)));
        std::copy(values.begin(), values.end(), cArray);
        cArrayCount = int(values.size());
        cArrayMax = max;
        cArrayMin = min;
    }
    static void differenceValues(const std::vector<float>& values, float max, float min)
    {
        releaseLarge(dArray);
        dArray = static_cast<float*>(allocateLarge(values.size() * sizeof(float)));
        std::copy(values.begin(), values.end(), dArray);
        dArrayCount = int(values.size());
        dArrayMax = max;
        dArrayMin = min;
    }
    // A one-row DEM whose height classes (interval = counts.size()) have these counts.
    static void heightClasses(const std::vector<int>& counts)
    {
        std::vector<float> heights;
        for (size_t k = 0; k < counts.size(); k++)
            heights.insert(heights.end(), size_t(counts[k]), float(1000 + k));
        setGrid(mt, 1, int(heights.size()), heights);
        rd.setContourInt(int(counts.size()));
    }

    // Runs a graph callback, capturing the console.
    std::string open(void (*callback)(Fl_Widget*, void*))
    {
        ConsoleCapture console;
        callback(nullptr, nullptr);
        settle();
        return console.out();
    }

    static std::vector<Field> numbersAt(Fl_Window* w, bool yAxis)
    {
        std::vector<Field> found;
        for (Fl_Value_Output* o : children<Fl_Value_Output>(w))
            if ((o->x() == 25) == yAxis)
                found.push_back({o->x(), o->y(), o->w(), o->h(), o->value()});
        return found;
    }
    static std::vector<Field> yFields(const std::vector<int>& values)
    {
        std::vector<Field> fields;
        for (size_t k = 0; k < values.size(); k++)
            fields.push_back({25, 150 - 16 * int(k), 20, 20, double(values[k])});
        return fields;
    }
    static void expectNumberStyle(Fl_Window* w)
    {
        for (Fl_Value_Output* o : children<Fl_Value_Output>(w)) {
            EXPECT_EQ(o->textsize(), 7);
            EXPECT_EQ(o->box(), FL_FLAT_BOX);
            EXPECT_EQ(o->color(), FL_WHITE);
            EXPECT_TRUE(emptyLabel(o));
        }
    }
    static void expectGraphWindow(Fl_Window* w, const char* title)
    {
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->label(), title);
        EXPECT_EQ(w->w(), 200);
        EXPECT_EQ(w->h(), 200);
        EXPECT_EQ(w->color(), FL_WHITE);
        EXPECT_TRUE(w->shown());
        ASSERT_NE(graphbox, nullptr);
        EXPECT_EQ(graphbox->parent(), w);
        EXPECT_TRUE(laidOut(w, {graphbox}));
        EXPECT_TRUE(emptyLabel(graphbox));
        EXPECT_TRUE(graphbox->shown());
    }
};

TEST_F(GraphWindowTest, CurvatureGraph)
{
    // min 10, max 60: bins of width 2. 250 values in bin 3 set the scale.
    std::vector<float> values(250, 17.5f);
    values.push_back(10);  // the minimum: bin 0
    values.push_back(12);  // on the edge: bin 0
    values.push_back(60);  // the maximum: bin 24
    curvatureValues(values, 60, 10);
    const std::string out = open(graphCurve);
    EXPECT_EQ(out, "10\nr50 inc2\n");
    EXPECT_EQ(GRAPH_TYPE, GRAPHC);
    expectGraphWindow(graphwin, "Curve Error");
    std::vector<int> bins(25, 0);
    bins[0] = 2;
    bins[3] = 250;
    bins[24] = 1;
    EXPECT_EQ(graphbox->values(), bins);
    EXPECT_EQ(graphbox->bars(), 25);
    EXPECT_EQ(graphbox->largestCount(), 250);
    EXPECT_EQ(graphbox->smallestCount(), 0);
    const std::vector<Field> x = {{47, 160, 20, 20, 10}, {77, 160, 20, 20, 20},  {107, 160, 20, 20, 30},
                                  {137, 160, 20, 20, 40}, {167, 160, 20, 20, 50}, {197, 160, 20, 20, 60}};
    EXPECT_EQ(numbersAt(graphwin, false), x);
    EXPECT_EQ(numbersAt(graphwin, true), yFields({0, 30, 60, 90, 120, 150, 180, 210, 240}));
    expectNumberStyle(graphwin);
    EXPECT_EQ(labelled(graphwin, "Remove Big"), nullptr);
}

TEST_F(GraphWindowTest, DifferenceGraph)
{
    differenceValues({-0.5f, 0, 0.25f, 0.5f, 0.5f}, 0.5f, -0.5f);
    const std::string out = open(graphDiff);
    EXPECT_EQ(out, "-0.5\nr1 inc0.04\n");
    EXPECT_EQ(GRAPH_TYPE, GRAPHD);
    expectGraphWindow(graphwin, "Diff. Error");
    std::vector<int> bins(25, 0);
    bins[0] = 1;
    bins[12] = 1;   // 0 is above -0.5 + 12 x 0.04 (rounded in float) and at most -0.5 + 13 x 0.04
    bins[18] = 1;   // 0.25
    bins[24] = 2;
    EXPECT_EQ(graphbox->values(), bins);
    EXPECT_EQ(numbersAt(graphwin, true), yFields({0}));
    std::vector<double> x;
    for (const Field& f : numbersAt(graphwin, false))
        x.push_back(f.value);
    EXPECT_EQ(x.size(), 6u);
    for (size_t k = 0; k < x.size(); k++)
        EXPECT_NEAR(x[k], -0.5 + 0.2 * k, 1e-6) << k;
}

TEST_F(GraphWindowTest, NoValuesGiveEmptyBarsAndNoYNumbers)
{
    const std::string out = open(graphCurve);
    EXPECT_EQ(out, "0\nr0 inc0\n");
    ASSERT_NE(graphbox, nullptr);
    EXPECT_EQ(graphbox->values(), std::vector<int>(25, 0));
    EXPECT_TRUE(numbersAt(graphwin, true).empty());
}

TEST_F(GraphWindowTest, HeightClassGraphWithoutBigClasses)
{
    std::vector<int> counts(20, 5);
    counts[7] = 6;  // average 101 / 20 = 5, limit 6.25
    heightClasses(counts);
    const std::string out = open(graphClass);
    EXPECT_EQ(out.rfind("Height Classes Output\n", 0), 0u) << out;
    EXPECT_EQ(GRAPH_TYPE, GRAPHCLASS);
    expectGraphWindow(graphwin, "Height Classes");
    EXPECT_EQ(graphbox->values(), counts);
    EXPECT_EQ(graphbox->bars(), 20);
    EXPECT_EQ(graphbox->largestCount(), 6);
    EXPECT_EQ(graphbox->smallestCount(), 5);
    EXPECT_EQ(labelled(graphwin, "Remove Big"), nullptr);

    Fl_Box* heights = labelled<Fl_Box>(graphwin, "Heights");
    ASSERT_NE(heights, nullptr);
    EXPECT_EQ(heights->labelsize(), 7);
    Fl_Box* caption = labelled<Fl_Box>(graphwin, "Height Class");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->labelsize(), 8);
    EXPECT_TRUE(laidOut(graphwin, {graphbox, heights, caption}));
    const std::vector<Field> x = {{47, 160, 20, 15, 0},   {77, 160, 20, 15, 5},  {107, 160, 20, 15, 10},
                                  {137, 160, 20, 15, 15}, {167, 160, 20, 15, 20}};
    EXPECT_EQ(numbersAt(graphwin, false), x);
    EXPECT_EQ(numbersAt(graphwin, true), yFields({0}));
    expectNumberStyle(graphwin);
}

TEST_F(GraphWindowTest, RemoveBigOpensASecondWindowWithoutTheBigClasses)
{
    // Class 0 holds the contour levels: average 135 / 10 = 13, limit 16.25.
    std::vector<int> counts = {40, 15, 10, 10, 10, 10, 10, 10, 10, 10};
    heightClasses(counts);
    open(graphClass);
    Fl_Window* first = graphwin;
    Graphb* firstGraph = graphbox;
    Fl_Button* remove = labelled<Fl_Button>(first, "Remove Big");
    ASSERT_NE(remove, nullptr);
    EXPECT_TRUE(laidOut(first, {graphbox, remove}));
    EXPECT_EQ(remove->labelsize(), 8);

    {
        ConsoleCapture console;
        remove->do_callback();
        settle();
    }
    EXPECT_FALSE(removeLarge);
    ASSERT_NE(graphwin, first);
    expectGraphWindow(graphwin, "Height Classes");
    std::vector<int> kept = counts;
    kept[0] = 0;
    EXPECT_EQ(graphbox->values(), kept);
    EXPECT_EQ(graphbox->largestCount(), 15);
    EXPECT_EQ(graphbox->smallestCount(), 10);  // of the counts before editing
    // In its edited counts (average 9) 15 is big, but there is no second removal.
    EXPECT_EQ(labelled(graphwin, "Remove Big"), nullptr);
    EXPECT_EQ(numbersAt(graphwin, true), yFields({0, 10}));
    EXPECT_EQ(shownWindows("Height Classes").size(), 2u);
    EXPECT_TRUE(first->shown());

    // The model counts again for every graph; the first graph keeps what it showed.
    heightClasses({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    open(graphClass);
    EXPECT_EQ(firstGraph->values(), counts);
    EXPECT_EQ(firstGraph->largestCount(), 40);
}

TEST_F(GraphWindowTest, RemoveBigShowsHeightClassesAfterAnotherGraphWasChosen)
{
    heightClasses({40, 10, 10, 10});
    open(graphClass);
    Fl_Button* remove = labelled<Fl_Button>(graphwin, "Remove Big");
    ASSERT_NE(remove, nullptr);
    curvatureValues({1, 2}, 2, 1);
    open(graphCurve);
    {
        ConsoleCapture console;
        remove->do_callback();
        settle();
    }
    EXPECT_STREQ(graphwin->label(), "Height Classes");
    EXPECT_EQ(graphbox->values(), std::vector<int>({0, 10, 10, 10}));
    EXPECT_FALSE(removeLarge);
    EXPECT_EQ(GRAPH_TYPE, GRAPHCLASS);
}

TEST_F(GraphWindowTest, MenuEntryShowsTheLastChoiceAndHeightClassesAtFirst)
{
    heightClasses({3, 3, 3});
    curvatureValues({1, 2}, 2, 1);
    struct Step {
        void (*choose)(Fl_Widget*, void*);
        const char* title;
    } steps[] = {{nullptr, "Height Classes"}, {graphCurve, "Curve Error"}, {graphDiff, "Diff. Error"}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.title);
        if (s.choose != nullptr)
            open(s.choose);
        graphwin = nullptr;
        {
            ConsoleCapture console;
            menubar->picked(&menuEntry(menu::GRAPH));
            settle();
        }
        ASSERT_NE(graphwin, nullptr);
        EXPECT_STREQ(graphwin->label(), s.title);
    }
}

TEST_F(GraphWindowTest, NoContourIntervalOpensNoWindowAndSaysWhy)
{
    for (int interval : {0, -5}) {
        SCOPED_TRACE(interval);
        setGrid(mt, 2, 2, flat(2, 2, 100));
        rd.setContourInt(interval);
        removeLarge = true;
        const std::string out = open(graphClass);
        EXPECT_EQ(out, "No height class graph: the contour interval is " + std::to_string(interval) +
                           ", so there are no height classes\n");
        EXPECT_EQ(graphwin, nullptr);
        EXPECT_TRUE(shownWindows("Height Classes").empty());
        EXPECT_FALSE(removeLarge);
    }
}

TEST_F(GraphWindowTest, ClosingAGraphReleasesItAndForgetsIt)
{
    curvatureValues({1, 2}, 2, 1);
    open(graphCurve);
    Fl_Widget_Tracker window(graphwin), bars(graphbox);
    graphwin->do_callback();
    settle();
    EXPECT_TRUE(window.deleted());
    EXPECT_TRUE(bars.deleted());
    EXPECT_EQ(graphwin, nullptr);
    EXPECT_EQ(graphbox, nullptr);
}

TEST_F(GraphWindowTest, EveryEventAsksForARedraw)
{
    curvatureValues({1, 2}, 2, 1);
    open(graphCurve);
    graphbox->clear_damage();
    graphbox->handle(FL_MOVE);
    EXPECT_NE(graphbox->damage(), 0);
}

// The bar graph drawn and read back. Graph units map 1:1 across and 16/15 up.
class GraphPixelsTest : public GraphWindowTest {
protected:
    void drawHeightClasses(const std::vector<int>& counts)
    {
        heightClasses(counts);
        open(graphClass);
        ASSERT_NE(graphbox, nullptr);
        graphbox->make_current();
        graphbox->draw();
        glFinish();
    }
    Pixel pixel(int x, int y) { return readPixel(*graphbox, x, y); }  // from the lower left
    Pixel at(float x, float y) { return pixel(int(x), int(y * 16 / 15)); }  // graph units
    // Black in one of the pixel rows next to graph height y at pixel column x.
    ::testing::AssertionResult rowAt(int x, float y)
    {
        const int row = int(y * 16 / 15);
        for (int r = row - 1; r <= row + 1; r++)
            if (colourNear(pixel(x, r), 0, 0, 0))
                return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no black near y " << y << " at x " << x;
    }
    // Black in one of the pixel columns next to graph x (a line on a pixel edge).
    ::testing::AssertionResult lineAt(float x, float y)
    {
        for (float dx : {-1.0f, 0.0f})
            if (colourNear(at(x + dx, y), 0, 0, 0))
                return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no black beside x " << x << " at y " << y;
    }
    static float top(int count, int largest) { return float(count * 150.0 / double(barScale(largest)) + 5); }
};

TEST_F(GraphPixelsTest, TwentyClassesAreSixWideRedWithBlackOutlinesOnWhite)
{
    std::vector<int> counts(20, 50);
    counts[3] = 60;  // average 1010 / 20 = 50, nothing big; largest 60, scale 100
    drawHeightClasses(counts);
    for (int i : {0, 3, 10, 19}) {
        SCOPED_TRACE(i);
        const float x0 = float(5 + 6 * i), y = top(counts[i], 60);
        EXPECT_TRUE(colourNear(at(x0 + 3, (5 + y) / 2), 1, 0, 0));
        EXPECT_TRUE(colourNear(at(x0 + 3, y + 3), 1, 1, 1));
        EXPECT_TRUE(lineAt(x0, (5 + y) / 2));
        EXPECT_TRUE(lineAt(x0 + 6, (5 + y) / 2));
    }
    // The bars end at x 125; beyond them white above the axis, the axis black.
    EXPECT_TRUE(colourNear(at(122, 30), 1, 0, 0));
    EXPECT_TRUE(colourNear(at(130, 30), 1, 1, 1));
    EXPECT_TRUE(colourNear(at(145, 100), 1, 1, 1));
    EXPECT_TRUE(colourNear(at(140, 2), 1, 1, 1));
    EXPECT_TRUE(rowAt(140, 5));
    // Scale ticks left of the vertical axis at every tenth of the scale: 15 i + 5.
    EXPECT_TRUE(rowAt(2, 80));
    EXPECT_TRUE(rowAt(2, 140));
    EXPECT_TRUE(colourNear(at(2, 72), 1, 1, 1));
}

TEST_F(GraphPixelsTest, ThirtyClassesAreFiveWide)
{
    std::vector<int> counts(30, 40);
    counts[29] = 45;
    drawHeightClasses(counts);
    const float y = top(40, 45);
    EXPECT_TRUE(colourNear(at(5 + 5 * 10 + 2, y / 2), 1, 0, 0));
    EXPECT_TRUE(lineAt(5 + 5 * 10, y / 2));
    EXPECT_TRUE(lineAt(5 + 5 * 11, y / 2));
    EXPECT_FALSE(lineAt(5 + 5 * 10 + 3, y / 2));
}

TEST_F(GraphPixelsTest, MoreThanAHundredAndFiftyClassesHaveNoWidth)
{
    drawHeightClasses(std::vector<int>(151, 3));
    for (float x : {10.0f, 50.0f, 100.0f, 140.0f})
        EXPECT_TRUE(colourNear(at(x, 50), 1, 1, 1)) << x;
}

TEST_F(GraphPixelsTest, ALargestCountOfTwoHundredAndFiftyStandsAtHalfTheScale)
{
    // Scale 300: 250 reaches 250 x 150 / 300 + 5 = 130 units, 138.7 pixels.
    std::vector<int> counts(20, 240);
    counts[0] = 250;
    drawHeightClasses(counts);
    EXPECT_TRUE(colourNear(at(8, 128), 1, 0, 0));
    EXPECT_TRUE(colourNear(at(8, 133), 1, 1, 1));
    EXPECT_EQ(numbersAt(graphwin, true), yFields({0, 30, 60, 90, 120, 150, 180, 210, 240}));
}

}  // namespace
