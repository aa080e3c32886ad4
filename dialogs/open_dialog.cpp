// "DEM File" and "DEM and Comparison File": one Open callback serves both, in one-file
// mode (FILE_CONST 1) and two-file mode (FILE_CONST 2).

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Value_Output.H>
#include <FL/Fl_Window.H>
#include <FL/filename.H>

#include <string>

#include "dialogs/dialog_parts.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "model/error.h"
#include "shell/options.h"
#include "shell/shell_state.h"
#include "shell/toggles.h"
#include "view/my_window.h"

namespace {

// filename and filename2 point here: the fields' own text moves as the user edits it.
std::string demPath;
std::string comparisonPath;

void showName(Fl_Output* field, const char* name)
{
    field->value("");
    if (name != nullptr)
        field->insert(name);
}

// What an Open writes into the main window before the files are read. When the load
// does not take, the strip goes back to the data set still shown.
struct Strip {
    std::string dem, comparison;
    double exaggeration;

    static Strip shown() { return {file1Label->value(), file2Label->value(), vdisplay->value()}; }
    void show() const
    {
        file1Label->value(dem.c_str());
        file2Label->value(comparison.c_str());
        vdisplay->value(exaggeration);
    }
};

// The view's load with the dialog's settings, a long read's progress in the strip.
LoadOutcome begin(int exaggeration, int type, int interval, float& xll, float& yll, float& size)
{
    StripProgress progress(file1Label);
    return gl->Begin(static_cast<int>(sinput->value()), true, FILE_CONST, filename, filename2, exaggeration, type,
                     static_cast<int>(tinput->value()), interval, xll, yll, size);
}

// Which of the two files cannot be opened, or that no type was chosen.
int twoFileError(bool demGood, bool comparisonGood)
{
    if (!demGood)
        return comparisonGood ? DEM_ERR : FILES_ERR;
    return comparisonGood ? CHECK_ERR : COMP_ERR;
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
    const bool twoFiles = FILE_CONST == 2;
    const Strip before = Strip::shown();
    if (initFiles != 0) {
        initFiles = 0;  // filename still holds the command-line path, used this once
    } else {
        demPath = finput->value();
        filename = demPath.c_str();
    }
    if (twoFiles) {
        comparisonPath = finput2->value();
        filename2 = comparisonPath.c_str();
    } else {
        filename2 = nullptr;
    }
    const int exaggeration = static_cast<int>(vinput->value());
    vdisplay->value(exaggeration);

    deactivateTools();
    activateTools();
    showName(file1Label, filename);
    showName(file2Label, filename2);

    // A DEM alone goes to the loader as type CONTF with no interval. That is no choice
    // of comparison type: a later two-file Open with no box checked still asks for one.
    int type = CONTF;
    if (twoFiles) {
        // With no box checked the type of an earlier attempt stays.
        if (const int chosen = checkedType())
            fileType = chosen;
        type = fileType;
    } else {
        fileType = 0;
    }
    if (filename == nullptr || filename[0] == '\0' || (twoFiles && filename2[0] == '\0')) {
        errorMessage(MISS_ERR);
        return;
    }

    const bool demGood = canOpen(filename);
    const bool comparisonGood = twoFiles && canOpen(filename2);
    if (!twoFiles && !demGood) {
        errorMessage(DEM_ERR);
        return;
    }
    if (twoFiles && !(demGood && comparisonGood && fileType != 0)) {
        errorMessage(twoFileError(demGood, comparisonGood));
        return;
    }

    const int interval = twoFiles ? static_cast<int>(continput->value()) : 0;
    float xll = 0, yll = 0, size = 0;
    const LoadOutcome outcome = begin(exaggeration, type, interval, xll, yll, size);
    if (outcome != LoadOutcome::Loaded) {
        before.show();
        errorMessage(loadError(outcome));  // the type stays for the next attempt
        return;
    }
    if (twoFiles)
        fileType = 0;
    showOptions();  // a geographic raster turns cells in degrees on
    xcornerLabel->value(xll);
    ycornerLabel->value(yll);
    cellsizeLabel->value(size);
    openwin->hide();
    gl->redraw();
    gl->take_focus();
    gl->redraw();
}

void cancelButton_callback(Fl_Widget*) { openwin->hide(); }

void chooseFile(Fl_Input* target)
{
    const char* start = fl_filename_isdir(DIRECTORY) ? DIRECTORY : ".";
    // Text grids first; GeoTIFFs and anything else GDAL reads as further choices.
    Fl_File_Chooser chooser(start, "*.grd\t*.{tif,tiff}\t*", Fl_File_Chooser::CREATE, "Open File");
    chooser.show();
    // Other windows stay live meanwhile, so the field is the one asked for, not
    // whatever a dialog built during the wait put into the globals.
    while (chooser.shown())
        Fl::wait();
    const char* chosen = chooser.value();
    target->value(chosen != nullptr ? chosen : "");
}

void searchButton_callback(Fl_Widget*, void*) { chooseFile(finput); }
void searchButton2_callback(Fl_Widget*, void*) { chooseFile(finput2); }

void vChange(Fl_Widget*, void*)
{
    // Whichever counter called, the main window's value is the one that applies; a
    // dialog's own value takes effect at its Open, which copies it into vdisplay.
    gl->changeVert(static_cast<int>(vdisplay->value()), FILE_CONST);
    gl->redraw();
    gl->take_focus();
}
