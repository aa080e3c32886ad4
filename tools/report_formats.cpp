#include "tools/report_formats.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/grid_writer.h"
#include "model/mountain.h"

namespace {

// How a format writes what is no plain number: JSON has null for a figure that cannot be
// computed and a string for a value of the file that is no number; CSV leaves the field
// empty or writes the bare word.
struct Style {
    bool json;
    std::string none() const { return json ? "null" : ""; }
    std::string word(const std::string& w) const { return json ? "\"" + w + "\"" : w; }
};

std::string number(double value, int digits, const Style& style)
{
    if (!std::isfinite(value))
        return style.none();
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}
// A position or length of the georeferencing, as the file gave it: the shortest text that
// reads back as the double read, which is the float's text for ordinary corners.
std::string asRead(double value, const Style& style) { return std::isfinite(value) ? exactDouble(value) : style.none(); }
std::string whole(long long value) { return std::to_string(value); }

// The float, as the other figures are written, unless it lost the number read: beyond the
// float range, or so far below it that it became 0 or a subnormal. A float that holds the
// number differs from it by half a unit in its last place at most, less than 2^-23 of it.
std::string headerNumber(const HeaderNumber& n, const Style& style)
{
    if (std::isnan(n.read))
        return style.word("NaN");
    if (std::isinf(n.read))
        return style.word(n.read > 0 ? "Infinity" : "-Infinity");
    if (std::isfinite(n.held) && std::fabs(double(n.held) - n.read) <= std::fabs(n.read) * 0x1p-23)
        return number(n.held, 9, style);
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, n.read);
    return std::string(text, end.ptr);
}

// The length of the well-formed UTF-8 sequence at s[i], 1 to 4, or 0 where the bytes are
// none: a stray continuation byte, a sequence cut short, an overlong form, a surrogate or
// a code point beyond U+10FFFF. The second byte's range depends on the first.
std::size_t utf8Length(const std::string& s, std::size_t i)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80)
        return 1;
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; k++) {
        const unsigned char b = static_cast<unsigned char>(s[i + k]);
        if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF))
            return 0;
    }
    return n;
}

// File names are bytes, JSON is UTF-8. Well-formed UTF-8 is kept as it is; every byte
// outside it becomes \ufffd, the replacement character, so that the text stays valid and
// a reader sees where the name could not be decoded.
std::string jsonString(const std::string& s)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const std::size_t n = utf8Length(s, i);
        if (n == 0) {
            out += "\\ufffd";
            i++;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out.append(s, i, n);
        }
        i += n;
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

Fields demFields(const ReportFigures& f, const Style& style)
{
    return {{"file", style.json ? jsonString(f.demFile) : csvField(f.demFile)},
            {"rows", whole(f.rows)},
            {"cols", whole(f.cols)},
            {"cellsize", asRead(f.cellsize, style)},
            {"cellsize_m", number(f.cellsizeMetres, 9, style)},
            {"xllcorner", asRead(f.xllcorner, style)},
            {"yllcorner", asRead(f.yllcorner, style)},
            {"nodata", f.nodata ? headerNumber(*f.nodata, style) : style.none()},
            {"zmin", number(f.zmin, 9, style)},
            {"zmax", number(f.zmax, 9, style)},
            {"masked_cells", whole(f.maskedCells)}};
}

Fields curvatureFields(const Statistics& s, const Style& style)
{
    return {{"unit", number(s.unit, 17, style)},
            {"total_squared", number(s.totalSq, 9, style)},
            {"max", number(s.maxCurve, 9, style)}};
}

std::vector<long long> curvatureLevels(const Statistics& s) { return {s.c15, s.c10, s.c5, s.c}; }
std::vector<long long> differenceLevels(const Statistics& s) { return {s.d20, s.d15, s.d10, s.d5, s.d}; }

Fields accuracyFields(const std::optional<Accuracy>& a, const Style& style)
{
    auto figure = [&](double Accuracy::*member) { return a ? number((*a).*member, 17, style) : style.none(); };
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

// With --unit auto, after the curvature levels: whether the unit was fitted, and from what.
std::string unitFitMembers(const ReportFigures& f)
{
    if (!f.unitFit)
        return "";
    return std::string(", \"unit_fitted\": ") + (f.unitFit->fitted ? "true" : "false") +
           ", \"unit_values\": " + whole(f.unitFit->values) +
           ", \"unit_percentile\": " + number(f.unitFit->percentile, 17, Style{true});
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
        f.nodata = HeaderNumber{mt.nodata_value, mt.nodataRead};
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
    const Style json{true};
    const ReferenceFigures none;
    const ReferenceFigures& reference = f.reference ? *f.reference : none;
    std::string out = "{\"dem\": " + object(demFields(f, json), referenceDemJson(reference));
    out += ", \"curvature\": " + object(curvatureFields(f.statistics, json),
                                        ", \"levels\": " + list(curvatureLevels(f.statistics)) + unitFitMembers(f));
    if (f.comparisonFile.empty()) {
        out += ", \"comparison\": null";
    } else {
        Fields c = {{"file", jsonString(f.comparisonFile)},
                    {"type", jsonString(f.comparisonType)},
                    {"interval", whole(f.statistics.contourInterval)},
                    {"levels", list(differenceLevels(f.statistics))}};
        const Fields a = accuracyFields(f.accuracy, json);
        c.insert(c.end(), a.begin(), a.end());
        out += ", \"comparison\": " + object(c, referenceComparisonJson(reference));
    }
    if (f.withClasses)
        out += ", \"height_classes\": " + list(std::vector<long long>(f.heightClasses.begin(), f.heightClasses.end()));
    out += referenceJson(reference);
    if (f.worst)
        out += ", \"worst\": " + worstJson(*f.worst);
    return out + "}\n";
}

std::string reportCsv(const ReportFigures& f)
{
    const Style csv{false};
    Fields columns;
    for (auto& field : demFields(f, csv))
        columns.push_back({"dem_" + field.first, field.second});
    for (auto& field : curvatureFields(f.statistics, csv))
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
    for (auto& field : accuracyFields(f.accuracy, csv))
        columns.push_back({field.first, comparison ? field.second : ""});
    for (std::size_t i = 0; f.withClasses && i < f.heightClasses.size(); i++)
        columns.push_back({"height_class_" + std::to_string(i), whole(f.heightClasses[i])});
    if (f.reference)
        for (auto& column : referenceCsv(*f.reference))
            columns.push_back(column);
    if (f.unitFit)
        columns.push_back({"curvature_unit_fitted", f.unitFit->fitted ? "true" : "false"});
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

std::string reportNumber(double value, int digits, bool json) { return number(value, digits, Style{json}); }
std::string reportJsonString(const std::string& s) { return jsonString(s); }
std::string reportCsvField(const std::string& s) { return csvField(s); }
