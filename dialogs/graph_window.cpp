// The graph window: a bar graph (Graphb) of the curvature error values, the local
// difference error values or the height class counts, with axis numbers and captions
// as ordinary widgets around it. Every request opens a new window.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Window.H>

#include <iostream>
#include <memory>

#include "dialogs/dialogs.h"
#include "dialogs/graph_data.h"
#include "dialogs/graphb.h"
#include "dialogs/report_state.h"
#include "shell/shell_state.h"
#include "view/my_window.h"

namespace {

Fl_Window* graphWindow(const char* title)
{
    Fl_Window* window = new Fl_Window(200, 200, title);
    window->color(FL_WHITE);
    window->callback(closeReportWindow);
    graphwin = window;
    return window;
}

void axisNumber(int x, int y, int h, double value)
{
    Fl_Value_Output* o = new Fl_Value_Output(x, y, 20, h, "");
    o->value(value);
    o->textsize(7);
    o->box(FL_FLAT_BOX);
    o->color(FL_WHITE);
}

void yAxis(int largest)
{
    int k = 0;
    for (int p : yAxisNumbers(largest))
        axisNumber(25, 150 - 16 * k++, 20, p);
}

void showGraph()
{
    graphwin->end();
    graphwin->show();
    graphbox->show();
    focusView();
}

// The 25-bin graph of the curvature (GRAPHC) or difference values.
void valueGraph(bool curvature)
{
    graphWindow(curvature ? "Curve Error" : "Diff. Error");
    float max = 0, min = 0;
    int count = 0;
    float* values = nullptr;
    if (curvature) {
        gl->getCurvatureInfo(max, min, count);
        values = gl->getCurveArray();
    } else {
        gl->getDifferenceInfo(max, min, count);
        values = gl->getDiffArray();
    }
    float range = 0;
    const std::unique_ptr<int[]> counts(arrangeDiff(count, max, min, values, range));
    int smallest = 0, largest = 0;
    findminmax(smallest, largest, counts.get());
    graphbox = new Graphb(45, 5, 150, 160, "", 1, largest, smallest, GRAPH_BINS, counts.get(), 1);
    graphbox->end();

    const float inc = range / GRAPH_BINS;
    for (int p = 0; p <= GRAPH_BINS; p += 5)
        axisNumber(47 + 30 * (p / 5), 160, 20, min + p * inc);
    yAxis(largest);
    showGraph();
}

void heightClassGraph()
{
    const bool removeBig = removeLarge;
    removeLarge = false;
    int n = gl->getCont();
    if (n <= 0) {
        std::cout << "No height class graph: the contour interval is " << n << ", so there are no height classes"
                  << std::endl;
        focusView();
        return;
    }
    int* counts = gl->graphHeights();
    if (counts == nullptr) {
        std::cout << "No height class graph: the height classes could not be counted" << std::endl;
        focusView();
        return;
    }
    int largest = 0, smallest = 0;
    getInfo(largest, smallest, n, counts);

    graphWindow("Height Classes");
    int newLargest = 0;
    bool big = false;
    const std::unique_ptr<int[]> edited(editClasses(newLargest, n, counts, big));
    if (removeBig) {
        counts = edited.get();
        largest = newLargest;
    } else if (big) {
        Fl_Button* remove = new Fl_Button(20, 180, 50, 15, "Remove Big");
        remove->labelsize(8);
        remove->callback(removeCB);
    }
    graphbox = new Graphb(45, 5, 150, 160, "", 1, largest, smallest, n, counts, 1);
    graphbox->end();

    Fl_Box* heights = new Fl_Box(4, 100, 20, 20, "Heights");
    heights->labelsize(7);
    Fl_Box* classes = new Fl_Box(100, 170, 20, 20, "Height Class");
    classes->labelsize(8);
    for (int p = 0; p <= 20; p += 5)
        axisNumber(47 + 30 * (p / 5), 160, 15, p);
    yAxis(largest);
    showGraph();
}

}  // namespace

void graph(Fl_Widget*, void*)
{
    if (GRAPH_TYPE == GRAPHC || GRAPH_TYPE == GRAPHD)
        valueGraph(GRAPH_TYPE == GRAPHC);
    else
        heightClassGraph();
}

void graphCurve(Fl_Widget*, void*)
{
    GRAPH_TYPE = GRAPHC;
    graph();
}

void graphDiff(Fl_Widget*, void*)
{
    GRAPH_TYPE = GRAPHD;
    graph();
}

void graphClass(Fl_Widget*, void*)
{
    GRAPH_TYPE = GRAPHCLASS;
    graph();
}

// The button sits in a height class window, so it asks for the height classes even when
// another kind of graph was chosen since that window opened.
void removeCB(Fl_Widget*, void*)
{
    removeLarge = true;
    GRAPH_TYPE = GRAPHCLASS;
    graph();
}
