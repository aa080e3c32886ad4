#include "analysis/page_figures.h"

#include "model/gdal_module.h"

std::vector<std::uint8_t> pngOf(const Picture& picture, std::string& why)
{
    if (picture.empty()) {
        why = "the picture is empty";
        return {};
    }
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr)
        return {};
    return gdal->encodePng(picture.rgb, picture.width, picture.height, why);
}

std::optional<PageFigure> pictureFigure(const Picture& picture, const std::string& alt, const std::string& caption,
                                        std::string& why)
{
    PageFigure f;
    f.png = pngOf(picture, why);
    if (f.png.empty())
        return std::nullopt;
    f.width = picture.width;
    f.height = picture.height;
    f.alt = alt;
    f.caption = caption;
    return f;
}

std::optional<PageFigure> chartFigure(const Chart& chart, const std::string& alt, const std::string& caption,
                                      std::string& why)
{
    std::optional<PageFigure> f = pictureFigure(chart.picture, alt, caption, why);
    if (f) {
        f->xLabels = chart.xLabels;
        f->yLabels = chart.yLabels;
        f->legend = chart.legend;
    }
    return f;
}

std::vector<Swatch> levelLegend(const std::vector<Rgb8>& colours, const std::vector<std::string>& names)
{
    std::vector<Swatch> legend;
    for (std::size_t l = 1; l <= names.size() && l < colours.size(); l++)
        legend.push_back({colours[l], names[l - 1]});
    return legend;
}
