#pragma once
// The windows behind some of the shell's menu entries and panel buttons belong to the layer
// above it: the dialogs call the shell, so the shell cannot name them. The dialogs fill this
// table with their entry points (dialogActions), and the program's entry, the one unit that
// knows both layers, hands it to buildMainWindow.

#include <FL/Fl_Widget.H>

struct DialogActions {
    Fl_Callback* openDem = nullptr;               // "DEM File"
    Fl_Callback* openDemAndComparison = nullptr;  // "DEM and Comparison File"
    Fl_Callback* addComparison = nullptr;         // "Add/Change Comparison File..."
    Fl_Callback* statistics = nullptr;            // "Statistics", the menu entry and the strip's button
    Fl_Callback* graph = nullptr;                 // "Graph" of the menu: the last chosen kind
    Fl_Callback* graphCurvature = nullptr;        // the panel's three "Graph" buttons
    Fl_Callback* graphDifference = nullptr;
    Fl_Callback* graphHeightClasses = nullptr;
    Fl_Callback* sparse = nullptr;                // "Make Sparse file"
    Fl_Callback* curvatureUnit = nullptr;         // "Modify Curvature Error"
    Fl_Callback* checkpoints = nullptr;           // "Checkpoints..."
    Fl_Callback* coregister = nullptr;            // "Coregister Comparison"
    Fl_Callback* saveReport = nullptr;            // "Save Report..."
    Fl_Callback* worstPlaces = nullptr;           // "Worst Places..."
    Fl_Callback* fitUnit = nullptr;               // "Fit Curvature Unit"
    // The options that read the comparison set again, whose refusal the error window names.
    Fl_Callback* maskNodata = nullptr;            // "Mask Nodata Cells"
    Fl_Callback* align = nullptr;                 // "Align Comparison to DEM Grid"
    Fl_Callback* resampling = nullptr;            // the three entries of "Resampling"
    Fl_Callback* saveImage = nullptr;             // "Save Image..."
};
