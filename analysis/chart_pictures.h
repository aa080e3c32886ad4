#pragma once
// Charts for the reports, as pictures with their axis labels and legend beside them: the
// histogram of the differences d with its mean, NMAD and normal curve, and bar charts of
// counts (the level counts, the height classes) in the viewer's graph colours. The plot
// fills the whole picture, its axes along the left and bottom edges, so that a label at
// fraction a of an axis stands at fraction a of the picture's width or height.

#include <string>
#include <vector>

#include "analysis/accuracy.h"
#include "analysis/picture.h"

struct Histogram {
    // Bin i holds low + i w <= d < low + (i + 1) w (the last bin also its upper edge), w a
    // round width (1, 2, 2.5 or 5 times a power of ten).
    double low = 0, binWidth = 0;
    std::vector<long long> counts;
    long long total = 0;  // the finite values; the counts sum to it
    // Values beyond mean +- 4 std are counted in the first or last bin; these many of them.
    long long belowRange = 0, aboveRange = 0;
    double mean = 0, std = 0, nmad = 0;  // as given, for the marks
};

// The bins of d (non-finite values are left out) over mean +- 4 std, without the empty
// bins at either end. The bin width follows Freedman and Diaconis, 2 IQR / n^(1/3), with
// the interquartile range taken as 1.349 NMAD (as it is for normal data; std when NMAD is
// 0), kept between 16 and 60 bins across mean +- 4 std and then rounded up to a round
// width. figures are those of the same d, as accuracyOf gives them; with a std of 0 all
// values fall in one bin of width 1 around the mean. No finite value: no bin.
Histogram histogramOf(const std::vector<double>& d, const Accuracy& figures);

struct Chart {
    Picture picture;  // empty when there is nothing to draw
    std::vector<AxisLabel> xLabels, yLabels;
    std::vector<Swatch> legend;
};

// The histogram's colours besides the graph's.
const Rgb8 histogramMean{0, 70, 200};        // the mean, solid; mean +- NMAD dashed
const Rgb8 histogramNormal{20, 140, 60};     // the normal curve of the same mean and std
const Rgb8 chartGrid{225, 225, 225};         // lines at the count labels

// Bars for the bins, lines at the mean and at mean +- NMAD, and the normal curve
// n w phi((x - mean) / std) / std in counts per bin; the count axis goes from 0 to a
// round number at or above the highest bar and the curve's peak.
Chart histogramChart(const Histogram& h, int width = 760, int height = 300);

struct BarStyle {
    int width = 480, height = 240;  // the width grows to at least one pixel per bar
    bool logarithmic = false;       // counts on a log axis from 1; a count of 0 has no bar
    std::vector<Rgb8> colours;      // per bar; graphBar for those not given
};

// One bar per count in equal slots across the picture, labelled with names (an empty name,
// or a missing one, gives no label); a count above 0 always shows at least 2 pixels high.
Chart barChart(const std::vector<long long>& counts, const std::vector<std::string>& names, const BarStyle& style = {});
