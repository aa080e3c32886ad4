#include "tests/support/layout_facts.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>

namespace {

std::string nameOf(const Fl_Widget* w)
{
    const std::string at = " at " + std::to_string(w->x()) + ", " + std::to_string(w->y()) + ", " +
                           std::to_string(w->w()) + " x " + std::to_string(w->h());
    return (w->label() && *w->label() ? "\"" + std::string(w->label()) + "\"" : "an unlabelled widget") + at;
}

bool inside(const Fl_Widget* w, const Fl_Window* window)
{
    return w->x() >= 0 && w->y() >= 0 && w->x() + w->w() <= window->w() && w->y() + w->h() <= window->h();
}

// An unlabelled outline drawn around a group of widgets: it covers nothing.
bool outline(const Fl_Widget* w)
{
    const Fl_Boxtype frames[] = {FL_NO_BOX,         FL_UP_FRAME,      FL_DOWN_FRAME,   FL_THIN_UP_FRAME,
                                 FL_THIN_DOWN_FRAME, FL_ENGRAVED_FRAME, FL_EMBOSSED_FRAME, FL_BORDER_FRAME,
                                 FL_ROUNDED_FRAME,   FL_OVAL_FRAME,    FL_SHADOW_FRAME};
    if (!dynamic_cast<const Fl_Box*>(w) || (w->label() && *w->label()))
        return false;
    for (Fl_Boxtype f : frames)
        if (w->box() == f)
            return true;
    return false;
}

bool labelInside(const Fl_Widget* w)
{
    const Fl_Align outside = FL_ALIGN_TOP | FL_ALIGN_BOTTOM | FL_ALIGN_LEFT | FL_ALIGN_RIGHT;
    return (w->align() & FL_ALIGN_INSIDE) || !(w->align() & outside);
}

// More than a sliver in both directions: edges may touch or cross by a pixel or two.
bool cover(const Fl_Widget* a, const Fl_Widget* b)
{
    if (outline(a) || outline(b))
        return false;
    const int across = std::min(a->x() + a->w(), b->x() + b->w()) - std::max(a->x(), b->x());
    const int down = std::min(a->y() + a->h(), b->y() + b->h()) - std::max(a->y(), b->y());
    return across > 2 && down > 2;
}

// A push button's label drawn inside it must fit it; check and radio buttons draw theirs
// beside the box, other widgets wherever they align it.
bool readable(const Fl_Widget* w)
{
    if (!w->label() || !*w->label())
        return true;
    if (w->labelsize() < 7)
        return false;
    if (!labelInside(w) || !dynamic_cast<const Fl_Button*>(w) || dynamic_cast<const Fl_Light_Button*>(w))
        return true;
    fl_font(w->labelfont(), w->labelsize());
    int width = 0, height = 0;
    fl_measure(w->label(), width, height, 0);
    return width <= w->w() && height <= w->h();
}

}  // namespace

testing::AssertionResult laidOut(const Fl_Window* window, std::vector<const Fl_Widget*> widgets)
{
    if (widgets.empty())
        for (int i = 0; i < window->children(); i++)
            if (window->child(i)->visible())
                widgets.push_back(window->child(i));
    for (std::size_t i = 0; i < widgets.size(); i++) {
        const Fl_Widget* w = widgets[i];
        if (!inside(w, window))
            return testing::AssertionFailure() << nameOf(w) << " reaches out of the window";
        for (std::size_t j = 0; j < i; j++)
            if (cover(w, widgets[j]))
                return testing::AssertionFailure() << nameOf(w) << " covers " << nameOf(widgets[j]);
        if (!readable(w))
            return testing::AssertionFailure() << "the label " << nameOf(w) << " is too small or does not fit";
    }
    return testing::AssertionSuccess();
}
