#pragma once
// The handlers behind the menu entries and the tool panel's buttons. A display switch can
// be worked from a menu toggle and from a panel check button; the menu handler (…M)
// flips the panel button and calls the shared handler, and the shared handler flips the
// menu entry when it was reached from the panel, so mark, button and display flag stay in
// step whichever side the user works. Two groups allow one member on at a time: the
// surface colourings (height colours, slope colours, height classes, contours) and the
// error colourings (curvature, local difference).
//
// Every handler ends by redrawing the view and giving it the keyboard focus.

class Fl_Widget;

// Menu handlers of the toggles.
void trianglesM(Fl_Widget* w, void* data = nullptr);
void lightfnM(Fl_Widget* w, void* data = nullptr);
void axesfnM(Fl_Widget* w, void* data = nullptr);
void contfnM(Fl_Widget* w, void* data = nullptr);
void sunCallM(Fl_Widget* w, void* data = nullptr);
void colorM(Fl_Widget* w, void* data = nullptr);
void slopeM(Fl_Widget* w, void* data = nullptr);
void heightsM(Fl_Widget* w, void* data = nullptr);
void CerrfnM(Fl_Widget* w, void* data = nullptr);
void lerrfnM(Fl_Widget* w, void* data = nullptr);

// Shared handlers, also the panel check buttons' callbacks.
void triangles(Fl_Widget* w, void* data = nullptr);
void lightfn(Fl_Widget* w, void* data = nullptr);
void axesfn(Fl_Widget* w, void* data = nullptr);
void contfn(Fl_Widget* w, void* data = nullptr);
void sunCall(Fl_Widget* w, void* data = nullptr);
void colorfn(Fl_Widget* w, void* data = nullptr);
void slopeFn(Fl_Widget* w, void* data = nullptr);
void heights(Fl_Widget* w, void* data = nullptr);
void Cerrfn(Fl_Widget* w, void* data = nullptr);
void lerrfn(Fl_Widget* w, void* data = nullptr);
void proffn(Fl_Widget* w, void* data = nullptr);

// Camera and sun commands of the "&View" menu and the panel.
void ZoomInButton_callback(Fl_Widget* w, void* data = nullptr);
void ZoomOutButton_callback(Fl_Widget* w, void* data = nullptr);
void XPlus90Button_callback(Fl_Widget* w, void* data = nullptr);
void XMinus90Button_callback(Fl_Widget* w, void* data = nullptr);
void ZPlus90Button_callback(Fl_Widget* w, void* data = nullptr);
void ZMinus90Button_callback(Fl_Widget* w, void* data = nullptr);
void TopButton_callback(Fl_Widget* w, void* data = nullptr);
void SideButton_callback(Fl_Widget* w, void* data = nullptr);
void ResetButton_callback(Fl_Widget* w, void* data = nullptr);
void sunPlusFN(Fl_Widget* w, void* data = nullptr);
void sunMinusFN(Fl_Widget* w, void* data = nullptr);

// "Full Resolution Frames" in "&Options": still frames of large grids drawn in full, not
// from a level of detail, while its mark is set.
void fullResolutionM(Fl_Widget* w, void* data = nullptr);

// "Display\Hide Tools": hides the panel (the view widens over it) or shows it again.
void tools(Fl_Widget* w, void* data = nullptr);

// Command activation by the loaded data set: the first set whenever a data set kind has
// been chosen, the second only with comparison data (FILE_CONST 2). Both set the reference
// data's entries too (shell/reference_entries.h).
void activateTools();
void deactivateTools();

void popup(Fl_Widget* w, void* data = nullptr);  // the "?" buttons
void about(Fl_Widget* w, void* data = nullptr);
void help(Fl_Widget* w, void* data = nullptr);
void quit(Fl_Widget* w, void* data = nullptr);

// Profile controls of the panel.
void profV(Fl_Widget* w, void* data = nullptr);
void profH(Fl_Widget* w, void* data = nullptr);
void pChange(Fl_Widget* w, void* data = nullptr);
