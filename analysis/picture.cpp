#include "analysis/picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analysis/curvature.h"
#include "analysis/difference.h"

Picture::Picture(int width, int height, Rgb8 background)
    : width(std::max(width, 0)), height(std::max(height, 0)),
      rgb(static_cast<std::size_t>(this->width) * static_cast<std::size_t>(this->height) * 3)
{
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = background.r;
        rgb[i + 1] = background.g;
        rgb[i + 2] = background.b;
    }
}

Rgb8 Picture::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

void Picture::set(int x, int y, Rgb8 colour)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3;
    rgb[i] = colour.r;
    rgb[i + 1] = colour.g;
    rgb[i + 2] = colour.b;
}

void Picture::fill(int x0, int y0, int x1, int y1, Rgb8 colour)
{
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width - 1);
    y1 = std::min(y1, height - 1);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            set(x, y, colour);
}

void Picture::outline(int x0, int y0, int x1, int y1, Rgb8 colour)
{
    fill(x0, y0, x1, y0, colour);
    fill(x0, y1, x1, y1, colour);
    fill(x0, y0, x0, y1, colour);
    fill(x1, y0, x1, y1, colour);
}

void Picture::line(double x0, double y0, double x1, double y1, Rgb8 colour, int thickness)
{
    // One step per pixel along the longer direction; each step stamps a square of the
    // line's thickness.
    const double steps = std::max({std::fabs(x1 - x0), std::fabs(y1 - y0), 1.0});
    const int before = (thickness - 1) / 2, after = thickness / 2;
    for (int i = 0; i <= static_cast<int>(std::ceil(steps)); i++) {
        const double t = std::min(i / steps, 1.0);
        const int x = static_cast<int>(std::lround(x0 + t * (x1 - x0)));
        const int y = static_cast<int>(std::lround(y0 + t * (y1 - y0)));
        fill(x - before, y - before, x + after, y + after, colour);
    }
}

void Picture::dashedColumn(int x, int y0, int y1, Rgb8 colour, int dash, int thickness)
{
    const int before = (thickness - 1) / 2, after = thickness / 2;
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); y += 2 * dash)
        fill(x - before, y, x + after, std::min(y + dash - 1, std::max(y0, y1)), colour);
}

Rgb8 colourOfCode(int code)
{
    auto byte = [](int tenths) { return static_cast<std::uint8_t>(std::lround(std::clamp(tenths, 0, 10) * 25.5)); };
    return {byte(code / 10000), byte((code % 10000) / 100), byte(code % 100)};
}

std::vector<Rgb8> curvatureLevelColours()
{
    std::vector<Rgb8> colours = {{255, 255, 255}};
    for (int level = 1; level <= 3; level++)
        colours.push_back(colourOfCode(curvatureLevelColour(level)));
    return colours;
}

std::vector<Rgb8> differenceLevelColours()
{
    std::vector<Rgb8> colours = {{255, 255, 255}};
    for (int level = 1; level <= 4; level++)
        colours.push_back(colourOfCode(differenceLevelColour(level)));
    return colours;
}

std::string cssColour(Rgb8 colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.r, colour.g, colour.b);
    return text;
}
