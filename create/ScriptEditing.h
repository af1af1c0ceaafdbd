#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A text that whole lines are put into in front of marker texts, made once at the end, so that the
// lines of thousands of games cost one pass over the text rather than one per game.
//
// A marker is looked for in the text as given, never in the lines put in, so that a game whose name
// holds a marker cannot move where later games' lines go. It is the first occurrence that begins a
// line (after blanks or tabs); only when no line begins with it, the first occurrence anywhere.
// Lines go directly before the marker's line; under an empty line they go in front of that empty line,
// so the empty line stays next to the marker. Lines put before the same marker keep their order. A
// missing (or empty) marker puts its lines at the start of the text, each time in front of the lines
// put there before.
class CMarkedText
{
public:
    explicit CMarkedText(std::u16string text) : m_strText(std::move(text)) {}

    // `lines` are whole lines, each ending with LF.
    void InsertBefore(std::u16string_view marker, std::u16string_view lines);

    std::u16string Text() const;

private:
    // What goes in at one place of the text.
    struct tagInsertion
    {
        size_t nSkip = 0; // 1 when the empty line above the marker moved into strLines, as its last line
        std::u16string strLines;
    };

    tagInsertion* Place(std::u16string_view marker);

    std::u16string m_strText;
    std::map<size_t, tagInsertion> m_places;                         // by position in m_strText
    std::vector<std::pair<std::u16string, tagInsertion*>> m_markers; // found so far; null: missing
    std::vector<std::u16string> m_atStart;                           // in the order they were put in
};

// Every occurrence of `from`, left to right without overlaps, replaced by `to`.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to);
