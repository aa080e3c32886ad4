#include "analysis/chart_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>

namespace {

const double pi = 3.14159265358979323846;

// The smallest of 1, 2, (2.5,) 5 times a power of ten that is at least x > 0.
double roundUp(double x, bool quarter)
{
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if ((quarter || m != 2.5) && m * power >= x * (1 - 1e-12))
            return m * power;
    return 10 * power;
}

std::string tickText(double value, double step)
{
    // A multiple of the step, without the rounding noise of k x step (0.30000000000000004).
    const double k = std::round(value / step);
    double v = k * step;
    if (k == 0)
        v = 0;
    char text[32];
    if (step != std::floor(step) || std::fabs(v) >= 1e15) {
        std::snprintf(text, sizeof text, "%.6g", v);
        return text;
    }
    // Whole numbers of five digits and more in groups of three, set apart by narrow
    // no-break spaces (U+202F): 1 000 000.
    std::snprintf(text, sizeof text, "%.0f", std::fabs(v));
    std::string digits = text, grouped;
    for (std::size_t i = 0; i < digits.size(); i++) {
        if (digits.size() > 4 && i > 0 && (digits.size() - i) % 3 == 0)
            grouped += "\xe2\x80\xaf";
        grouped += digits[i];
    }
    return (v < 0 ? "-" : "") + grouped;
}

// The count axis of a chart: 0 to top in steps of a round whole number.
struct CountAxis {
    double top = 1, step = 1;
};
CountAxis countAxis(double highest)
{
    CountAxis a;
    if (highest <= 0)
        return a;
    a.step = std::max(1.0, roundUp(highest / 5, false));
    a.top = std::ceil(highest / a.step - 1e-9) * a.step;
    return a;
}

std::vector<AxisLabel> countLabels(const CountAxis& a)
{
    std::vector<AxisLabel> labels;
    for (double v = 0; v <= a.top * (1 + 1e-12); v += a.step)
        labels.push_back({v / a.top, tickText(v, a.step)});
    return labels;
}

// The row of a fraction of the count axis: 0 the bottom row, 1 the top row.
int rowAt(const Picture& p, double fraction)
{
    return p.height - 1 - static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * (p.height - 1)));
}

void gridLines(Picture& p, const std::vector<AxisLabel>& yLabels)
{
    for (const AxisLabel& label : yLabels)
        p.fill(0, rowAt(p, label.at), p.width - 1, rowAt(p, label.at), chartGrid);
}

void axes(Picture& p)
{
    p.fill(0, 0, 0, p.height - 1, graphInk);
    p.fill(0, p.height - 1, p.width - 1, p.height - 1, graphInk);
}

// A bar in the columns x0 .. x1 whose top stands at fraction of the count axis; a count
// above 0 stays visible.
void bar(Picture& p, int x0, int x1, double fraction, bool nonzero, Rgb8 colour)
{
    if (!nonzero)
        return;
    const int bottom = p.height - 1;
    const int top = std::min(rowAt(p, fraction), bottom - 2);
    p.fill(x0, top, x1, bottom, colour);
    p.outline(x0, top, x1, bottom, graphInk);
}

void normalCurve(Picture& p, const Histogram& h, double xLow, double xHigh, const CountAxis& axis)
{
    if (!(h.std > 0))
        return;
    // Expected count per bin: n w phi(z) / std, phi(z) = exp(-z^2 / 2) / sqrt(2 pi).
    const double scale = double(h.total) * h.binWidth / (h.std * std::sqrt(2 * pi));
    double lastX = 0, lastY = 0;
    for (int x = 0; x < p.width; x++) {
        const double z = (xLow + (x + 0.5) / p.width * (xHigh - xLow) - h.mean) / h.std;
        const double y = rowAt(p, scale * std::exp(-z * z / 2) / axis.top);
        if (x > 0)
            p.line(lastX, lastY, x, y, histogramNormal, 2);
        lastX = x;
        lastY = y;
    }
}

}  // namespace

