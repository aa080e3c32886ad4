#include <FL/Fl.H>

#include "model/memory_need.h"
#include "shell/main_window.h"
#include "shell/options.h"

int main(int argc, char** argv)
{
    const int status = takeCommandLineOptions(argc, argv);
    if (status >= 0)
        return status;
    gridUse.drawing = true;  // a grid's memory need counts the view's memo of it
    buildMainWindow(argc, argv);
    return Fl::run();
}
