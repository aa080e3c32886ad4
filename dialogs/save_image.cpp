// The view as a PNG file: "Save Image..." asks for the file, --snapshot names it on the
// command line and ends the program once it is written.

#include <FL/Fl.H>

#include <iostream>
#include <string>
#include <vector>

#include "analysis/loader.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "shell/shell_state.h"
#include "view/my_window.h"
#include "view/view_image.h"

namespace {

// The files of the data set shown, which an image never replaces.
std::vector<std::string> shownInputs()
{
    std::vector<std::string> inputs;
    for (const char* name : {filename, filename2})
        if (name != nullptr && name[0] != '\0')
            inputs.push_back(name);
    if (!comparisonSource().name.empty())
        inputs.push_back(comparisonSource().name);
    return inputs;
}

}  // namespace

void saveImage(Fl_Widget*, void*)
{
    const std::string path = chosenFile("*.png\t*", "Save Image");
    if (path.empty())
        return;
    std::string why;
    if (!saveViewImage(*gl, path, shownInputs(), why))
        errorMessage(IMAGE_ERR, path + ": " + why);
}

int takeSnapshot(const std::string& path)
{
    if (initFiles != 2) {
        std::cerr << "karvo: --snapshot " << path << " needs a DEM to draw\n";
        return 2;
    }
    file(nullptr, nullptr);  // the command line's DEM, opened as the first "DEM File" Open opens it
    if (const int problem = openDialogFiles()) {
        std::cerr << "karvo: cannot write " << path << ": " << filename << ": " << errorText(problem) << "\n";
        return 1;
    }
    // The windows are mapped and the first frame after the Open drawn: it leaves the
    // projection every later frame is drawn with.
    for (int i = 0; i < 10; i++)
        Fl::wait(0.02);
    Fl::flush();
    std::string why;
    if (!saveViewImage(*gl, path, shownInputs(), why)) {
        std::cerr << "karvo: cannot write " << path << ": " << why << "\n";
        return 1;
    }
    return 0;
}
