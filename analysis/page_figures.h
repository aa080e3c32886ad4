#pragma once
// Pictures and charts made into figures of a page: the PNG encoding goes through GDAL's
// PNG driver in the GDAL module, which is loaded on first use.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/chart_pictures.h"
#include "analysis/html_page.h"
#include "analysis/picture.h"

// The picture as a PNG file's bytes; empty, with the reason in why, when the GDAL module
// cannot be loaded or the picture is empty or cannot be encoded.
std::vector<std::uint8_t> pngOf(const Picture& picture, std::string& why);

// A figure of the picture (png, width, height) with the alt text and caption; nullopt,
// with the reason in why, when it cannot be encoded.
std::optional<PageFigure> pictureFigure(const Picture& picture, const std::string& alt, const std::string& caption,
                                        std::string& why);
// The same for a chart, with its axis labels and legend.
std::optional<PageFigure> chartFigure(const Chart& chart, const std::string& alt, const std::string& caption,
                                      std::string& why);

// Legend entries for levels 1 .. names.size() in the colours of a level overlay
// (colours[l] for level l), e.g. names {"> 1 unit", "> 2 units", "> 3 units"}.
std::vector<Swatch> levelLegend(const std::vector<Rgb8>& colours, const std::vector<std::string>& names);
