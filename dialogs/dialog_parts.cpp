#include "dialogs/dialog_parts.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Window.H>

#include "dialogs/dialog_state.h"
#include "dialogs/open_dialogs.h"
#include "model/error.h"
#include "model/input_file.h"
#include "model/raster_reader.h"

namespace {

// The check boxes carry no label; a borderless read-only field beside each names it.
Fl_Check_Button* typeBox(int y, int captionWidth, const char* caption)
{
    Fl_Check_Button* box = new Fl_Check_Button(5, y, 13, 13, "");
    Fl_Output* text = new Fl_Output(25, y, captionWidth, 13);
    text->value(caption);
    text->box(FL_FLAT_BOX);
    text->color(FL_GRAY);
    text->labelsize(10);
    text->textsize(10);  // the caption is the field's text: at the default size it overruns the 13-pixel box
    return box;
}

}  // namespace

Fl_Window* newDialog(int w, int h)
{
    if (openwin != nullptr)
        openwin->hide();
    // A window made without a position clears the current group first, so the dialog
    // is top-level even when it is asked for while another window is being built.
    return new Fl_Window(w, h, "Open File");
}

Fl_Button* plasticButton(int x, int y, int w, int h, const char* label)
{
    Fl_Button* b = new Fl_Button(x, y, w, h, label);
    b->box(FL_PLASTIC_UP_BOX);
    return b;
}

Fl_Counter* leftCounter(int x, int y, int w, int h, const char* label)
{
    Fl_Counter* c = new Fl_Counter(x, y, w, h, label);
    c->align(FL_ALIGN_LEFT);
    c->box(FL_PLASTIC_UP_BOX);
    // Small enough that the longest caption, "Vertical Exageration :", ends inside the
    // window on the left; one size for all, so the captions read as a column.
    c->labelsize(12);
    return c;
}

Fl_Counter* treelineCounter(int x, int y)
{
    Fl_Counter* c = leftCounter(x, y, 120, 20, "Treeline: ");
    c->value(1800);
    c->range(1000, 15000);
    c->step(100);
    c->lstep(1000);
    return c;
}

Fl_Counter* slopeCounter(int x, int y)
{
    Fl_Counter* c = leftCounter(x, y, 120, 20, "Vegetation Slope: ");
    c->value(50);
    c->range(10, 80);
    c->step(1);
    c->lstep(5);
    return c;
}

void buildTypeBoxes(int demY)
{
    demCheck = typeBox(demY, 60, "DEM File");
    demCheck->callback(demFile);
    rawCheck = typeBox(demY - 20, 80, "Sparse File");
    rawCheck->callback(rawFile);
    contCheck = typeBox(demY - 40, 80, "Contour File");
    contCheck->callback(contFile);
    continput = leftCounter(230, demY - 20, 70, 20, "Contour Interval :");
    continput->lstep(10);
    continput->step(1);
    continput->range(1, 100);
    continput->value(20);
    continput->activate();
}

int checkedType()
{
    if (rawCheck->value())
        return SPARSEF;
    if (demCheck->value())
        return DEM;
    if (contCheck->value())
        return CONTF;
    return 0;
}

int loadError(LoadOutcome outcome)
{
    switch (outcome) {
    case LoadOutcome::Loaded: return 0;
    case LoadOutcome::DemRefused: return DEM_ERR;
    case LoadOutcome::ComparisonRefused: return COMP_ERR;
    case LoadOutcome::SizesDiffer: return MATCH_ERR;
    case LoadOutcome::OutOfMemory: return MEM_ERR;
    case LoadOutcome::NoOverlap: return OVERLAP_ERR;
    case LoadOutcome::NotAligned: return ALIGN_ERR;  // the loader has printed why
    }
    return 0;
}

bool canOpen(const char* path) { return inputProblem(path).empty() || namesGdalSource(path); }
