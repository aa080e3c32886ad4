#include "shell/toggles.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Window.H>

#include <cstdlib>
#include <initializer_list>

#include "analysis/current_reference.h"
#include "shell/reference_entries.h"
#include "shell/shell_state.h"
#include "view/coarse_frame.h"
#include "view/my_window.h"

namespace {

namespace menu = karvo::menu;

bool notMenu() { return (NOT_MENU & 0xff) != 0; }
bool panelShown() { return (toolsShown & 0xff) != 0; }
void setNotMenu(int value) { NOT_MENU = (NOT_MENU & ~0xff) | (value & 0xff); }

void flipButton(Fl_Check_Button* button) { button->value(button->value() ? 0 : 1); }

void flipMenuEntry(int index)
{
    Fl_Menu_Item& entry = menuEntry(index);
    if (entry.value())
        entry.clear();
    else
        entry.set();
}

void cameraCommand(void (MyWindow::*command)(Fl_Widget*), Fl_Widget* w)
{
    (gl->*command)(w);
    showView();
}

using Handler = void (*)(Fl_Widget*, void*);

struct Partner {
    Fl_Check_Button* button;
    Handler handler;
};

// A switch being turned on turns its checked partners off first, in the order given;
// through NOT_MENU each partner also unchecks its own menu entry.
void turnOffPartners(Fl_Check_Button* own, std::initializer_list<Partner> partners, Fl_Widget* w)
{
    for (const Partner& p : partners) {
        if (own->value() && p.button->value()) {
            p.button->value(0);
            p.handler(w, nullptr);
        }
    }
}

// Steps 2 to 4 of every menu handler: stop when the data set lacks what the switch
// needs, otherwise flip the panel button as the user would have.
void fromMenu(bool allowed, Fl_Check_Button* button, Handler shared, Fl_Widget* w)
{
    setNotMenu(0);
    if (!allowed)
        return;
    flipButton(button);
    shared(w, nullptr);
}

void enterShared(int menuIndex)
{
    if (notMenu())
        flipMenuEntry(menuIndex);
    setNotMenu(1);
}

}  // namespace

void trianglesM(Fl_Widget* w, void*) { fromMenu(FILE_CONST > 0, tri, triangles, w); }
void lightfnM(Fl_Widget* w, void*) { fromMenu(FILE_CONST > 0, light, lightfn, w); }
void axesfnM(Fl_Widget* w, void*) { fromMenu(FILE_CONST > 0, axes, axesfn, w); }
void contfnM(Fl_Widget* w, void*) { fromMenu(FILE_CONST == 2 || checkpointsLoaded(), cont, contfn, w); }
void sunCallM(Fl_Widget* w, void*) { fromMenu(FILE_CONST > 0, sun, sunCall, w); }
void colorM(Fl_Widget* w, void*) { fromMenu(FILE_CONST > 0, colors, colorfn, w); }
void slopeM(Fl_Widget* w, void*) { fromMenu(FILE_CONST > 0, slope, slopeFn, w); }
void heightsM(Fl_Widget* w, void*) { fromMenu(FILE_CONST == 2, col, heights, w); }
void CerrfnM(Fl_Widget* w, void*) { fromMenu(true, Cerr, Cerrfn, w); }
void lerrfnM(Fl_Widget* w, void*) { fromMenu(FILE_CONST == 2, lerr, lerrfn, w); }

void triangles(Fl_Widget* w, void*)
{
    enterShared(menu::TRI);
    gl->triangles(w);
    showView();
}

void lightfn(Fl_Widget* w, void*)
{
    enterShared(menu::LIGHT);
    gl->light(w);
    showView();
}

void axesfn(Fl_Widget* w, void*)
{
    enterShared(menu::AXES);
    gl->Axes(w);
    showView();
}

void sunCall(Fl_Widget* w, void*)
{
    enterShared(menu::SUN);
    gl->sun(w);
    showView();
}

void contfn(Fl_Widget* w, void*)
{
    enterShared(menu::CONT);
    turnOffPartners(cont, {{col, heights}, {colors, colorfn}, {slope, slopeFn}}, w);
    gl->cont(w);
    showView();
}

void colorfn(Fl_Widget* w, void*)
{
    enterShared(menu::COLORS);
    turnOffPartners(colors, {{slope, slopeFn}, {col, heights}, {cont, contfn}}, w);
    gl->Colors(w);
    showView();
}

void slopeFn(Fl_Widget* w, void*)
{
    enterShared(menu::SLOPE);
    turnOffPartners(slope, {{col, heights}, {colors, colorfn}, {cont, contfn}}, w);
    gl->slopeVis(w);
    showView();
}

void heights(Fl_Widget* w, void*)
{
    enterShared(menu::HEIGHTS);
    turnOffPartners(col, {{colors, colorfn}, {slope, slopeFn}, {cont, contfn}}, w);
    if (FILE_CONST != 2)
        return;
    gl->heights(w);
    showView();
}

void Cerrfn(Fl_Widget* w, void*)
{
    enterShared(menu::CERR);
    turnOffPartners(Cerr, {{lerr, lerrfn}}, w);
    gl->cerr(w);
    showView();
}

