#pragma once
// The grid point picked in the view (Ctrl + left click, or a place chosen in a list): it
// is marked by a cross in the frame and its figures are shown until the next pick or Open.
// The shell, which shows the figures, hears of every change through the listener it sets;
// the camera of the last frame drawn is kept here so that a click is read with the
// matrices of the frame it was made on.

struct PickedCell {
    bool picked = false;
    int row = 0, col = 0;  // the grid point of mt
};

PickedCell pickedCell();

// Marks grid point (row, col) of mt as picked, as a click on it does; a point outside the
// grid is no pick and changes nothing.
void pickCell(int row, int col);
// Turns nothing but moves and zooms the camera so that grid point (row, col) is at the
// centre of the view and is turned about, at most CENTRED_EYE away; the listener redraws.
void centreViewOnCell(int row, int col);
// No point is picked (an Open calls it).
void clearPickedCell();

// Called after every change above, with the view to be redrawn; null for none.
using PickListener = void (*)();
void setPickListener(PickListener listener);

// Called by the frame once the camera is placed: the matrices that pickAt reads.
void rememberFrameCamera();
// The grid point nearest to where the last frame drawn shows the surface at window pixel
// (x, y) (origin at the lower left), read from the depth buffer of the current context,
// which must still hold that frame; false where the frame shows no surface.
bool gridPointAt(int x, int y, int& row, int& col);
// The cross at the picked point, a few pixels wide whatever the zoom and drawn over the
// surface; nothing at all without a pick.
void drawPickedCross();

// Nothing picked, no camera kept, no listener.
void resetPickedCell();
