// "Worst Places..." and its "Worst Places" window: the review of the worst places of the DEM
// shown (analysis/current_review.h), one kind at a time, a row a place with the user's
// status and note. A row chosen is picked and centred in the view (view/picked_cell.h);
// "Export..." and "Import..." carry the decisions through a places file. There is one
// window: asking again shows it with the places taken anew (at the unit and options in
// force), the decisions kept.

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/current_review.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "dialogs/open_dialogs.h"
#include "dialogs/report_state.h"
#include "model/mountain.h"
#include "view/picked_cell.h"

namespace {

// rank, row, col, x, y, height, value, level, cells, status; the note takes the rest.
const int columnWidths[] = {45, 50, 50, 100, 100, 75, 75, 45, 45, 100, 0};

Fl_Window* placesWin = nullptr;
Fl_Choice* kindChoice = nullptr;
Fl_Counter* placesCounter = nullptr;
Fl_Hold_Browser* rowList = nullptr;
Fl_Input* noteInput = nullptr;
Fl_Box* outcomeBox = nullptr;
std::vector<std::size_t> listed;  // the review's entry on each line of rowList, line 1 first

PlaceKind kindShown() { return kindChoice->value() == 1 ? PlaceKind::difference : PlaceKind::curvature; }

// A note on one line of the list; "@." keeps the browser from reading a leading "@" as a
// format.
std::string noteColumn(const std::string& note)
{
    std::string text = "@." + note;
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

std::string lineText(const ReviewEntry& e)
{
    const Place& p = e.place;
    char figures[200];
    std::snprintf(figures, sizeof figures, "%d\t%d\t%d\t%.10g\t%.10g\t%.6g\t%.6g\t%d\t%d\t", p.rank, p.row, p.col, p.x,
                  p.y, double(p.height), double(p.value()), p.level(), p.cells);
    return figures + std::string(reviewStatusName(e.status)) + "\t" + noteColumn(e.note);
}

// The entry of the line chosen; false with none.
bool chosenEntry(std::size_t& entry)
{
    const int line = rowList->value();
    if (line < 1 || std::size_t(line) > listed.size() || listed[line - 1] >= placeReview.entries().size())
        return false;
    entry = listed[line - 1];
    return true;
}

void showLines()
{
    rowList->clear();
    listed.clear();
    const std::vector<ReviewEntry>& entries = placeReview.entries();
    for (std::size_t i = 0; i < entries.size(); i++) {
        if (entries[i].place.kind != kindShown())
            continue;
        listed.push_back(i);
        rowList->add(lineText(entries[i]).c_str());
    }
    noteInput->value("");
}

void showChosenLine()
{
    std::size_t entry = 0;
    if (chosenEntry(entry))
        rowList->text(rowList->value(), lineText(placeReview.entries()[entry]).c_str());
}

void kindChanged(Fl_Widget*, void*) { showLines(); }

void placesChanged(Fl_Widget*, void*)
{
    takeWorstPlaces(int(placesCounter->value()));
    showLines();
}

void rowChosen(Fl_Widget*, void*)
{
    std::size_t entry = 0;
    if (!chosenEntry(entry)) {
        noteInput->value("");
        return;
    }
    const ReviewEntry& e = placeReview.entries()[entry];
    noteInput->value(e.note.c_str());
    showPlaceInView(e.place.row, e.place.col);
}

void statusPressed(Fl_Widget*, void* status)
{
    std::size_t entry = 0;
    if (!chosenEntry(entry))
        return;
    placeReview.setStatus(entry, static_cast<ReviewStatus>(reinterpret_cast<std::intptr_t>(status)));
    showChosenLine();
}

void noteChanged(Fl_Widget*, void*)
{
    std::size_t entry = 0;
    if (!chosenEntry(entry))
        return;
    placeReview.setNote(entry, noteInput->value());
    showChosenLine();
}

void exportPressed(Fl_Widget*, void*)
{
    const std::string path = chosenFile("*.{geojson,json}\t*", "Export Places");
    if (!path.empty())
        exportReview(path);
}

void importPressed(Fl_Widget*, void*)
{
    const std::string path = chosenFile("*.{geojson,json}\t*", "Import Places");
    if (!path.empty())
        importReview(path);
}

void statusButton(int x, const char* label, char key, ReviewStatus status)
{
    Fl_Button* b = plasticButton(x, 410, 95, 22, label);
    b->shortcut(key);
    b->callback(statusPressed, reinterpret_cast<void*>(std::intptr_t(status)));
}

void buildRows()
{
    // The header is a browser of its own, with the rows' columns, that takes no choice.
    Fl_Browser* header = new Fl_Browser(10, 40, 840, 20);
    header->column_widths(columnWidths);
    header->has_scrollbar(0);
    header->add("@brank\t@brow\t@bcol\t@bx\t@by\t@bheight\t@bvalue\t@blevel\t@bcells\t@bstatus\t@bnote");
    header->box(FL_FLAT_BOX);
    rowList = new Fl_Hold_Browser(10, 60, 840, 340);
    rowList->column_widths(columnWidths);
    rowList->callback(rowChosen);
}

void buildWindow()
{
    placesWin = new Fl_Window(0, 0, 860, 480, "Worst Places");
    kindChoice = new Fl_Choice(50, 10, 120, 22, "Kind:");
    kindChoice->add("curvature");
    kindChoice->add("difference");
    kindChoice->value(0);
    kindChoice->callback(kindChanged);
    placesCounter = leftCounter(260, 10, 110, 22, "Places:");
    placesCounter->step(1);
    placesCounter->lstep(10);
    placesCounter->range(1, 1000);
    placesCounter->value(reviewedPlaces);
    placesCounter->callback(placesChanged);
    buildRows();
    statusButton(10, "Unreviewed", 'u', ReviewStatus::unreviewed);
    statusButton(110, "Confirmed", 'c', ReviewStatus::confirmed);
    statusButton(210, "Dismissed", 'd', ReviewStatus::dismissed);
    noteInput = new Fl_Input(360, 410, 490, 22, "Note:");
    noteInput->when(FL_WHEN_CHANGED);
    noteInput->callback(noteChanged);
    plasticButton(10, 445, 95, 22, "Export...")->callback(exportPressed);
    plasticButton(110, 445, 95, 22, "Import...")->callback(importPressed);
    outcomeBox = new Fl_Box(210, 445, 640, 22);
    outcomeBox->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    outcomeBox->labelsize(12);
    placesWin->end();
}

void showOutcome(const std::string& text)
{
    outcomeBox->copy_label(text.c_str());
    placesWin->redraw();
}

std::string importOutcome(const ReviewImport& imported)
{
    std::string text = "Restored: " + std::to_string(imported.restored) +
                       "; unknown places: " + std::to_string(imported.unknownPlaces);
    if (imported.noStatus > 0)
        text += "; without a status: " + std::to_string(imported.noStatus);
    return text;
}

}  // namespace

void worstPlacesWindow(Fl_Widget*, void*)
{
    if (mt.grid == nullptr)
        return;  // the entry is inactive then
    if (placesWin == nullptr)
        buildWindow();
    takeWorstPlaces(int(placesCounter->value()));
    showLines();
    showOutcome("");
    placesWin->show();
}

void showNewReview()
{
    if (placesWin == nullptr || !placesWin->shown())
        return;
    takeWorstPlaces(int(placesCounter->value()));
    showLines();
    showOutcome("");
}

bool exportReview(const std::string& path)
{
    if (!writableOutput(path))
        return false;
    std::string why;
    if (!exportPlaceReview(path, why)) {
        errorMessage(WRITE_ERR, "Cannot write " + path + (why.empty() ? "" : ": " + why));
        return false;
    }
    if (placesWin != nullptr)
        showOutcome("Exported " + std::to_string(placeReview.entries().size()) + " places to " + path);
    return true;
}

bool importReview(const std::string& path)
{
    ReviewImport imported;
    std::string why;
    if (!importPlaceReview(path, imported, why)) {
        errorMessage(PLACES_ERR, path + " " + why);
        return false;
    }
    if (placesWin != nullptr) {
        showLines();
        showOutcome(importOutcome(imported));
    }
    return true;
}

bool reviewMayBeDropped()
{
    if (!placeReview.hasUnexportedDecisions())
        return true;
    fl_message_title("Unexported Decisions");
    return fl_choice("The review of the worst places holds decisions that were not exported.\n"
                     "Drop them and open the new data?",
                     "No", "Yes", nullptr) == 1;
}

void showPlaceInView(int row, int col)
{
    // The pick's listener redraws the view; the keys stay with this window.
    centreViewOnCell(row, col);
    pickCell(row, col);
}

void forgetWorstPlacesWindow()
{
    delete placesWin;
    placesWin = nullptr;
    kindChoice = nullptr;
    placesCounter = nullptr;
    rowList = nullptr;
    noteInput = nullptr;
    outcomeBox = nullptr;
    listed.clear();
}
