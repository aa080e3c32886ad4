// "DEM File" and "DEM and Comparison File": one Open callback serves both, in one-file
// mode (FILE_CONST 1) and two-file mode (FILE_CONST 2).

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/filename.H>

#include <string>

#include "dialogs/dialog_parts.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "model/error.h"
#include "shell/curvature_unit.h"
#include "shell/information_strip.h"
#include "shell/options.h"
#include "shell/reference_entries.h"
#include "shell/shell_state.h"
#include "shell/toggles.h"
#include "view/my_window.h"

namespace {

// filename and filename2 point here: the fields' own text moves as the user edits it.
std::string demPath;
std::string comparisonPath;

// What an Open asks of the loader, read from the newest dialog. The names are in filename
// and filename2.
struct OpenRequest {
    bool twoFiles = false;
    int exaggeration = 1;
    int type = CONTF;
    int interval = 0;
    int treeline = 0;
    int slope = 0;
};

// Read: the names (the command line's path once, in place of the DEM field), the counters
// and the comparison type.
OpenRequest readOpenDialog()
{
    OpenRequest r;
    r.twoFiles = FILE_CONST == 2;
    if (initFiles != 0) {
        initFiles = 0;  // filename still holds the command-line path, used this once
    } else {
        demPath = finput->value();
        filename = demPath.c_str();
    }
    filename2 = nullptr;
    if (r.twoFiles) {
        comparisonPath = finput2->value();
        filename2 = comparisonPath.c_str();
    }
    r.exaggeration = static_cast<int>(vinput->value());
    r.treeline = static_cast<int>(tinput->value());
    r.slope = static_cast<int>(sinput->value());
    // A DEM alone goes to the loader as type CONTF with no interval. That is no choice
    // of comparison type: a later two-file Open with no box checked still asks for one.
    if (r.twoFiles) {
        // With no box checked the type of an earlier attempt stays.
        if (const int chosen = checkedType())
            fileType = chosen;
        r.type = fileType;
        r.interval = static_cast<int>(continput->value());
    } else {
        fileType = 0;
    }
    return r;
}

// What an Open shows in the main window before the files are checked.
void showRequest(const OpenRequest& r)
{
    showExaggeration(r.exaggeration);
    deactivateTools();
    activateTools();
    showFileName(StripField::Dem, filename);
    showFileName(StripField::Comparison, filename2);
}

// Which of the two files cannot be opened, or that no type was chosen.
int twoFileError(bool demGood, bool comparisonGood)
{
    if (!demGood)
        return comparisonGood ? DEM_ERR : FILES_ERR;
    return comparisonGood ? CHECK_ERR : COMP_ERR;
}

// Validate: the error code of what keeps the request from the loader, 0 for nothing.
int openProblem(const OpenRequest& r)
{
    if (filename == nullptr || filename[0] == '\0' || (r.twoFiles && filename2[0] == '\0'))
        return MISS_ERR;
    const bool demGood = canOpen(filename);
    if (!r.twoFiles)
        return demGood ? 0 : DEM_ERR;
    const bool comparisonGood = canOpen(filename2);
    return demGood && comparisonGood && r.type != 0 ? 0 : twoFileError(demGood, comparisonGood);
}

// Act: the view's load, a long read's progress in the strip.
LoadOutcome load(const OpenRequest& r, float& xll, float& yll, float& size)
{
    StripProgress progress(StripField::Dem);
    return gl->Begin(r.slope, true, FILE_CONST, filename, filename2, r.exaggeration, r.type, r.treeline, r.interval,
                     xll, yll, size);
}

// Show: the data set opened, with the options it may have turned on and the entries it
// allows (a new DEM drops the checkpoints and starts a new review); the dialog closes.
void showOpened(float xll, float yll, float size)
{
    showOptions();  // a geographic raster turns cells in degrees on
    forgetUnitFit();  // the unit stays, fitted to the data before
    showReferenceEntries();
    showNewReview();
    showCorner(xll, yll, size);
    openwin->hide();
    showView();
}

}  // namespace

