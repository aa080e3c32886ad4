#pragma once
// The curvature error unit in force: the panel's counter unitSlider1 holds it, and the
// legend beside it shows 1, 2 and 3 units. The "Curvature Error" dialog sets it here.

class Fl_Widget;

double curvatureUnit();

// Puts u into the counter (without running its callback) and applies it as updateUnit1 does.
void setCurvatureUnit(double u);

// The counter's callback: hands its unit to the view, which grades the curvature again,
// rewrites the legend and shows the view.
void updateUnit1(Fl_Widget* w, void* data = nullptr);
