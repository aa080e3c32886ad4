#include "shell/curvature_unit.h"

#include <FL/Fl_Counter.H>
#include <FL/Fl_Value_Output.H>

#include "shell/shell_state.h"
#include "view/my_window.h"

namespace {

void applyUnit(double u)
{
    gl->modCurveErr(float(u));
    cerrLabel->value(u);
    cerr2Label->value(2 * u);
    cerr3Label->value(3 * u);
    showView();
}

}  // namespace

double curvatureUnit() { return unitSlider1->value(); }

void setCurvatureUnit(double u)
{
    unitSlider1->value(u);
    applyUnit(u);
}

void updateUnit1(Fl_Widget*, void*) { applyUnit(unitSlider1->value()); }
