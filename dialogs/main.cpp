// The viewer's entry. It lives with the dialogs, the top layer, because it is where the
// layers are put together: the shell's main window is handed the dialogs' entry points as a
// table of actions (shell/dialog_actions.h), so that nothing under shell/ names a dialog
// and the folders show the direction of the calls, dialogs to shell to view.

#include <FL/Fl.H>

#include "dialogs/dialogs.h"
#include "model/memory_need.h"
#include "shell/main_window.h"
#include "shell/options.h"

int main(int argc, char** argv)
{
    const int status = takeCommandLineOptions(argc, argv);
    if (status >= 0)
        return status;
    gridUse.drawing = true;  // a grid's memory need counts the view's memo of it
    buildMainWindow(argc, argv, dialogActions());
    if (!snapshotFile().empty())
        return takeSnapshot(snapshotFile());
    return Fl::run();
}
