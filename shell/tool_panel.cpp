// The tool panel at the right of the main window: five sections, each a rounded frame
// with a caption across its top edge and a "?" button. The widgets are direct children of
// the main window; the panel has no group of its own.

#include "shell/tool_panel.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Value_Output.H>

#include "shell/curvature_unit.h"
#include "shell/shell_state.h"
#include "shell/toggles.h"

namespace {

const Fl_Color PANEL_FRAME = 46;
const Fl_Color PANEL_BACKGROUND = 49;
const Fl_Color MAGENTA = 5;
const Fl_Color RED_SQUARE = 88;
const Fl_Color ORANGE_SQUARE = 91;
const Fl_Color YELLOW_SQUARE = 95;

void helpButton(int y)
{
    Fl_Button* b = new Fl_Button(834, y, 15, 20, "?");
    b->labelsize(11);
    b->box(FL_PLASTIC_UP_BOX);
    b->callback(popup);
}

void frame(int x, int y, int w, int h)
{
    Fl_Box* b = new Fl_Box(x, y, w, h);
    b->box(FL_ROUNDED_FRAME);
    b->color(PANEL_FRAME);
}

void caption(int x, int y, int w, int h, const char* title, int textSize = 11)
{
    Fl_Output* o = new Fl_Output(x, y, w, h);
    o->insert(title);
    o->textsize(textSize);
    o->color(PANEL_BACKGROUND);
    o->box(FL_FLAT_BOX);
}

void label(int x, int y, int w, int h, const char* text)
{
    Fl_Box* b = new Fl_Box(x, y, w, h, text);
    b->box(FL_NO_BOX);
    b->labelsize(11);
}

Fl_Button* button(int x, int y, int w, int h, const char* text, Fl_Callback* cb, int labelSize = 11)
{
    Fl_Button* b = new Fl_Button(x, y, w, h, text);
    b->labelsize(labelSize);
    b->box(FL_PLASTIC_UP_BOX);
    b->callback(cb);
    return b;
}

Fl_Check_Button* checkButton(int x, int y, const char* text, Fl_Callback* cb)
{
    Fl_Check_Button* b = new Fl_Check_Button(x, y, 13, 13, text);
    b->labelsize(11);
    b->callback(cb);
    b->deactivate();
    return b;
}

// A legend square: a flat coloured button whose label sits to its left.
Fl_Button* square(int x, int y, const char* text, Fl_Color colour)
{
    Fl_Button* b = new Fl_Button(x, y, 10, 10, text);
    b->labelsize(11);
    b->box(FL_FLAT_BOX);
    b->align(FL_ALIGN_LEFT);
    b->color(colour);
    return b;
}

Fl_Value_Output* legendNumber(int y, double value)
{
    Fl_Value_Output* o = new Fl_Value_Output(700, y, 20, 20);
    o->textsize(11);
    o->color(PANEL_BACKGROUND);
    o->box(FL_FLAT_BOX);
    o->value(value);
    return o;
}

// Covers the hidden panel's lower part. While shown and active it takes every mouse event
// that lands on it and does nothing with them, so the panel widgets beneath stay out of
// reach; it never takes the keyboard focus.
class PanelCover : public Fl_Button {
public:
    PanelCover(int x, int y, int w, int h) : Fl_Button(x, y, w, h, "") {}
    int handle(int event) override
    {
        switch (event) {
        case FL_PUSH:
        case FL_DRAG:
        case FL_RELEASE:
        case FL_ENTER:
        case FL_MOVE:
        case FL_MOUSEWHEEL:
            return 1;
        default:
            return 0;
        }
    }
};

}  // namespace

void buildCurvatureSection(Fl_Callback* graph)
{
    helpButton(360);
    unitSlider1 = new Fl_Counter(700, 432, 100, 15, "Curvature Error Units");
    unitSlider1->value(1);
    unitSlider1->align(FL_ALIGN_TOP);
    unitSlider1->step(0.1);
    unitSlider1->lstep(0.5);
    unitSlider1->range(0.5, 5);
    unitSlider1->box(FL_PLASTIC_UP_BOX);
    unitSlider1->labelsize(11);
    unitSlider1->callback(updateUnit1);
    frame(670, 340, 160, 110);
    caption(700, 331, 90, 20, "Curvature Error");
    Cerr = checkButton(680, 347, "Display", Cerrfn);
    cerrLabel = legendNumber(400, unitSlider1->value());
    cerrLabel->range(0.5, 5);
    curveYLabel = square(720, 405, ">       ", YELLOW_SQUARE);
    cerr2Label = legendNumber(380, 2 * unitSlider1->value());
    curveOLabel = square(720, 385, ">       ", ORANGE_SQUARE);
    cerr3Label = legendNumber(360, 3 * unitSlider1->value());
    curveRLabel = square(720, 365, ">       ", RED_SQUARE);
    graphCButton = button(765, 385, 40, 15, "Graph", graph);
    graphCButton->deactivate();
}

