#pragma once
// A picture for the reports: 8-bit RGB pixels in memory, drawn with plain rectangles and
// lines (no anti-aliasing), and the colours they are drawn in. Text never goes into a
// picture: the page sets labels around it (AxisLabel, Swatch).

#include <cstdint>
#include <string>
#include <vector>

struct Rgb8 {
    std::uint8_t r = 0, g = 0, b = 0;
};
inline bool operator==(Rgb8 a, Rgb8 b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb8 a, Rgb8 b) { return !(a == b); }

// Pixel (x, y) is rgb[3 (y width + x)] and the two bytes after it; row 0 is the top.
// A picture of width or height 0 holds nothing and is not shown.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;

    Picture() = default;
    Picture(int width, int height, Rgb8 background);
    bool empty() const { return width <= 0 || height <= 0; }
    Rgb8 at(int x, int y) const;
    void set(int x, int y, Rgb8 colour);  // ignored outside the picture
    // Rectangles and lines are clipped to the picture; x1, y1 are inclusive.
    void fill(int x0, int y0, int x1, int y1, Rgb8 colour);
    void outline(int x0, int y0, int x1, int y1, Rgb8 colour);
    // A line of the given thickness (pixels, centred on the line) between two points.
    void line(double x0, double y0, double x1, double y1, Rgb8 colour, int thickness = 1);
    // A vertical line dashed in runs of dash pixels.
    void dashedColumn(int x, int y0, int y1, Rgb8 colour, int dash, int thickness = 1);
};

// A packed colour code of model/colour_codes.h (digit pairs of red, green and blue in
// tenths): each tenth t becomes the byte t x 25.5, rounded, so 10 is 255 and 6 is 153.
Rgb8 colourOfCode(int code);

// The viewer's level colours, index = level: curvature levels 0-3, difference levels
// 0-4. Level 0 carries no error colour; its entry is white and is never drawn.
std::vector<Rgb8> curvatureLevelColours();
std::vector<Rgb8> differenceLevelColours();

// The viewer's bar graph: red bars outlined in black on white.
const Rgb8 graphBackground{255, 255, 255};
const Rgb8 graphBar{255, 0, 0};
const Rgb8 graphInk{0, 0, 0};

// "#rrggbb", for a page's legend swatches.
std::string cssColour(Rgb8 colour);

// A label the page sets beside a picture's edge: at is the fraction of the way along the
// axis (0 the left or bottom edge of the picture, 1 the right or top edge).
struct AxisLabel {
    double at = 0;
    std::string text;
};

// A legend entry: a colour and what it means.
struct Swatch {
    Rgb8 colour;
    std::string label;
};
