#include "shell/information_strip.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Value_Output.H>

#include <FL/Fl_Window.H>

#include <cstdio>

#include "analysis/current_places.h"
#include "model/mountain.h"
#include "shell/shell_state.h"
#include "view/my_window.h"
#include "view/picked_cell.h"

namespace {

const Fl_Color STRIP_BACKGROUND = 49;
const Fl_Color STRIP_LABEL = 56;

Fl_Output* nameField(int x, const char* text)
{
    Fl_Output* o = new Fl_Output(x, 650, 200, 20, text);
    o->labelsize(10);
    o->color(STRIP_BACKGROUND);
    o->box(FL_FLAT_BOX);
    o->deactivate();
    o->align(FL_ALIGN_LEFT);
    return o;
}

Fl_Value_Output* numberField(int x, int w, const char* text)
{
    Fl_Value_Output* o = new Fl_Value_Output(x, 675, w, 20, text);
    o->labelsize(10);
    o->color(STRIP_BACKGROUND);
    o->box(FL_FLAT_BOX);
    o->textsize(10);
    o->align(FL_ALIGN_LEFT);
    return o;
}

Fl_Output* fieldOf(StripField field) { return field == StripField::Dem ? file1Label : file2Label; }

const int FIGURES_LINE = 22;  // the height the main window grows by for the picked figures

// Below the window's last row, outside it until a pick grows the window.
void buildFiguresLine()
{
    pickedFigures = new Fl_Output(60, win->h() + 1, win->w() - 70, 20, "Picked:");
    pickedFigures->labelsize(10);
    pickedFigures->textsize(10);
    pickedFigures->color(STRIP_BACKGROUND);
    pickedFigures->box(FL_FLAT_BOX);
    pickedFigures->align(FL_ALIGN_LEFT);
    pickedFigures->hide();
    setPickListener(showPickedCell);
}

// Grows the window by the figures line at its bottom, or takes it off again; the widgets
// already there, the view included, stay where they are.
void showFiguresLine(bool shown)
{
    if (shown == (pickedFigures->visible() != 0))
        return;
    Fl_Widget* stretched = win->resizable();
    win->resizable(nullptr);
    if (shown) {
        pickedFigures->resize(pickedFigures->x(), win->h() + 1, pickedFigures->w(), pickedFigures->h());
        win->size(win->w(), win->h() + FIGURES_LINE);
        pickedFigures->show();
    } else {
        pickedFigures->hide();
        win->size(win->w(), win->h() - FIGURES_LINE);
    }
    win->resizable(stretched);
    win->init_sizes();
}

std::string levelled(const char* name, float value, int level)
{
    char text[80];
    std::snprintf(text, sizeof text, "   %s %.3f (level %d)", name, value, level);
    return text;
}

}  // namespace

void buildInformationStrip()
{
    file1Label = nameField(60, "DEM file:");
    file1Label->labelcolor(STRIP_LABEL);
    file2Label = nameField(400, "Comparison file:");
    xcornerLabel = numberField(60, 50, "X-corner:");
    xcornerLabel->value(0);
    ycornerLabel = numberField(200, 50, "Y-corner:");
    ycornerLabel->value(0);
    cellsizeLabel = numberField(300, 20, "Cellsize:");
    // A northing of seven digits shows as "5.14301e+06"; at size 10 it would run into
    // "Cellsize:", so both are set smaller to leave a gap between them.
    ycornerLabel->textsize(8);
    cellsizeLabel->labelsize(8);
    // Right of the Statistics button: a cellsize in degrees ("0.000277778") runs on
    // beyond its own field up to the exaggeration counter.
    groundCellLabel = new Fl_Box(584, 675, 64, 20);
    groundCellLabel->labelsize(8);
    groundCellLabel->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    groundCellLabel->tooltip("A cell's length on the ground, east-west and north-south");
    groundCellLabel->hide();
    vdisplay = new Fl_Counter(400, 680, 70, 15, "Vertical Exageration:");
    vdisplay->value(1);
    vdisplay->step(1);
    vdisplay->lstep(2);
    vdisplay->range(0, 10);
    vdisplay->callback(vChange);
    vdisplay->labelsize(11);
    vdisplay->align(FL_ALIGN_TOP);
    vdisplay->box(FL_PLASTIC_UP_BOX);
    buildFiguresLine();
}

StripText stripShown() { return {file1Label->value(), file2Label->value(), vdisplay->value()}; }

void showStrip(const StripText& text)
{
    file1Label->value(text.dem.c_str());
    file2Label->value(text.comparison.c_str());
    vdisplay->value(text.exaggeration);
}

void showFileName(StripField field, const char* name)
{
    Fl_Output* o = fieldOf(field);
    o->value("");
    if (name != nullptr)
        o->insert(name);
}

void showCorner(float xll, float yll, float cellsize)
{
    xcornerLabel->value(xll);
    ycornerLabel->value(yll);
    cellsizeLabel->value(cellsize);
    showGroundCell();
}

void showGroundCell()
{
    if (!cellsInDegrees || mt.grid == nullptr) {
        groundCellLabel->hide();
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "E-W %.4g m\nN-S %.4g m", double(mt.groundEastWest()), double(mt.groundCellsize()));
    groundCellLabel->copy_label(text);
    groundCellLabel->show();
    groundCellLabel->redraw();
}

std::string pickedFiguresText(const Place& p)
{
    char text[200];
    // Ten significant digits: centimetres in metres, and about a millimetre in degrees.
    std::snprintf(text, sizeof text, "Row %d   Column %d   x %.10g   y %.10g   Height %.2f", p.row, p.col, p.x, p.y,
                  double(p.height));
    std::string line = text;
    if (p.hasCurvature)
        line += levelled("Curvature", p.curvature, p.curvatureLevel);
    if (p.hasDifference)
        line += levelled("Difference", p.difference, p.differenceLevel);
    return line;
}

void showPickedCell()
{
    refreshPickedFigures();
    showFiguresLine(pickedCell().picked);
    showView();
}

void refreshPickedFigures()
{
    const PickedCell picked = pickedCell();
    if (picked.picked && pickedFigures != nullptr)
        pickedFigures->value(pickedFiguresText(currentCellFigures(picked.row, picked.col)).c_str());
}

int exaggerationShown() { return static_cast<int>(vdisplay->value()); }

void showExaggeration(int exaggeration) { vdisplay->value(exaggeration); }

void vChange(Fl_Widget*, void*)
{
    gl->changeVert(exaggerationShown(), FILE_CONST);
    showView();
}

StripProgress::StripProgress(StripField shown, const char* doing)
    : field(fieldOf(shown)),
      text(field->value()),
      progress([this, doing](double share) {
                   show(std::string(doing) + ": " + std::to_string(int(share * 100)) + " %");
               },
               [this] { show(text); })
{
}

void StripProgress::show(const std::string& value)
{
    field->value(value.c_str());
    Fl::flush();
}
