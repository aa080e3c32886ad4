#include "tools/report_formats.h"

#include <cmath>
#include <cstdio>

#include "model/grid_writer.h"
#include "model/mountain.h"

namespace {

std::string number(double value, int digits)
{
    if (!std::isfinite(value))
        return "null";
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}
std::string single(float value) { return number(value, 9); }
std::string asRead(double value) { return std::isfinite(value) ? exactDouble(value) : "null"; }
std::string precise(double value) { return number(value, 17); }
std::string whole(long long value) { return std::to_string(value); }

std::string jsonString(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string csvField(const std::string& s)
{
    if (s.find_first_of(",\"\n\r") == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string list(const std::vector<long long>& values)
{
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); i++)
        out += (i ? ", " : "") + whole(values[i]);
    return out + "]";
}

// The named figures in order, as JSON members or CSV columns.
using Fields = std::vector<std::pair<std::string, std::string>>;

Fields demFields(const ReportFigures& f, bool json)
{
    return {{"file", json ? jsonString(f.demFile) : csvField(f.demFile)},
            {"rows", whole(f.rows)},
            {"cols", whole(f.cols)},
            {"cellsize", asRead(f.cellsize)},
            {"cellsize_m", single(f.cellsizeMetres)},
            {"xllcorner", asRead(f.xllcorner)},
            {"yllcorner", asRead(f.yllcorner)},
            {"nodata", f.nodata ? single(*f.nodata) : (json ? "null" : "")},
            {"zmin", single(f.zmin)},
            {"zmax", single(f.zmax)},
            {"masked_cells", whole(f.maskedCells)}};
}

Fields curvatureFields(const Statistics& s)
{
    return {{"unit", precise(s.unit)},
            {"total_squared", single(s.totalSq)},
            {"max", single(s.maxCurve)}};
}

std::vector<long long> curvatureLevels(const Statistics& s) { return {s.c15, s.c10, s.c5, s.c}; }
std::vector<long long> differenceLevels(const Statistics& s) { return {s.d20, s.d15, s.d10, s.d5, s.d}; }

Fields accuracyFields(const std::optional<Accuracy>& a, bool json)
{
    const std::string none = json ? "null" : "";
    auto figure = [&](double Accuracy::*member) { return a ? precise((*a).*member) : none; };
    return {{"points", whole(a ? a->points : 0)}, {"rmse", figure(&Accuracy::rmse)},
            {"mean", figure(&Accuracy::mean)},     {"mae", figure(&Accuracy::mae)},
            {"std", figure(&Accuracy::std)},       {"nmad", figure(&Accuracy::nmad)},
            {"le90", figure(&Accuracy::le90)},     {"max_abs", figure(&Accuracy::maxAbs)}};
}

std::string object(const Fields& fields, const std::string& extra = "")
{
    std::string out = "{";
    for (std::size_t i = 0; i < fields.size(); i++)
        out += (i ? ", " : "") + jsonString(fields[i].first) + ": " + fields[i].second;
    return out + extra + "}";
}

}  // namespace

ReportFigures currentFigures(const std::string& demFile, const std::string& comparisonFile,
                             const std::string& comparisonType, double unit)
{
    ReportFigures f;
    f.demFile = demFile;
    f.rows = mt.nrows;
    f.cols = mt.ncols;
    f.cellsize = mt.cellsizeRead;
    f.cellsizeMetres = mt.groundCellsize();
    f.xllcorner = mt.xllRead;
    f.yllcorner = mt.yllRead;
    if (mt.hasNodata)
        f.nodata = mt.nodata_value;
    f.zmin = mt.zmin;
    f.zmax = mt.zmax;
    for (int r = 0; mt.masking() && r + 1 < mt.nrows; r++)
        for (int c = 0; c + 1 < mt.ncols; c++)
            f.maskedCells += mt.cellMasked(r, c);
    f.statistics = currentStatistics(unit, !comparisonFile.empty());
    f.comparisonFile = comparisonFile;
    f.comparisonType = comparisonType;
    if (!comparisonFile.empty())
        f.accuracy = currentAccuracy();
    return f;
}

std::string reportJson(const ReportFigures& f)
{
    std::string out = "{\"dem\": " + object(demFields(f, true));
    out += ", \"curvature\": " + object(curvatureFields(f.statistics),
                                        ", \"levels\": " + list(curvatureLevels(f.statistics)));
    if (f.comparisonFile.empty()) {
        out += ", \"comparison\": null";
    } else {
        Fields c = {{"file", jsonString(f.comparisonFile)},
                    {"type", jsonString(f.comparisonType)},
                    {"interval", whole(f.statistics.contourInterval)},
                    {"levels", list(differenceLevels(f.statistics))}};
        const Fields a = accuracyFields(f.accuracy, true);
        c.insert(c.end(), a.begin(), a.end());
        out += ", \"comparison\": " + object(c);
    }
    if (f.withClasses)
        out += ", \"height_classes\": " + list(std::vector<long long>(f.heightClasses.begin(), f.heightClasses.end()));
    return out + "}\n";
}

std::string reportCsv(const ReportFigures& f)
{
    Fields columns;
    for (auto& field : demFields(f, false))
        columns.push_back({"dem_" + field.first, field.second});
    for (auto& field : curvatureFields(f.statistics))
        columns.push_back({"curvature_" + field.first, field.second});
    const std::vector<long long> curvature = curvatureLevels(f.statistics);
    for (int i = 0; i < 4; i++)
        columns.push_back({"curvature_level" + std::to_string(3 - i), whole(curvature[i])});
    const bool comparison = !f.comparisonFile.empty();
    columns.push_back({"comparison_file", csvField(f.comparisonFile)});
    columns.push_back({"comparison_type", f.comparisonType});
    columns.push_back({"comparison_interval", comparison ? whole(f.statistics.contourInterval) : ""});
    const std::vector<long long> difference = differenceLevels(f.statistics);
    const char* const names[] = {"above20", "above15", "above10", "above5", "within5"};
    for (int i = 0; i < 5; i++)
        columns.push_back({std::string("difference_") + names[i], comparison ? whole(difference[i]) : ""});
    for (auto& field : accuracyFields(f.accuracy, false))
        columns.push_back({field.first, comparison ? field.second : ""});
    std::string header, line;
    for (std::size_t i = 0; i < columns.size(); i++) {
        header += (i ? "," : "") + columns[i].first;
        line += (i ? "," : "") + columns[i].second;
    }
    return header + "\n" + line + "\n";
}

std::string accuracyText(const std::optional<Accuracy>& a)
{
    if (!a)
        return "\nPoints: 0";
    char text[512];
    std::snprintf(text, sizeof text,
                  "\nPoints: %lld\nMean (bias): %.3f\nMAE: %.3f\nStd. deviation: %.3f\nNMAD: %.3f\nLE90: %.3f\n"
                  "Max. absolute: %.3f",
                  a->points, a->mean, a->mae, a->std, a->nmad, a->le90, a->maxAbs);
    return text;
}