void buildDifferenceSection(Fl_Callback* graph)
{
    helpButton(469);
    frame(670, 460, 160, 100);
    caption(690, 450, 125, 20, "Local Difference Error");
    square(725, 487, "> 0.20", MAGENTA);
    square(725, 505, "> 0.15", RED_SQUARE);
    square(725, 523, "> 0.10", ORANGE_SQUARE);
    square(725, 541, "> 0.05", YELLOW_SQUARE);
    graphDButton = button(765, 510, 40, 15, "Graph", graph);
    graphDButton->deactivate();
    lerr = checkButton(680, 469, "Display", lerrfn);
}

void buildDisplaySection()
{
    helpButton(45);
    frame(670, 35, 160, 300);
    caption(730, 26, 45, 20, "Display");
    label(700, 45, 40, 20, "Zoom");
    button(750, 45, 20, 20, "In", ZoomInButton_callback);
    button(780, 45, 20, 20, "Out", ZoomOutButton_callback);
    axes = checkButton(710, 70, "Show Axes", axesfn);
    label(680, 85, 145, 20, "Rotate 90 Degrees about");
    label(710, 105, 30, 20, "Horizontal axis");
    button(770, 105, 15, 20, "+", XPlus90Button_callback);
    button(800, 105, 15, 20, "-", XMinus90Button_callback);
    label(710, 125, 45, 20, "Vertical axis");
    button(770, 125, 15, 20, "+", ZPlus90Button_callback);
    button(800, 125, 15, 20, "-", ZMinus90Button_callback);
    label(695, 155, 40, 20, "View");
    button(730, 155, 30, 20, "Top", TopButton_callback);
    button(775, 155, 30, 20, "Side", SideButton_callback);
    button(730, 175, 75, 20, "Reset View", ResetButton_callback);
    button(755, 235, 25, 15, "East", sunPlusFN, 9);
    button(725, 235, 25, 15, "West", sunMinusFN, 9);
    caption(690, 215, 130, 20, "Move sun through ellipse ", 10);
    sun = checkButton(710, 205, "Display Sun", sunCall);
    tri = checkButton(685, 255, "Triangles", triangles);
    cont = checkButton(685, 270, "Contours/Initial Data", contfn);
    light = checkButton(685, 285, "Lighting", lightfn);
    light->value(1);
    colors = checkButton(685, 300, "Height Colors", colorfn);
    slope = checkButton(685, 315, "Slope Colors", slopeFn);
}

void buildProfileSection()
{
    helpButton(590);
    frame(670, 575, 160, 50);
    caption(715, 565, 75, 20, "Profile View");
    prof = checkButton(680, 580, "Display", proffn);
    profVert = new Fl_Round_Button(680, 595, 13, 13, "Y-Axis");
    profVert->labelsize(11);
    profVert->value(1);
    profVert->callback(profV);
    profHoriz = new Fl_Round_Button(680, 610, 13, 13, "X-Axis");
    profHoriz->labelsize(11);
    profHoriz->value(0);
    profHoriz->callback(profH);
    pdisplay = new Fl_Counter(735, 605, 90, 15, "Row/Column:");
    pdisplay->value(1);
    pdisplay->step(1);
    pdisplay->lstep(10);
    pdisplay->range(1, 20000);
    pdisplay->labelsize(11);
    pdisplay->align(FL_ALIGN_TOP);
    pdisplay->box(FL_PLASTIC_UP_BOX);
    pdisplay->callback(pChange);
}

void buildHeightClassSection(Fl_Callback* graph)
{
    frame(670, 639, 160, 50);
    caption(710, 630, 90, 20, "Height Classes");
    helpButton(650);
    graphButton = button(725, 670, 40, 15, "Graph", graph);
    graphButton->deactivate();
    col = checkButton(680, 650, "Color Height Classes", heights);
}

void buildPanelCover()
{
    block = new PanelCover(XMAX, 650, 850, 700);
    block->box(FL_FLAT_BOX);
    block->deactivate();
    block->color(PANEL_BACKGROUND);
    block->hide();
}
