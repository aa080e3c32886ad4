#pragma once
// The figures of the report page (analysis/report_page.h), made from its input: the
// relief with levels, the charts and the pictures of places.

#include <optional>
#include <string>

#include "analysis/chart_pictures.h"
#include "analysis/report_page.h"

// Encodes pictures into figures and keeps the first reason one could not be encoded.
class FigureMaker {
public:
    // nullopt for an empty picture (nothing to show) and for one that cannot be encoded.
    std::optional<PageFigure> picture(const Picture& p, const std::string& alt, const std::string& caption);
    std::optional<PageFigure> chart(const Chart& c, const std::string& alt, const std::string& caption);
    bool failed() const { return !problem.empty(); }
    const std::string& why() const { return problem; }

private:
    std::string problem;
};

// The whole grid's shaded relief with the curvature levels and, with comparison data,
// with the difference levels, at most 1600 pixels across; shaded once for both.
struct LevelReliefs {
    std::optional<PageFigure> curvature, difference;
};
LevelReliefs levelReliefs(const ReportPageInput& in, FigureMaker& maker);

// The histogram of the differences with its mean, NMAD and normal curve; nullopt without
// accuracy figures.
std::optional<PageFigure> differenceHistogram(const ReportPageInput& in, FigureMaker& maker);

// The level counts as bars, lowest level on the left, on a logarithmic axis.
PageGallery levelBars(const ReportPageInput& in, FigureMaker& maker);

// The height classes as bars; nullopt beyond one class a pixel of the widest picture.
std::optional<PageFigure> classGraph(const ReportPageInput& in, FigureMaker& maker);

// A 64 x 64 cell window of the relief with the kind's levels around each of the first
// placesPictured places.
PageGallery placePictures(const ReportPageInput& in, PlaceKind kind, FigureMaker& maker);

// "> 3 units (33)": the curvature threshold of a level 1-3 for the page's unit.
std::string curvatureThreshold(int level, double unit);
// "> 20 %": the difference threshold of a level 1-4.
std::string differenceThreshold(int level);
