#include <FL/Fl.H>

#include "shell/main_window.h"

int main(int argc, char** argv)
{
    buildMainWindow(argc, argv);
    return Fl::run();
}
