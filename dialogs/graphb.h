#pragma once
// The bar graph of the graph window: an OpenGL widget drawing one red bar per count on a
// white ground, with black outlines, axes and scale ticks. Graph units run 0 to 150
// across and up; the widget is 150 x 160 pixels, so one unit up is 16/15 pixels.

#include <FL/Fl_Gl_Window.H>

#include <vector>

class Graphb : public Fl_Gl_Window {
public:
    // unused is accepted and not kept; flag is kept and never read. The n counts are
    // copied: the model recomputes its height class table on every graph request, and
    // the window may outlive the array it was built from.
    Graphb(int x, int y, int w, int h, const char* label, int unused, int largest, int smallest, int n,
           const int* counts, int flag);
    ~Graphb() override;

    void draw() override;
    int handle(int event) override;  // asks for a redraw on every event
    void drawGraph();
    void InitializeGL();  // depth testing; nothing calls it, so later primitives paint over earlier ones

    int largestCount() const { return largest; }
    int smallestCount() const { return smallest; }
    int bars() const { return barCount; }
    const std::vector<int>& values() const { return counts; }

private:
    int largest;
    int smallest;  // not used in drawing
    int barCount;
    std::vector<int> counts;
    int flag;
};
