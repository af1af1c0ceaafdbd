#pragma once

#include <string>
#include <string_view>

// Puts `lines` (whole lines, each ending with LF) in front of the first `marker` of `text`. Under an
// empty line they go in front of that empty line's LF, so the empty line stays next to the marker and
// later insertions collect above it. Under a line with text they go directly before the marker's line,
// so they never join it. A missing marker, or one on the first line, puts them at the start.
void InsertBeforeMarker(std::u16string& text, std::u16string_view marker, std::u16string_view lines);

// Every occurrence of `from`, left to right without overlaps, replaced by `to`.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to);