void file(Fl_Widget*, void*)
{
    Fl_Window* window = newDialog(300, 250);
    FILE_CONST = 1;
    window->box(FL_PLASTIC_UP_BOX);
    finput = new Fl_Input(10, 25, 200, 20, "DEM:");
    finput->align(FL_ALIGN_TOP);
    tinput = treelineCounter(75, 105);
    sinput = slopeCounter(125, 150);
    vinput = leftCounter(150, 60, 60, 20, "Vertical Exageration :");
    vinput->step(1);
    vinput->lstep(2);
    vinput->range(1, 10);
    vinput->value(1);
    vinput->callback(vChange);
    plasticButton(216, 20, 60, 20, "Search...")->callback(searchButton_callback);
    plasticButton(70, 190, 50, 20, "Open")->callback(openButton_callback);
    plasticButton(135, 190, 50, 20, "Cancel")->callback(cancelButton_callback);
    window->end();
    openwin = window;
    window->show();
}

void files(Fl_Widget*, void*)
{
    FILE_CONST = 2;
    Fl_Window* window = newDialog(350, 300);
    window->box(FL_PLASTIC_UP_BOX);
    finput = new Fl_Input(10, 30, 180, 20, "DEM:");
    finput->align(FL_ALIGN_TOP);
    finput2 = new Fl_Input(10, 75, 180, 20, "Comparison File:");
    finput2->align(FL_ALIGN_TOP);
    vinput = leftCounter(150, 110, 50, 20, "Vertical Exageration :");
    vinput->step(1);
    vinput->range(1, 10);
    vinput->value(1);
    vinput->callback(vChange);
    tinput = treelineCounter(75, 135);
    sinput = slopeCounter(125, 175);
    buildTypeBoxes(245);
    plasticButton(205, 30, 60, 20, "Search...")->callback(searchButton_callback);
    plasticButton(205, 75, 60, 20, "Search...")->callback(searchButton2_callback);
    plasticButton(100, 265, 50, 20, "Open")->callback(openButton_callback);
    plasticButton(160, 265, 50, 20, "Cancel")->callback(cancelButton_callback);
    window->end();
    openwin = window;
    window->show();
}

void openButton_callback(Fl_Widget*)
{
    // The question comes before anything changes: "No" leaves the dialog as it is.
    if (reviewMayBeDropped())
        openDialogFiles();
}

int openDialogFiles()
{
    const StripText before = stripShown();
    const OpenRequest request = readOpenDialog();
    showRequest(request);
    if (const int problem = openProblem(request)) {
        errorMessage(problem);
        return problem;
    }
    float xll = 0, yll = 0, size = 0;
    const LoadOutcome outcome = load(request, xll, yll, size);
    if (outcome != LoadOutcome::Loaded) {
        showStrip(before);
        errorMessage(loadError(outcome));  // the type stays for the next attempt
        return loadError(outcome);
    }
    if (request.twoFiles)
        fileType = 0;
    showOpened(xll, yll, size);
    return 0;
}

void cancelButton_callback(Fl_Widget*) { openwin->hide(); }

std::string chosenFile(const char* patterns, const char* title)
{
    const char* start = fl_filename_isdir(DIRECTORY) ? DIRECTORY : ".";
    Fl_File_Chooser chooser(start, patterns, Fl_File_Chooser::CREATE, title);
    chooser.show();
    while (chooser.shown())
        Fl::wait();
    const char* chosen = chooser.value();
    return chosen != nullptr ? chosen : "";
}

void chooseFile(Fl_Input* target)
{
    // Text grids first; GeoTIFFs and anything else GDAL reads as further choices. Other
    // windows stay live meanwhile, so the field is the one asked for, not whatever a
    // dialog built during the wait put into the globals.
    const std::string chosen = chosenFile("*.grd\t*.{tif,tiff}\t*", "Open File");
    target->value(chosen.c_str());
}

void searchButton_callback(Fl_Widget*, void*) { chooseFile(finput); }
void searchButton2_callback(Fl_Widget*, void*) { chooseFile(finput2); }
