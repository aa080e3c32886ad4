#include "analysis/statistics_text.h"

#include <cstdio>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "model/mountain.h"

namespace {

template <typename... Args>
std::string format(const char* pattern, Args... args)
{
    const int length = std::snprintf(nullptr, 0, pattern, args...);
    std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(out.data(), out.size() + 1, pattern, args...);
    return out;
}

}  // namespace

std::string padded(const std::string& number, int width)
{
    std::string out;
    for (int n = static_cast<int>(number.size()); n < width; n++)
        out += "  ";
    return out + number;
}

Statistics currentStatistics(double unit, bool comparison)
{
    Statistics s;
    s.rows = mt.getRows();
    s.cols = mt.getCols();
    s.totalSq = TOTAL_SQ;
    s.maxCurve = MAX_CURVE;
    s.c15 = C15;
    s.c10 = C10;
    s.c5 = C5;
    s.c = C;
    s.unit = unit;
    s.comparison = comparison;
    s.contourInterval = rd.getContourInt();
    s.d20 = D20;
    s.d15 = D15;
    s.d10 = D10;
    s.d5 = D5;
    s.d = D;
    s.hasRmse = rd.tryRmse(s.rmse);
    return s;
}

std::string statisticsText(const Statistics& s)
{
    std::string t = "\t\t\t\t\t Statistics\n\n";
    t += format("Gridsize: %d x %d\n\n", s.rows, s.cols);
    t += "DEM STATISTICS:\nTotal Squared Curvature:";
    t += padded(format("%.2f", double(s.totalSq)), 16);
    t += "\nMaximum Curvature:";
    t += padded(format("%.2f", double(s.maxCurve)), 20);
    t += "\n\nCounts for curvature levels:\n";
    t += "   >    " + format("%.1f", 3 * s.unit) + padded(format("%d", s.c15), 16);
    t += "\n   >    " + format("%.1f", 2 * s.unit) + padded(format("%d", s.c10), 16);
    t += "\n   >    " + format("%.1f", s.unit) + padded(format("%d", s.c5), 16);
    t += "\n   <=  " + format("%.1f", s.unit) + padded(format("%d", s.c), 16);
    if (!s.comparison)
        return t;
    t += "\n\nCOMPARISON STATISTCS\n";
    t += "Contour interval:   " + format("%d", s.contourInterval);
    t += "\nCounts for differences relative to contour interval percentage:\n";
    t += "   >  20%: " + padded(format("%d", s.d20), 17);
    t += "\n   >  15%: " + padded(format("%d", s.d15), 17);
    t += "\n   >  10%: " + padded(format("%d", s.d10), 17);
    t += "\n   >    5%: " + padded(format("%d", s.d5), 17);
    t += "\n   <=  5%: " + padded(format("%d", s.d), 17);
    t += "\n\nRMSE: " + (s.hasRmse ? format("%.3f", double(s.rmse)) : std::string("n/a"));
    return t;
}
