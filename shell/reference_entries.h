#pragma once
// The menu entries of the reference data: "Checkpoints..." and "Clear Checkpoints" in
// "&File", "Coregister Comparison" and "Undo Coregistration" in "&Analysis", and those that
// hand the DEM's findings over: "Save Report...", "Worst Places..." and "Fit Curvature
// Unit". Each is active only while it has something to act on; the two that open no window
// are handled here.

class Fl_Widget;

// Activates the entries by the data set loaded: "Checkpoints..." and the three that hand
// the findings over with a DEM, "Clear Checkpoints" while a set is held, "Coregister
// Comparison" with a comparison DEM on the DEM's grid, "Undo Coregistration" while the
// comparison is coregistered. With a DEM alone, "Contour\Initial Data" (menu entry and
// panel button) shows the checkpoints: it is activated while a set is held and the panel
// is shown, and turned off and deactivated when the set goes (cleared, or dropped with its
// DEM). Called after every change of these.
void showReferenceEntries();

// "Clear Checkpoints": drops the set held.
void clearCheckpointsM(Fl_Widget* w, void* data = nullptr);

// "Undo Coregistration": the comparison set as read comes back, with its difference levels.
void undoCoregistrationM(Fl_Widget* w, void* data = nullptr);
