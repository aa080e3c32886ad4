// The "File Error" window through which the dialogs name a problem.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

#include <string>
#include <vector>

#include "analysis/current_reference.h"
#include "analysis/loader.h"
#include "dialogs/dialog_state.h"
#include "dialogs/open_dialogs.h"
#include "model/output_file.h"

namespace {

const char* message(int code)
{
    switch (code) {
    case DEM_ERR:
        return "Invalid DEM file.";
    case MATCH_ERR:
        return "Files do not match";
    case CHECK_ERR:
        return "You must select a comparison filetype.";
    case FILES_ERR:
        return "Invalid DEM and comparison files.";
    case COMP_ERR:
        return "Invalid comparison file.";
    case MISS_ERR:
        return "Missing filename/s.";
    case UNIT_ERR:
        return "Select units.";
    case MEM_ERR:
        return "Not enough memory.";
    case OVERLAP_ERR:
        return "The comparison file does not overlap the DEM.";
    case ALIGN_ERR:
        return "The comparison file cannot be aligned with the DEM.";
    case CHECKPOINT_ERR:
        return "Invalid checkpoint file.";
    case IMAGE_ERR:
        return "The image cannot be written.";
    case WRITE_ERR:
        return "The file cannot be written.";
    case PLACES_ERR:
        return "Invalid places file.";
    case FIT_ERR:
        return "The curvature unit cannot be fitted.";
    default:
        return "";
    }
}

// What would make grids of different sizes fit.
const char* hint(int code)
{
    return code == MATCH_ERR ? "\"Align Comparison to DEM Grid\" in Options resamples the comparison onto the "
                               "DEM's grid"
                             : "";
}

// The small window of the short messages; a longer message, or one with a line under it,
// gets a wider one with room for that line.
Fl_Window* buildWindow(int code, const std::string& detail)
{
    const bool longMessage = code >= OVERLAP_ERR && code <= FIT_ERR;
    if (detail.empty() && !longMessage) {
        Fl_Window* w = new Fl_Window(200, 100, "File Error");
        new Fl_Box(50, 20, 100, 20, message(code));
        new Fl_Button(75, 50, 50, 20, "OK");
        return w;
    }
    Fl_Window* w = new Fl_Window(440, 130, "File Error");
    new Fl_Box(10, 15, 420, 20, message(code));
    Fl_Box* under = new Fl_Box(10, 40, 420, 45);
    under->copy_label(detail.c_str());
    under->labelsize(12);
    under->align(FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    new Fl_Button(195, 95, 50, 20, "OK");
    return w;
}

}  // namespace

const char* errorText(int code) { return message(code); }

void errorMessage(int code) { errorMessage(code, hint(code)); }

void errorMessage(int code, const std::string& detail)
{
    // One error window at a time: "OK" closes the newest, and an older one left behind
    // could not be closed from its own button.
    if (errorWin != nullptr)
        errorWin->hide();
    errorWin = buildWindow(code, detail);
    errorWin->child(errorWin->children() - 1)->callback(closeErr);
    errorWin->end();
    errorWin->show();
}

void closeErr(Fl_Widget*) { errorWin->hide(); }

bool writableOutput(const std::string& path)
{
    std::vector<std::string> inputs;
    for (const std::string& input : {demSourceName(), comparisonSource().name, loadedCheckpoints.file})
        if (!input.empty())
            inputs.push_back(input);
    const auto clash = outputOverInput({path}, inputs);
    if (clash)
        errorMessage(WRITE_ERR, "Cannot write " + clash->first + ": it is the same file as the input " + clash->second);
    return !clash;
}
