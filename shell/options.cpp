#include "shell/options.h"

#include <FL/Fl_Menu_Bar.H>

#include <cstring>
#include <iostream>

#include "analysis/loader.h"
#include "model/raster_reader.h"
#include "shell/information_strip.h"
#include "shell/shell_state.h"
#include "view/my_window.h"

namespace {

namespace menu = karvo::menu;

const char* const usage =
    "usage: karvo [OPTION...] [GLUT OPTION...] [DEM]\n"
    "Shows a DEM as a lit 3D surface coloured by where it is probably wrong. The DEM named\n"
    "here is opened by the first \"DEM File\" Open.\n"
    "  --mask-nodata   leave out the cells that touch a nodata point of the DEM\n"
    "  --degrees       the cellsize is in degrees (on anyway for a geographic raster)\n"
    "  --trust-raster  read rasters of any format GDAL reads, which may read other files\n"
    "                  and URLs (a VRT mosaic); without it only the formats of single files\n"
    "  --help          print this and exit\n"
    "  --version       print the version and exit\n";

void applyMenuOptions()
{
    gl->changeOptions(menuEntry(menu::MASK_NODATA).value() != 0, menuEntry(menu::DEGREES).value() != 0);
    showGroundCell();
    gl->redraw();
    gl->take_focus();
}

void mark(int index, bool on)
{
    if (on)
        menuEntry(index).set();
    else
        menuEntry(index).clear();
}

}  // namespace

void maskNodataM(Fl_Widget*, void*) { applyMenuOptions(); }
void degreesM(Fl_Widget*, void*) { applyMenuOptions(); }

void showOptions()
{
    bool mask = false, degrees = false;
    gl->getOptions(mask, degrees);
    mark(menu::MASK_NODATA, mask);
    mark(menu::DEGREES, degrees);
}

int takeCommandLineOptions(int& argc, char** argv)
{
    bool mask = false, degrees = false;
    int kept = 1;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            std::cout << usage;
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::cout << "karvo " << KARVO_VERSION << "\n";
            return 0;
        }
        if (std::strcmp(arg, "--mask-nodata") == 0) {
            mask = true;
        } else if (std::strcmp(arg, "--degrees") == 0) {
            degrees = true;
        } else if (std::strcmp(arg, "--trust-raster") == 0) {
            trustRasters = true;
        } else if (std::strncmp(arg, "--", 2) == 0) {
            std::cerr << "karvo: unknown option " << arg << "\n" << usage;
            return 2;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    changeOptions(mask, degrees);
    return -1;
}
