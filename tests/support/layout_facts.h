#pragma once
// What a person needs of a window's layout, in place of the coordinates the layout code
// chose: each widget lies inside the window, no two cover each other (an outline drawn
// around others covers none), each label is of a legible size and a push button's fits it.

#include <gtest/gtest.h>

#include <vector>

class Fl_Widget;
class Fl_Window;

// The given widgets of window, or all its visible children when none are given.
testing::AssertionResult laidOut(const Fl_Window* window, std::vector<const Fl_Widget*> widgets = {});
