// The reference figures as JSON members and CSV columns. The same named figures make both:
// a JSON object's members, or CSV columns named after the path to them ("checkpoints_rmse",
// "slope_comparison_0_5_rmse"). Lists (the largest differences, the blunders) are JSON
// arrays; in CSV only the blunders' ids, joined by ";".

#include <cctype>
#include <cmath>
#include <cstdio>

#include "tools/report_formats.h"
#include "tools/report_reference.h"

namespace {

std::string figure(double value, bool json) { return reportNumber(value, 17, json); }
std::string whole(long long value) { return std::to_string(value); }
std::string truth(bool value) { return value ? "true" : "false"; }
std::string text(const std::string& s, bool json) { return json ? reportJsonString(s) : reportCsvField(s); }

std::string object(const ReportFields& fields)
{
    std::string out = "{";
    for (std::size_t i = 0; i < fields.size(); i++)
        out += (i ? ", " : "") + reportJsonString(fields[i].first) + ": " + fields[i].second;
    return out + "}";
}

std::string array(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); i++)
        out += (i ? ", " : "") + items[i];
    return out + "]";
}

// A class name as part of a column name: letters, digits, '-' and '_' kept, the rest '_'.
std::string columnPart(const std::string& name)
{
    std::string out = name;
    for (char& ch : out)
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '-')
            ch = '_';
    return out;
}

// CSV columns: the fields under a prefix.
void append(ReportFields& columns, const std::string& prefix, const ReportFields& fields)
{
    for (const auto& [name, value] : fields)
        columns.push_back({prefix + name, value});
}

ReportFields nmasFields(const NmasTest& t, bool json)
{
    return {{"interval", figure(t.interval, json)},
            {"tested", whole(t.tested)},
            {"exceeding", whole(t.exceeding)},
            {"share", figure(t.share, json)},
            {"meets", truth(t.meets)}};
}

ReportFields accuracyFields(const std::optional<Accuracy>& a, bool json)
{
    auto at = [&](double Accuracy::*member) { return a ? figure((*a).*member, json) : figure(NAN, json); };
    return {{"rmse", at(&Accuracy::rmse)}, {"mean", at(&Accuracy::mean)}, {"mae", at(&Accuracy::mae)},
            {"std", at(&Accuracy::std)},   {"nmad", at(&Accuracy::nmad)}, {"le90", at(&Accuracy::le90)},
            {"le95", at(&Accuracy::le95)}, {"max_abs", at(&Accuracy::maxAbs)}};
}

ReportFields countFields(const CheckpointFigures& f, bool json)
{
    ReportFields fields = {{"tested", whole(static_cast<long long>(f.tested))},
                           {"outside", whole(static_cast<long long>(f.outside))},
                           {"nodata", whole(static_cast<long long>(f.nodata))}};
    const ReportFields figures = accuracyFields(f.accuracy, json);
    fields.insert(fields.end(), figures.begin(), figures.end());
    return fields;
}

ReportFields asprsFields(const AsprsVertical& a, const std::optional<std::string>& nvaClass, bool json)
{
    std::vector<std::string> ids;
    std::string joined;
    for (const std::string& id : a.blunderIds) {
        ids.push_back(reportJsonString(id));
        joined += (joined.empty() ? "" : ";") + id;
    }
    return {{"target_rmse", figure(a.targetRmse, json)},
            {"checkpoint_rmse", figure(a.checkpointRmse, json)},
            {"nva_class", nvaClass ? text(*nvaClass, json) : (json ? "null" : "")},
            {"points", whole(a.points)},
            {"product_rmse", a.points > 0 ? figure(a.productRmse, json) : figure(NAN, json)},
            {"meets", truth(a.meets)},
            {"enough_checkpoints", truth(a.enoughCheckpoints)},
            {"bias_flag", truth(a.biasFlag)},
            {"blunders", json ? array(ids) : reportCsvField(joined)}};
}

std::string worstJson(const CheckpointResults& c)
{
    std::vector<std::string> items;
    for (const LargeResidual& l : c.report.all.largest)
        items.push_back(object({{"id", reportJsonString(l.id)},
                                {"x", figure(l.x, true)},
                                {"y", figure(l.y, true)},
                                {"z", figure(c.points[l.index].z, true)},
                                {"dem_z", figure(c.heights[l.index].dem, true)},
                                {"d", figure(l.d, true)}}));
    return array(items);
}

std::string checkpointsJson(const CheckpointResults& c)
{
    ReportFields fields = {{"file", reportJsonString(c.file)}};
    const ReportFields counts = countFields(c.report.all, true);
    fields.insert(fields.end(), counts.begin(), counts.end());
    fields.push_back({"worst", worstJson(c)});
    ReportFields classes;
    for (const ClassFigures& k : c.report.classes)
        classes.push_back({k.name, object(countFields(k.figures, true))});
    fields.push_back({"classes", object(classes)});
    fields.push_back({"nmas", object(nmasFields(c.nmas, true))});
    fields.push_back({"asprs", c.asprs ? object(asprsFields(*c.asprs, c.nvaClass, true)) : "null"});
    return object(fields);
}

ReportFields slopeClassFields(const SlopeClassFigures& k, bool json)
{
    auto at = [&](double value) { return k.points > 0 ? figure(value, json) : figure(NAN, json); };
    return {{"from", figure(k.from, json)}, {"to", figure(k.to, json)}, {"points", whole(k.points)},
            {"mean", at(k.mean)},           {"std", at(k.std)},         {"rmse", at(k.rmse)},
            {"nmad", at(k.nmad)},           {"le90", at(k.le90)}};
}