Histogram histogramOf(const std::vector<double>& d, const Accuracy& figures)
{
    Histogram h;
    h.mean = figures.mean;
    h.std = figures.std;
    h.nmad = figures.nmad;
    const double lo = h.mean - 4 * h.std, hi = h.mean + 4 * h.std;
    std::size_t bins = 1;
    if (h.std > 0) {
        const double spread = h.nmad > 0 ? h.nmad : h.std;
        const double fd = 2 * 1.349 * spread / std::cbrt(double(std::max<std::size_t>(d.size(), 1)));
        h.binWidth = roundUp(std::clamp(fd, (hi - lo) / 60, (hi - lo) / 16), true);
        h.low = std::floor(lo / h.binWidth) * h.binWidth;
        bins = static_cast<std::size_t>(std::max(1.0, std::ceil((hi - h.low) / h.binWidth)));
    } else {
        h.binWidth = 1;
        h.low = h.mean - 0.5;
    }
    h.counts.assign(bins, 0);
    const double perBin = 1 / h.binWidth, last = double(bins - 1);
    for (double v : d) {
        if (!std::isfinite(v))
            continue;
        h.total++;
        h.belowRange += v < lo;
        h.aboveRange += v > hi;
        h.counts[static_cast<std::size_t>(std::clamp(std::floor((v - h.low) * perBin), 0.0, last))]++;
    }
    // One pass over d: the bins were laid over mean +- 4 std, and those at the ends that
    // stayed empty are dropped.
    const auto first = std::find_if(h.counts.begin(), h.counts.end(), [](long long n) { return n > 0; });
    if (first == h.counts.end())
        return Histogram{h.low, h.binWidth, {}, 0, 0, 0, h.mean, h.std, h.nmad};
    const auto end = std::find_if(h.counts.rbegin(), h.counts.rend(), [](long long n) { return n > 0; }).base();
    h.low += double(first - h.counts.begin()) * h.binWidth;
    h.counts = std::vector<long long>(first, end);
    return h;
}

Chart histogramChart(const Histogram& h, int width, int height)
{
    Chart chart;
    const int bins = static_cast<int>(h.counts.size());
    if (bins == 0 || width < 1 || height < 3)
        return chart;
    const double xLow = h.low, xHigh = h.low + bins * h.binWidth;
    double highest = double(*std::max_element(h.counts.begin(), h.counts.end()));
    if (h.std > 0)
        highest = std::max(highest, double(h.total) * h.binWidth / (h.std * std::sqrt(2 * pi)));
    const CountAxis axis = countAxis(highest);
    chart.yLabels = countLabels(axis);
    Picture& p = chart.picture = Picture(std::max(width, bins), height, graphBackground);
    gridLines(p, chart.yLabels);
    for (int i = 0; i < bins; i++)
        bar(p, static_cast<int>(std::int64_t(i) * p.width / bins), static_cast<int>(std::int64_t(i + 1) * p.width / bins) - 1,
            double(h.counts[i]) / axis.top, h.counts[i] > 0, graphBar);
    auto column = [&](double v) { return static_cast<int>(std::floor((v - xLow) / (xHigh - xLow) * p.width)); };
    if (h.nmad > 0)
        for (double v : {h.mean - h.nmad, h.mean + h.nmad})
            p.dashedColumn(column(v), 0, p.height - 1, histogramMean, 6, 2);
    p.fill(column(h.mean) - 1, 0, column(h.mean), p.height - 1, histogramMean);
    normalCurve(p, h, xLow, xHigh, axis);
    axes(p);

    const double step = roundUp((xHigh - xLow) / 8, true);
    for (double k = std::ceil(xLow / step - 1e-9); k * step <= xHigh + step * 1e-9; k++)
        chart.xLabels.push_back({(k * step - xLow) / (xHigh - xLow), tickText(k * step, step)});
    chart.legend = {{graphBar, "count per bin"},
                    {histogramMean, "mean (solid), mean \xc2\xb1 NMAD (dashed)"},
                    {histogramNormal, "normal curve of the same mean and std"}};
    return chart;
}

Chart barChart(const std::vector<long long>& counts, const std::vector<std::string>& names, const BarStyle& style)
{
    Chart chart;
    const int n = static_cast<int>(counts.size());
    if (n == 0 || style.width < 1 || style.height < 3)
        return chart;
    const long long highest = *std::max_element(counts.begin(), counts.end());
    std::function<double(long long)> fraction;
    if (style.logarithmic) {
        const int decades = std::max(1, static_cast<int>(std::ceil(std::log10(double(std::max(highest, 1LL))) - 1e-12)));
        for (int k = 0; k <= decades; k++)
            chart.yLabels.push_back({double(k) / decades, tickText(std::pow(10.0, k), 1)});
        fraction = [decades](long long v) { return v > 0 ? std::log10(double(v)) / decades : 0.0; };
    } else {
        const CountAxis axis = countAxis(double(highest));
        chart.yLabels = countLabels(axis);
        fraction = [axis](long long v) { return double(v) / axis.top; };
    }
    Picture& p = chart.picture = Picture(std::max(style.width, n), style.height, graphBackground);
    gridLines(p, chart.yLabels);
    for (int i = 0; i < n; i++) {
        const int x0 = static_cast<int>(std::int64_t(i) * p.width / n);
        const int x1 = static_cast<int>(std::int64_t(i + 1) * p.width / n) - 1;
        const int inset = (x1 - x0 + 1) / 5;
        const Rgb8 colour = std::size_t(i) < style.colours.size() ? style.colours[i] : graphBar;
        bar(p, x0 + inset, x1 - inset, fraction(counts[i]), counts[i] > 0, colour);
        if (std::size_t(i) < names.size() && !names[i].empty())
            chart.xLabels.push_back({(i + 0.5) / n, names[i]});
    }
    axes(p);
    return chart;
}
