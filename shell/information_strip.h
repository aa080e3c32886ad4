#pragma once
// The information strip under the view: the names of the data set's files, its lower left
// corner and cellsize (for a DEM in degrees also a cell's east-west and north-south length
// on the ground), and the vertical exaggeration that applies to the view. The open
// dialogs show what they open through these functions.

#include <string>

#include "model/progress.h"

struct Place;

class Fl_Output;
class Fl_Widget;

enum class StripField { Dem, Comparison };

// Builds the strip's fields and its exaggeration counter into the main window being built.
void buildInformationStrip();

// The file names and the exaggeration shown, kept by an Open to be shown again when its
// load does not take.
struct StripText {
    std::string dem, comparison;
    double exaggeration = 1;
};
StripText stripShown();
void showStrip(const StripText& text);

void showFileName(StripField field, const char* name);  // a null name empties the field
void showCorner(float xll, float yll, float cellsize);  // and the ground lengths, as showGroundCell
// With cells in degrees and a DEM loaded, its cell's lengths on the ground ("E-W 15.46 m"
// over "N-S 30.92 m"); otherwise nothing.
void showGroundCell();
int exaggerationShown();  // the counter's value, truncated toward zero
void showExaggeration(int exaggeration);  // sets the counter without running vChange

// The figures line of a picked point: "Row 12  Column 40  x ... y ...  Height ...", then
// the curvature and the difference with their levels where the point has them.
std::string pickedFiguresText(const Place& figures);
// Shows the picked point's figures (view/picked_cell.h), or hides the line when none is
// picked, and redraws the view: the listener the strip sets for every pick.
void showPickedCell();
// The figures of the point picked, graded again after the unit or the comparison set
// changed; nothing when no point is picked.
void refreshPickedFigures();

// Callback of every vertical exaggeration counter, the dialogs' and the strip's. Whichever
// counter called, the strip's value is the one that applies: the view is rebuilt with it
// (with the difference pass in two-file mode) and takes the focus. A dialog's own value
// takes effect at its Open, which shows it here.
void vChange(Fl_Widget* w, void* data = nullptr);

// While it lives, a read that takes long shows its progress in a field of the strip; the
// field's text comes back when the read is done. Other long work tells its share through
// report and is shown under its own word ("Coregistering: 40 %").
class StripProgress {
public:
    explicit StripProgress(StripField field, const char* doing = "Reading");
    void report(double share) { progress.report(share); }

private:
    void show(const std::string& value);

    Fl_Output* field;
    std::string text;
    ReadProgress progress;
};
