// The text table of checkpoints: pure parsing, no GDAL and no file.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "model/checkpoint_columns.h"
#include "model/checkpoint_file.h"

namespace {

// Blanks mode splits on runs of spaces and tabs; the others on one character each.
const char blanks = ' ';

char separatorOf(const std::string& header)
{
    for (char s : {',', ';', '\t'})
        if (header.find(s) != std::string::npos)
            return s;
    return blanks;
}

std::string trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Fields of a line; a field in double quotes may hold the separator, and "" stands for a
// quote inside it.
std::vector<std::string> fieldsOf(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < line.size(); i++) {
        const char ch = line[i];
        const bool splits = separator == blanks ? (ch == ' ' || ch == '\t') : ch == separator;
        if (quoted) {
            if (ch == '"' && i + 1 < line.size() && line[i + 1] == '"')
                field += line[++i];
            else if (ch == '"')
                quoted = false;
            else
                field += ch;
        } else if (ch == '"') {
            quoted = any = true;
        } else if (splits) {
            if (separator != blanks || any || !field.empty())
                fields.push_back(trimmed(field));
            field.clear();
            any = false;
        } else {
            field += ch;
        }
    }
    if (separator != blanks || any || !trimmed(field).empty())
        fields.push_back(trimmed(field));
    return fields;
}

std::optional<double> numberIn(std::string text, char separator)
{
    if (separator != ',' && text.find('.') == std::string::npos) {
        const auto comma = text.find(',');
        if (comma != std::string::npos && text.find(',', comma + 1) == std::string::npos)
            text[comma] = '.';
    }
    const char* begin = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Positions of the columns in a header; -1 for a column it does not name.
struct Columns {
    int x = -1, y = -1, z = -1, id = -1, landClass = -1;
    int needed() const { return std::max({x, y, z, id, landClass}) + 1; }
};

Columns columnsOf(const std::vector<std::string>& names)
{
    Columns c;
    for (int i = 0; i < int(names.size()); i++) {
        int* slot = nullptr;
        switch (checkpointColumn(names[std::size_t(i)])) {
        case CheckpointColumn::x: slot = &c.x; break;
        case CheckpointColumn::y: slot = &c.y; break;
        case CheckpointColumn::z: slot = &c.z; break;
        case CheckpointColumn::id: slot = &c.id; break;
        case CheckpointColumn::landClass: slot = &c.landClass; break;
        case CheckpointColumn::other: break;
        }
        if (slot != nullptr && *slot < 0)
            *slot = i;
    }
    return c;
}

// The lines of text one by one, without their line ends, with 1-based line numbers.
class Lines {
public:
    explicit Lines(const std::string& text) : text(text) {}
    bool next(std::string& line, long long& number)
    {
        if (at >= text.size())
            return false;
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        line.assign(text, at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        at = end + 1;
        number = ++count;
        return true;
    }

private:
    const std::string& text;
    std::size_t at = 0;
    long long count = 0;
};

bool passedOver(const std::string& line)
{
    const std::string t = trimmed(line);
    return t.empty() || t[0] == '#';
}

// The header line: the first that is not passed over, without a byte order mark.
bool headerLine(Lines& lines, std::string& header, long long& number)
{
    while (lines.next(header, number)) {
        if (number == 1 && header.compare(0, 3, "\xEF\xBB\xBF") == 0)
            header.erase(0, 3);
        if (!passedOver(header))
            return true;
    }
    return false;
}

// One data row into point; "" or why it cannot be read.
std::string readRow(const std::vector<std::string>& f, const Columns& c, char separator, long long line,
                    Checkpoint& point)
{
    if (int(f.size()) < c.needed())
        return "has " + std::to_string(f.size()) + " fields where the header names " + std::to_string(c.needed());
    const std::pair<int, const char*> coordinates[] = {{c.x, "x"}, {c.y, "y"}, {c.z, "z"}};
    double values[3];
    for (int i = 0; i < 3; i++) {
        const std::string& text = f[std::size_t(coordinates[i].first)];
        const auto value = numberIn(text, separator);
        if (!value)
            return std::string(coordinates[i].second) + " \"" + text + "\" is not a number";
        values[i] = *value;
    }
    point.x = values[0];
    point.y = values[1];
    point.z = values[2];
    point.id = c.id >= 0 ? f[std::size_t(c.id)] : std::to_string(line);
    point.landClass = c.landClass >= 0 ? f[std::size_t(c.landClass)] : "";
    return "";
}

}  // namespace

bool startsAsCheckpointTable(const std::string& text)
{
    Lines lines(text);
    std::string header;
    long long number = 0;
    if (!headerLine(lines, header, number))
        return false;
    const Columns c = columnsOf(fieldsOf(header, separatorOf(header)));
    return c.x >= 0 && c.y >= 0;
}

CheckpointSet parseCheckpointTable(const std::string& text, std::size_t maxPoints)
{
    CheckpointSet set;
    Lines lines(text);
    std::string line;
    long long number = 0;
    if (!headerLine(lines, line, number)) {
        set.problem = "holds no usable checkpoint";
        return set;
    }
    const char separator = separatorOf(line);
    const Columns c = columnsOf(fieldsOf(line, separator));
    if (c.x < 0 || c.y < 0 || c.z < 0) {
        set.problem = "has no " + std::string(c.x < 0 ? "x" : c.y < 0 ? "y" : "z (height)") + " column";
        return set;
    }
    set.hasClasses = c.landClass >= 0;
    while (lines.next(line, number)) {
        if (passedOver(line))
            continue;
        Checkpoint point;
        const std::string why = readRow(fieldsOf(line, separator), c, separator, number, point);
        if (!why.empty()) {
            set.skipped.push_back({"line " + std::to_string(number), why});
            continue;
        }
        if (set.points.size() == maxPoints) {
            set.points = {};
            set.problem = "holds more checkpoints than memory allows (" + std::to_string(maxPoints) + ")";
            return set;
        }
        set.points.push_back(std::move(point));
    }
    if (set.points.empty())
        set.problem = "holds no usable checkpoint";
    return set;
}
