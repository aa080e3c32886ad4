#pragma once
// The real main window with the report windows and dialogs opened from it; every window
// a case opens is deleted after it.

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/report_state.h"
#include "shell/shell_state.h"
#include "tests/support/main_window_fixture.h"

class ReportWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        resetReportState();
        build();
    }
    void TearDown() override
    {
        std::vector<Fl_Window*> opened;
        for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w))
            if (w != win && w->parent() == nullptr)
                opened.push_back(w);
        for (Fl_Window* w : opened)
            delete w;
        resetReportState();
        MainWindowTest::TearDown();
    }

    // Children of group of type T, in creation order.
    template <typename T>
    static std::vector<T*> children(Fl_Group* group)
    {
        std::vector<T*> found;
        for (int i = 0; i < group->children(); i++)
            if (T* t = dynamic_cast<T*>(group->child(i)))
                found.push_back(t);
        return found;
    }

    // The child of group with this label, or null.
    template <typename T = Fl_Widget>
    static T* labelled(Fl_Group* group, const char* label)
    {
        for (int i = 0; i < group->children(); i++) {
            Fl_Widget* c = group->child(i);
            if (c->label() != nullptr && std::strcmp(c->label(), label) == 0)
                return dynamic_cast<T*>(c);
        }
        return nullptr;
    }

    static bool emptyLabel(const Fl_Widget* w) { return w->label() == nullptr || *w->label() == '\0'; }
};
