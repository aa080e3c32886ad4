// The "Sparse File" dialog: asks for the number of random spot heights and has the model
// write a sparse data set of the DEM to standard output. The model refuses numbers below
// 100 and numbers above the grid's points with its own console message; the dialog checks
// nothing and stays open.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include <climits>
#include <cstdlib>

#include "dialogs/dialogs.h"
#include "dialogs/report_state.h"
#include "shell/shell_state.h"
#include "view/my_window.h"

namespace {

// atoi's reading (leading blanks, a sign, the leading digits; 0 when there are none),
// with numbers beyond int held at INT_MIN or INT_MAX, where atoi has no defined result.
int leadingInt(const char* text)
{
    const long value = std::strtol(text != nullptr ? text : "", nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

}  // namespace

void sparse(Fl_Widget*, void*)
{
    Fl_Window* window = new Fl_Window(300, 160, "Sparse File");
    new Fl_Box(5, 10, 142, 20, "Make Sparse Data file ");
    Fl_Box* prompt = new Fl_Box(5, 30, 142, 30, "Enter number of random \nspot heights");
    prompt->labelsize(10);
    sparseIn = new Fl_Input(5, 70, 100, 20);
    Fl_Button* make = new Fl_Button(20, 100, 80, 20, "Make");
    // Each "Make" reads the field of its own dialog, also when newer dialogs are open.
    make->callback(fileSparse, sparseIn);
    window->end();
    window->show();
}

void fileSparse(Fl_Widget*, void* data)
{
    Fl_Input* field = data != nullptr ? static_cast<Fl_Input*>(data) : sparseIn;
    gl->Sparse(leadingInt(field->value()));
}
