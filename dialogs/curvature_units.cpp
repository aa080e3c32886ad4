// The curvature error unit: the panel's counter unitSlider1 holds the unit in force, and
// the "Curvature Error" dialog edits it. Either hands the unit to the view, which grades
// the curvature again, and rewrites the legend numbers 1, 2 and 3 units.

#include <FL/Fl_Counter.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Window.H>

#include "dialogs/dialogs.h"
#include "dialogs/report_state.h"
#include "shell/shell_state.h"
#include "view/my_window.h"

namespace {

void applyUnit(double u)
{
    gl->modCurveErr(float(u));
    cerrLabel->value(u);
    cerr2Label->value(2 * u);
    cerr3Label->value(3 * u);
    gl->redraw();
    gl->take_focus();
}

}  // namespace

void modCurve(Fl_Widget*, void*)
{
    Fl_Window* window = new Fl_Window(0, 0, 300, 200, "Curvature Error");
    unitSlider = new Fl_Counter(50, 50, 200, 20, "Curvature Error Units");
    unitSlider->align(FL_ALIGN_TOP);
    unitSlider->value(unitSlider1->value());
    unitSlider->step(0.1);
    unitSlider->lstep(0.5);
    unitSlider->range(0.5, 5);
    unitSlider->box(FL_PLASTIC_UP_BOX);
    unitSlider->callback(updateUnit);
    window->end();
    window->show();
}

void updateUnit(Fl_Widget* w, void*)
{
    // The counter that was moved: with several dialogs open, each applies its own value.
    Fl_Counter* counter = dynamic_cast<Fl_Counter*>(w);
    if (counter == nullptr)
        counter = unitSlider;
    const double u = counter->value();
    unitSlider1->value(u);  // shows the unit in force; does not run updateUnit1
    applyUnit(u);
}

void updateUnit1(Fl_Widget*, void*) { applyUnit(unitSlider1->value()); }
