#include "tools/json_value.h"

#include <cstdlib>
#include <cstring>

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : s(text) {}

    bool document(JsonValue& v)
    {
        return value(v, 0) && (space(), i == s.size());
    }
    std::size_t at() const { return i; }

private:
    void space()
    {
        while (i < s.size() && std::strchr(" \t\r\n", s[i]) != nullptr)
            i++;
    }
    bool literal(const char* word)
    {
        const std::size_t n = std::strlen(word);
        if (s.compare(i, n, word) != 0)
            return false;
        i += n;
        return true;
    }
    // Deep nesting is no file of ours: it is refused before it exhausts the stack.
    bool value(JsonValue& v, int depth)
    {
        space();
        if (i >= s.size() || depth > 64)
            return false;
        const char c = s[i];
        if (c == '{')
            return object(v, depth);
        if (c == '[')
            return array(v, depth);
        if (c == '"')
            return v.kind = JsonValue::Kind::String, string(v.text);
        if (literal("null"))
            return v.kind = JsonValue::Kind::Null, true;
        if (literal("true") || literal("false"))
            return v.kind = JsonValue::Kind::Bool, v.boolean = s[i - 1] == 'e' && s[i - 2] == 'u', true;
        return number(v);
    }
    bool number(JsonValue& v)
    {
        const char* start = s.c_str() + i;
        if (*start != '-' && (*start < '0' || *start > '9'))
            return false;
        char* end = nullptr;
        v.number = std::strtod(start, &end);
        v.kind = JsonValue::Kind::Number;
        i += static_cast<std::size_t>(end - start);
        return end != start;
    }
    // Escapes other than \" and \\ (which the writer uses) are kept as they stand.
    bool string(std::string& out)
    {
        i++;
        while (i < s.size() && s[i] != '"') {
            if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '"' || s[i + 1] == '\\'))
                i++;
            out += s[i++];
        }
        return i++ < s.size();
    }
    bool array(JsonValue& v, int depth)
    {
        v.kind = JsonValue::Kind::Array;
        i++;
        space();
        if (i < s.size() && s[i] == ']')
            return ++i, true;
        for (;;) {
            v.items.emplace_back();
            if (!value(v.items.back(), depth + 1))
                return false;
            space();
            if (i < s.size() && s[i] == ',') {
                i++;
                continue;
            }
            return i < s.size() && s[i++] == ']';
        }
    }
    bool object(JsonValue& v, int depth)
    {
        v.kind = JsonValue::Kind::Object;
        i++;
        space();
        if (i < s.size() && s[i] == '}')
            return ++i, true;
        for (;;) {
            space();
            std::string name;
            if (i >= s.size() || s[i] != '"' || !string(name))
                return false;
            space();
            if (i >= s.size() || s[i++] != ':')
                return false;
            v.members.emplace_back(name, JsonValue());
            if (!value(v.members.back().second, depth + 1))
                return false;
            space();
            if (i < s.size() && s[i] == ',') {
                i++;
                continue;
            }
            return i < s.size() && s[i++] == '}';
        }
    }

    const std::string& s;
    std::size_t i = 0;
};

}  // namespace

const JsonValue* JsonValue::member(const std::string& name) const
{
    for (const auto& [key, value] : members)
        if (key == name)
            return &value;
    return nullptr;
}

std::optional<JsonValue> parseJson(const std::string& text, std::string& why)
{
    JsonValue v;
    Parser parser(text);
    if (parser.document(v))
        return v;
    why = "it is no JSON (at byte " + std::to_string(parser.at()) + ")";
    return std::nullopt;
}