void lerrfn(Fl_Widget* w, void*)
{
    enterShared(menu::LERR);
    turnOffPartners(lerr, {{Cerr, Cerrfn}}, w);
    gl->lerr(w);
    showView();
}

void proffn(Fl_Widget*, void*)
{
    setNotMenu(1);
    gl->prof();
    showView();
}

void ZoomInButton_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::ZoomInButton_callback, w); }
void ZoomOutButton_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::ZoomOutButton_callback, w); }
void XPlus90Button_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::XPlus90Button_callback, w); }
void XMinus90Button_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::XMinus90Button_callback, w); }
void ZPlus90Button_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::ZPlus90Button_callback, w); }
void ZMinus90Button_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::ZMinus90Button_callback, w); }
void TopButton_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::TopButton_callback, w); }
void SideButton_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::SideButton_callback, w); }
void ResetButton_callback(Fl_Widget* w, void*) { cameraCommand(&MyWindow::ResetButton_callback, w); }
void sunPlusFN(Fl_Widget*, void*)
{
    gl->sunModPlus();
    showView();
}

void sunMinusFN(Fl_Widget*, void*)
{
    gl->sunModMinus();
    showView();
}

void fullResolutionM(Fl_Widget*, void*)
{
    setFullResolutionFrames(menuEntry(menu::FULL_RESOLUTION).value() != 0);
    showView();
}

void tools(Fl_Widget*, void*)
{
    // Flipped first: activateTools acts only while the panel is shown.
    toolsShown ^= 1;
    if (!panelShown()) {
        XMAX = 1050;
        deactivateTools();
        // Active, the cover takes the clicks meant for the hidden widgets beneath it.
        block->activate();
        block->show();
    } else {
        XMAX = 625;
        block->deactivate();
        block->hide();
        if (FILE_CONST > 0)
            activateTools();
    }
    gl->resize(XMIN, 25, XMAX, 625);
}

void activateTools()
{
    showReferenceEntries();
    // The display toggles stay inactive while the panel is hidden, whatever is opened;
    // showing the panel again activates them.
    if (!panelShown())
        return;
    for (int index : {menu::TRI, menu::LIGHT, menu::AXES, menu::SUN, menu::COLORS, menu::SLOPE})
        menuEntry(index).activate();
    for (Fl_Widget* w : std::initializer_list<Fl_Widget*>{tri, slope, sun, unitSlider1, axes, light, colors, Cerr,
                                                         graphCButton, prof})
        w->activate();
    light->value(1);
    if (FILE_CONST == 2) {
        for (int index : {menu::CONT, menu::HEIGHTS, menu::CERR, menu::LERR, menu::GRAPH, menu::SPARSE})
            menuEntry(index).activate();
        for (Fl_Widget* w : std::initializer_list<Fl_Widget*>{graphButton, graphDButton, col, cont, lerr})
            w->activate();
    }
    win->redraw();
}

void deactivateTools()
{
    for (Fl_Widget* w : std::initializer_list<Fl_Widget*>{graphCButton, graphDButton, graphButton, unitSlider1})
        w->deactivate();
    for (int index : {menu::TRI, menu::SLOPE, menu::LIGHT, menu::AXES, menu::CONT, menu::SUN, menu::HEIGHTS,
                      menu::COLORS, menu::CERR, menu::LERR, menu::GRAPH, menu::SPARSE})
        menuEntry(index).deactivate();
    for (Fl_Widget* w :
         std::initializer_list<Fl_Widget*>{tri, prof, axes, slope, light, cont, lerr, Cerr, sun, col, colors})
        w->deactivate();
    showReferenceEntries();
    win->redraw();
}

void popup(Fl_Widget*, void*)
{
    Fl_Window* window = new Fl_Window(100, 100, 200, 200, "Help");
    window->end();
    window->show();
}

namespace {

Fl_Window* aboutWindow(std::initializer_list<const char*> lines, bool whiteCursor)
{
    Fl_Window* window = new Fl_Window(200, 200, "About");
    Fl_Multiline_Output* text = new Fl_Multiline_Output(0, 0, 450, 400);
    for (const char* line : lines)
        text->insert(line);
    if (whiteCursor)
        text->cursor_color(FL_WHITE);
    window->end();
    window->show();
    return window;
}

}  // namespace

void about(Fl_Widget*, void*)
{
    aboutWindow({"\n\n\n     KARVO: Karvoscope\n", "\t      Version 0.1\n", "\tMaren Holt\n", "\t Tomas Ekberg\n",
                 "\t\tMay 2006\n"},
                true);
}

void help(Fl_Widget*, void*) { aboutWindow({"\n\n\n\t   not done yet \n"}, false); }

void quit(Fl_Widget*, void*) { std::exit(0); }

void profV(Fl_Widget*, void*)
{
    profView = VERTP;
    profHoriz->value(0);
}

void profH(Fl_Widget*, void*)
{
    profView = HORIZ;
    profVert->value(0);
}

void pChange(Fl_Widget*, void*)
{
    gl->changeProf(static_cast<int>(pdisplay->value()));
    gl->take_focus();
}
