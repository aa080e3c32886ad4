#pragma once
// A small reader of JSON text, for the files karvo-report writes and reads back (the merge
// of windows). Numbers are read as doubles with strtod, so a number written with 17
// significant digits reads back as the double written.

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    // The member of an object by name; nullptr when there is none or this is no object.
    const JsonValue* member(const std::string& name) const;
};

// The value of the whole text; nullopt, with the reason, when it is no JSON.
std::optional<JsonValue> parseJson(const std::string& text, std::string& why);
