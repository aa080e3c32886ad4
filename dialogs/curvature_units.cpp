// The "Curvature Error" dialog: a counter that edits the curvature error unit in force,
// which the panel's counter holds (shell/curvature_unit.h).

#include <FL/Fl_Counter.H>
#include <FL/Fl_Window.H>

#include <algorithm>

#include "dialogs/dialogs.h"
#include "dialogs/report_state.h"
#include "shell/curvature_unit.h"

void modCurve(Fl_Widget*, void*)
{
    Fl_Window* window = new Fl_Window(0, 0, 300, 200, "Curvature Error");
    unitSlider = new Fl_Counter(50, 50, 200, 20, "Curvature Error Units");
    unitSlider->align(FL_ALIGN_TOP);
    const double unit = curvatureUnit();
    unitSlider->value(unit);
    unitSlider->step(0.1);
    unitSlider->lstep(0.5);
    unitSlider->range(std::min(0.5, unit), std::max(5.0, unit));  // a fitted unit may lie outside
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
    setCurvatureUnit(counter->value());
}
