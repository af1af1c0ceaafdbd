#include "create/ScriptEditing.h"

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

size_t LineStart(std::u16string_view text, size_t at)
{
    const size_t lastBreak = at == 0 ? std::u16string_view::npos : text.rfind(u'\n', at - 1);
    return lastBreak == std::u16string_view::npos ? 0 : lastBreak + 1;
}

// The start of the marker's line: the first line that begins with it after blanks, else the line of
// its first occurrence; npos when it does not occur. The lines are scanned once, however many
// occurrences there are.
size_t FindMarkerLine(std::u16string_view text, std::u16string_view marker)
{
    const size_t npos = std::u16string_view::npos;
    const size_t first = text.find(marker);
    size_t lineStart = 0;
    size_t blanksEnd = 0; // the line holds only blanks from its start up to here
    size_t nextBreak = text.find(u'\n');
    for (size_t at = first; at != npos; at = text.find(marker, at + 1)) {
        while (nextBreak < at) {
            lineStart = blanksEnd = nextBreak + 1;
            nextBreak = text.find(u'\n', lineStart);
        }
        while (blanksEnd < at && IsBlank(text[blanksEnd]))
            ++blanksEnd;
        if (blanksEnd == at)
            return lineStart;
    }
    return first == npos ? npos : LineStart(text, first);
}

// True when the last of these whole lines is empty.
bool EndsWithEmptyLine(std::u16string_view lines)
{
    return lines.ends_with(u'\n') && (lines.size() == 1 || lines[lines.size() - 2] == u'\n');
}

} // namespace

CMarkedText::tagInsertion* CMarkedText::Place(std::u16string_view marker)
{
    for (const auto& [known, place] : m_markers) {
        if (known == marker)
            return place;
    }
    const size_t line = marker.empty() ? std::u16string::npos : FindMarkerLine(m_strText, marker);
    tagInsertion* place = nullptr;
    if (line != std::u16string::npos) {
        const bool emptyAbove = line > 0 && (line == 1 || m_strText[line - 2] == u'\n');
        auto [found, added] = m_places.try_emplace(emptyAbove ? line - 1 : line);
        if (added && emptyAbove)
            found->second = tagInsertion{1, u"\n"};
        place = &found->second;
    }
    m_markers.emplace_back(marker, place);
    return place;
}

void CMarkedText::InsertBefore(std::u16string_view marker, std::u16string_view lines)
{
    tagInsertion* place = Place(marker);
    if (!place) {
        m_atStart.emplace_back(lines);
        return;
    }
    // Lines that end with an empty line leave it next to the marker; later lines go in front of it.
    std::u16string& text = place->strLines;
    if (EndsWithEmptyLine(text))
        text.insert(text.size() - 1, lines);
    else
        text += lines;
}

std::u16string CMarkedText::Text() const
{
    size_t size = m_strText.size();
    for (const std::u16string& lines : m_atStart)
        size += lines.size();
    for (const auto& [at, place] : m_places)
        size += place.strLines.size();
    std::u16string text;
    text.reserve(size);
    for (auto lines = m_atStart.rbegin(); lines != m_atStart.rend(); ++lines)
        text += *lines;
    size_t pos = 0;
    for (const auto& [at, place] : m_places) {
        text.append(m_strText, pos, at - pos);
        text += place.strLines;
        pos = at + place.nSkip;
    }
    text.append(m_strText, pos);
    return text;
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
