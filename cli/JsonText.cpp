#include "cli/JsonText.h"

#include "framework/WideText.h"

#include <cstdio>

namespace {

bool IsSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

bool StartsSurrogatePair(std::u16string_view text, size_t i)
{
    return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
           text[i + 1] <= 0xDFFF;
}

std::string UnicodeEscape(char16_t unit)
{
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
    return escape;
}

// The escape of a code unit that cannot go out as it is: quote, backslash, control characters, and a
// surrogate that is not half of a pair. Empty for the others.
std::string Escape(char16_t unit)
{
    switch (unit) {
    case u'"':
        return "\\\"";
    case u'\\':
        return "\\\\";
    case u'\b':
        return "\\b";
    case u'\f':
        return "\\f";
    case u'\n':
        return "\\n";
    case u'\r':
        return "\\r";
    case u'\t':
        return "\\t";
    default:
        return unit < 0x20 || IsSurrogate(unit) ? UnicodeEscape(unit) : std::string();
    }
}

} // namespace

std::string JsonString(std::u16string_view text)
{
    std::string json = "\"";
    size_t plain = 0; // the text from here up to the next escape goes out as UTF-8
    for (size_t i = 0; i < text.size(); ++i) {
        if (StartsSurrogatePair(text, i)) {
            ++i;
            continue;
        }
        std::string escape = Escape(text[i]);
        if (escape.empty())
            continue;
        json += ToUtf8(text.substr(plain, i - plain)) + escape;
        plain = i + 1;
    }
    return json + ToUtf8(text.substr(plain)) + "\"";
}

std::string JsonObjectArray(const std::vector<JsonMembers>& objects)
{
    if (objects.empty())
        return "[]";
    std::string json = "[";
    for (size_t i = 0; i < objects.size(); ++i) {
        json += i == 0 ? "\n  {" : ",\n  {";
        for (size_t k = 0; k < objects[i].size(); ++k) {
            const auto& [name, value] = objects[i][k];
            json += (k == 0 ? "\n    " : ",\n    ") + JsonString(FromUtf8(name)) + ": " + JsonString(value);
        }
        json += "\n  }";
    }
    return json + "\n]";
}
