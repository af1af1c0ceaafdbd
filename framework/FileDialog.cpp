#include "framework/FileDialog.h"

namespace {

std::vector<std::u16string> Split(const std::u16string& text, std::u16string_view separators)
{
    std::vector<std::u16string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(separators, start);
        if (end == std::u16string::npos)
            end = text.size();
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::vector<std::u16string> Patterns(const std::u16string& text)
{
    std::vector<std::u16string> patterns;
    for (std::u16string& part : Split(text, u"; "))
        if (!part.empty())
            patterns.push_back(std::move(part));
    return patterns;
}

std::u16string Join(const std::vector<std::u16string>& patterns)
{
    std::u16string joined;
    for (const std::u16string& pattern : patterns)
        joined += (joined.empty() ? u"" : u" ") + pattern;
    return joined;
}

// The description without a closing "(…)" that holds exactly these patterns; all of it otherwise.
std::u16string NameWithoutPatterns(const std::u16string& description,
                                   const std::vector<std::u16string>& patterns)
{
    size_t open = description.rfind(u'(');
    if (open == std::u16string::npos || description.back() != u')')
        return description;
    if (Patterns(description.substr(open + 1, description.size() - open - 2)) != patterns)
        return description;
    size_t end = open == 0 ? std::u16string::npos : description.find_last_not_of(u' ', open - 1);
    return end == std::u16string::npos ? std::u16string() : description.substr(0, end + 1);
}

FileDialogHandler& CurrentHandler()
{
    // Without a window system there is nobody to choose: the choice is cancelled.
    static FileDialogHandler handler = [](const FileDialogRequest&) {
        return std::optional<std::u16string>();
    };
    return handler;
}

} // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler)
{
    FileDialogHandler previous = std::move(CurrentHandler());
    if (handler)
        CurrentHandler() = std::move(handler);
    else
        CurrentHandler() = [](const FileDialogRequest&) { return std::optional<std::u16string>(); };
    return previous;
}

std::optional<std::u16string> ShowFileDialog(const FileDialogRequest& request)
{
    return CurrentHandler()(request);
}

std::vector<std::u16string> NameFiltersOf(const std::u16string& filter)
{
    // "description|patterns|description|patterns|": the text after the last "|" is no entry.
    std::vector<std::u16string> parts = Split(filter, u"|");
    std::vector<std::u16string> names;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::vector<std::u16string> patterns = Patterns(parts[i + 1]);
        std::u16string name = NameWithoutPatterns(parts[i], patterns);
        names.push_back(name + (name.empty() ? u"(" : u" (") + Join(patterns) + u")");
    }
    return names;
}