std::string slopeJson(const std::optional<SlopeFigures>& s)
{
    if (!s || !s->problem.empty())
        return "null";
    std::vector<std::string> items;
    for (const SlopeClassFigures& k : s->classes)
        items.push_back(object(slopeClassFields(k, true)));
    return array(items);
}

void appendSlopeColumns(ReportFields& columns, const std::string& which, const std::optional<SlopeFigures>& s)
{
    if (!s || !s->problem.empty())
        return;
    for (const SlopeClassFigures& k : s->classes) {
        char prefix[64];
        std::snprintf(prefix, sizeof prefix, "slope_%s_%g_%g_", which.c_str(), k.from, k.to);
        ReportFields fields = slopeClassFields(k, false);
        fields.erase(fields.begin(), fields.begin() + 2);  // from and to are in the name
        append(columns, prefix, fields);
    }
}

const char* statusWord(CoregistrationStatus s)
{
    switch (s) {
    case CoregistrationStatus::Converged: return "converged";
    case CoregistrationStatus::NotConverged: return "not_converged";
    case CoregistrationStatus::TooFewSlopedPoints: return "too_few_sloped_points";
    case CoregistrationStatus::TooFewAspects: return "too_few_aspects";
    case CoregistrationStatus::NoCommonPoints: break;
    }
    return "no_common_points";
}

ReportFields coregistrationFields(const ComparisonCoregistration& c, bool json)
{
    const Coregistration& r = c.result;
    return {{"status", text(statusWord(r.status), json)},
            {"converged", truth(r.status == CoregistrationStatus::Converged)},
            {"applied", truth(c.applied)},
            {"east", figure(r.east, json)},
            {"north", figure(r.north, json)},
            {"east_cells", figure(r.eastCells, json)},
            {"north_cells", figure(r.northCells, json)},
            {"vertical", figure(r.bias, json)},
            {"iterations", whole(r.iterations)},
            {"sloped_points", whole(r.slopedPoints)}};
}

ReportFields beforeAfterFields(const std::optional<Accuracy>& a, bool json)
{
    ReportFields fields = {{"points", whole(a ? a->points : 0)}};
    const ReportFields figures = accuracyFields(a, json);
    fields.insert(fields.end(), figures.begin(), figures.end());
    return fields;
}

}  // namespace

std::string referenceDemJson(const ReferenceFigures& f)
{
    return f.shown ? ", \"cellsize_m_ew\": " + reportNumber(f.cellsizeEastWest, 9, true) : "";
}

std::string referenceComparisonJson(const ReferenceFigures& f)
{
    return f.comparisonNmas ? ", \"nmas\": " + object(nmasFields(*f.comparisonNmas, true)) : "";
}

std::string referenceJson(const ReferenceFigures& f)
{
    if (!f.shown)
        return "";
    std::string out = ", \"checkpoints\": " + (f.checkpoints ? checkpointsJson(*f.checkpoints) : "null");
    if (f.bySlope)
        out += ", \"by_slope\": " + object({{"comparison", slopeJson(f.comparisonBySlope)},
                                            {"checkpoints", slopeJson(f.checkpointsBySlope)}});
    if (f.coregistration)
        out += ", \"coregistration\": " + coregistrationJson(*f.coregistration);
    return out;
}

ReportFields referenceCsv(const ReferenceFigures& f)
{
    ReportFields columns;
    if (!f.shown)
        return columns;
    columns.push_back({"dem_cellsize_m_ew", reportNumber(f.cellsizeEastWest, 9, false)});
    if (f.comparisonNmas)
        append(columns, "nmas_", nmasFields(*f.comparisonNmas, false));
    if (const auto& c = f.checkpoints) {
        columns.push_back({"checkpoints_file", reportCsvField(c->file)});
        append(columns, "checkpoints_", countFields(c->report.all, false));
        append(columns, "checkpoints_nmas_", nmasFields(c->nmas, false));
        for (const ClassFigures& k : c->report.classes)
            append(columns, "checkpoints_class_" + columnPart(k.name) + "_", countFields(k.figures, false));
        if (c->asprs)
            append(columns, "asprs_", asprsFields(*c->asprs, c->nvaClass, false));
    }
    appendSlopeColumns(columns, "comparison", f.comparisonBySlope);
    appendSlopeColumns(columns, "checkpoints", f.checkpointsBySlope);
    if (f.coregistration) {
        const ReportFields c = coregistrationCsv(*f.coregistration);
        columns.insert(columns.end(), c.begin(), c.end());
    }
    return columns;
}

std::string coregistrationJson(const ComparisonCoregistration& c)
{
    ReportFields fields = coregistrationFields(c, true);
    fields.push_back({"before", c.result.before ? object(beforeAfterFields(c.result.before, true)) : "null"});
    fields.push_back({"after", c.result.after ? object(beforeAfterFields(c.result.after, true)) : "null"});
    return object(fields);
}

ReportFields coregistrationCsv(const ComparisonCoregistration& c)
{
    ReportFields columns;
    append(columns, "coregistration_", coregistrationFields(c, false));
    append(columns, "coregistration_before_", beforeAfterFields(c.result.before, false));
    append(columns, "coregistration_after_", beforeAfterFields(c.result.after, false));
    return columns;
}
