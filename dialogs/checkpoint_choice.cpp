// "Checkpoints...": a file chooser for a checkpoint file, whose points replace the set held
// (analysis/current_reference.h). The rows the file skips are named on the console as
// karvo-report names them; a file that gives no checkpoint prints its "ERROR: " line, shows
// the reason in the error window and leaves the set held as it was.

#include <iostream>
#include <string>

#include "analysis/current_reference.h"
#include "analysis/reference_text.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "model/mountain.h"
#include "shell/reference_entries.h"
#include "shell/shell_state.h"

void checkpoints(Fl_Widget*, void*)
{
    // Tables first; vector files GDAL reads, and anything else, as further choices.
    const std::string path = chosenFile("*.{csv,txt}\t*.{gpkg,shp,geojson,json,kml}\t*", "Checkpoints");
    if (!path.empty())
        openCheckpoints(path);
}

void openCheckpoints(const std::string& path)
{
    if (mt.grid == nullptr)
        return;  // the entry is inactive without a DEM: the points need its coordinate system
    const CheckpointSet set = loadCheckpoints(path);
    std::cerr << skippedRowsText(path, set.skipped);
    if (!set.problem.empty()) {
        std::cout << "ERROR: file \"" << path << "\": " << set.problem << std::endl;
        errorMessage(CHECKPOINT_ERR, set.problem);
        return;
    }
    showReferenceEntries();
    showView();
}
