#include "create/ScriptEditing.h"

void InsertBeforeMarker(std::u16string& text, std::u16string_view marker, std::u16string_view lines)
{
    const size_t at = text.find(marker);
    if (at == std::u16string::npos || at == 0) {
        text.insert(0, lines);
        return;
    }
    const size_t lastBreak = text.rfind(u'\n', at - 1);
    if (lastBreak == std::u16string::npos) {
        text.insert(0, lines);
        return;
    }
    const size_t lineStart = lastBreak + 1;
    const bool emptyAbove = lastBreak == 0 || text[lastBreak - 1] == u'\n';
    text.insert(emptyAbove ? lastBreak : lineStart, lines);
}

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to)
{
    if (from.empty())
        return std::u16string(text);
    std::u16string result;
    result.reserve(text.size());
    size_t pos = 0;
    for (size_t at = text.find(from); at != std::u16string_view::npos; at = text.find(from, pos)) {
        result.append(text.substr(pos, at - pos));
        result.append(to);
        pos = at + from.size();
    }
    result.append(text.substr(pos));
    return result;
}
