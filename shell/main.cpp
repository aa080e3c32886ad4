#include <FL/Fl.H>

#include "shell/main_window.h"
#include "shell/options.h"

int main(int argc, char** argv)
{
    const int status = takeCommandLineOptions(argc, argv);
    if (status >= 0)
        return status;
    buildMainWindow(argc, argv);
    return Fl::run();
}
