// The "merge" member of a window's JSON report read back.

#include "tools/report_window.h"

#include <cmath>
#include <cstdlib>

#include "tools/json_value.h"

namespace {

// The members of one object of a merge record, read with their kinds checked; the first
// that is missing or of another kind is named in why.
class Record {
public:
    Record(const JsonValue* object, std::string& why) : object(object), why(why) {}

    bool good() const { return bad.empty(); }

    const JsonValue* get(const std::string& name)
    {
        const JsonValue* v = object ? object->member(name) : nullptr;
        if (v == nullptr)
            fail(name);
        return v;
    }
    // A number, or a string that is one ("NaN", "Infinity").
    double number(const std::string& name)
    {
        const JsonValue* v = get(name);
        if (v && v->kind == JsonValue::Kind::Number)
            return v->number;
        if (v && v->kind == JsonValue::Kind::String) {
            char* end = nullptr;
            const double value = std::strtod(v->text.c_str(), &end);
            if (!v->text.empty() && *end == '\0')
                return value;
        }
        fail(name);
        return 0;
    }
    long long whole(const std::string& name)
    {
        const double value = number(name);
        if (!(std::fabs(value) < 0x1p53) || value != std::floor(value))
            fail(name);
        return good() ? static_cast<long long>(value) : 0;
    }
    int integer(const std::string& name)
    {
        const long long value = whole(name);
        if (value < -2147483647LL || value > 2147483647LL)
            fail(name);
        return static_cast<int>(value);
    }
    // A string, or "" for null.
    std::string text(const std::string& name)
    {
        const JsonValue* v = get(name);
        if (v && v->kind == JsonValue::Kind::String)
            return v->text;
        if (!(v && v->kind == JsonValue::Kind::Null))
            fail(name);
        return "";
    }
    const JsonValue* array(const std::string& name, std::size_t size = 0)
    {
        const JsonValue* v = get(name);
        if (!v || v->kind != JsonValue::Kind::Array || (size != 0 && v->items.size() != size)) {
            fail(name);
            return nullptr;
        }
        return v;
    }
    ExactSum sum(const std::string& name)
    {
        ExactSum s;
        if (const JsonValue* v = array(name))
            for (const JsonValue& item : v->items) {
                if (item.kind != JsonValue::Kind::Number)
                    fail(name);
                s.add(item.number);
            }
        return s;
    }
    void counts(const std::string& name, long long* out, std::size_t n)
    {
        if (const JsonValue* v = array(name, n))
            for (std::size_t i = 0; i < n; i++) {
                const JsonValue& item = v->items[i];
                if (item.kind != JsonValue::Kind::Number || item.number < 0 || item.number != std::floor(item.number))
                    fail(name);
                out[i] = static_cast<long long>(item.number);
            }
    }
    void fail(const std::string& name)
    {
        // The innermost member is named: an object whose member failed fails after it.
        if (bad.empty())
            bad = "its member \"" + name + "\" is missing or wrong";
        if (why.empty())
            why = bad;
    }

private:
    const JsonValue* object;
    std::string& why;
    std::string bad;
};

void readSource(Record& m, WindowSource& s)
{
    s.file = m.text("file");
    s.gridRows = m.integer("grid_rows");
    s.gridCols = m.integer("grid_cols");
    s.window = GridWindow{m.integer("xoff"), m.integer("yoff"), m.integer("xsize"), m.integer("ysize")};
    s.cellsize = m.number("cellsize");
    s.cellsizeMetres = static_cast<float>(m.number("cellsize_m"));
    s.xllcorner = m.number("xllcorner");
    s.yllcorner = m.number("yllcorner");
    const JsonValue* nodata = m.get("nodata");
    if (nodata && nodata->kind == JsonValue::Kind::Array && nodata->items.size() == 2) {
        JsonValue pair;
        pair.kind = JsonValue::Kind::Object;
        pair.members = {{"held", nodata->items[0]}, {"read", nodata->items[1]}};
        std::string why;
        Record values(&pair, why);
        s.nodata = HeaderNumber{static_cast<float>(values.number("held")), values.number("read")};
        if (!values.good())
            m.fail("nodata");
    } else if (!nodata || nodata->kind != JsonValue::Kind::Null) {
        m.fail("nodata");
    }
    s.unit = m.number("unit");
    s.interval = m.integer("interval");
    s.comparisonFile = m.text("comparison_file");
    s.comparisonType = m.text("comparison_type");
}

void readFigures(Record& m, WindowFigures& f, std::string& why)
{
    f.points = m.whole("points");
    f.cells = m.whole("cells");
    f.maskedCells = m.whole("masked_cells");
    f.zmin = static_cast<float>(m.number("zmin"));
    f.zmax = static_cast<float>(m.number("zmax"));
    Record c(m.get("curvature"), why);
    f.squares = c.sum("squares");
    f.maxCurve = static_cast<float>(c.number("max"));
    f.maxCurveRow = c.integer("max_row");
    f.maxCurveCol = c.integer("max_col");
    c.counts("levels", f.curveCounts, 4);
    Record d(m.get("difference"), why);
    d.counts("levels", f.diffCounts, 5);
    f.differences.points = d.whole("points");
    f.differences.sum = d.sum("sum");
    f.differences.squares = d.sum("squares");
    f.differences.absolute = d.sum("abs");
    f.differences.maxAbs = d.number("max_abs");
    f.maxAbsRow = d.integer("max_abs_row");
    f.maxAbsCol = d.integer("max_abs_col");
    if (const JsonValue* histogram = d.array("histogram"))
        for (const JsonValue& bin : histogram->items) {
            if (bin.kind != JsonValue::Kind::Array || bin.items.size() != 2 ||
                bin.items[0].kind != JsonValue::Kind::Number || bin.items[1].kind != JsonValue::Kind::Number) {
                d.fail("histogram");
                break;
            }
            f.histogram[static_cast<long long>(bin.items[0].number)] += static_cast<long long>(bin.items[1].number);
        }
    if (!c.good() || !d.good())
        m.fail(c.good() ? "difference" : "curvature");
}

}  // namespace

bool readMergeJson(const std::string& text, WindowReport& w, std::string& why)
{
    const std::optional<JsonValue> report = parseJson(text, why);
    if (!report)
        return false;
    const JsonValue* merge = report->member("merge");
    if (merge == nullptr || merge->kind != JsonValue::Kind::Object) {
        why = "it holds no \"merge\" member (written by --window with --format json)";
        return false;
    }
    Record m(merge, why);
    readSource(m, w.source);
    readFigures(m, w.figures, why);
    return m.good() && why.empty();
}

