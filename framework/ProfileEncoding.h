#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How a profile file's bytes are text: the mark at its start decides, as Windows decides it; a file
// keeps its encoding and its mark when written.
enum class ProfileEncoding {
    Ansi,    // no mark: code page 936
    Utf16Le, // FF FE
    Utf16Be, // FE FF
    Utf8,    // EF BB BF; Windows would not see the mark, we skip it so such files still work
};

// The break that ends a line: CR LF, LF, a lone CR, or none for a last line without one.
enum class ELineEnd : std::uint8_t { none, cr, lf, crlf };

// Where a line stands in the file's bytes: its text, then its break.
struct tagLineSpan
{
    size_t start = 0;
    size_t length = 0; // of the text, without the break
    ELineEnd end = ELineEnd::none;
};

// How a file's bytes divide: the mark, the lines, and the odd last byte of a UTF-16 file, which holds no
// whole character so no reader sees it (it stays the file's last byte, so that text added at the end
// keeps its characters aligned).
struct tagProfileLayout
{
    ProfileEncoding encoding = ProfileEncoding::Ansi;
    size_t markSize = 0;
    size_t tailSize = 0;
};

tagProfileLayout ProfileLayout(std::string_view bytes);

// The lines of a file one after another, split at CR LF, LF and lone CR; a final break has no line after
// it. In code page 936 and UTF-8 a CR or LF byte is never part of another character.
class CProfileLines
{
public:
    CProfileLines(std::string_view bytes, const tagProfileLayout& layout);

    // The next line; false after the last.
    bool Next(tagLineSpan& line);

private:
    bool NextInBytes(tagLineSpan& line);
    bool NextInUnits(tagLineSpan& line);

    std::string_view m_bytes; // up to the tail
    ProfileEncoding m_encoding;
    size_t m_nPos;
    size_t m_nNextLf = 0; // the next LF byte at or after m_nPos once m_bLfKnown
    bool m_bLfKnown = false;
};

// The bytes of a line break in the encoding.
std::string_view LineEndBytes(ELineEnd end, ProfileEncoding encoding);

// The line's text; nothing for a line of a file marked as UTF-8 that is not UTF-8, since any character
// put in place of its bad bytes would be written back as if the file had held it.
std::optional<std::u16string> DecodeProfileLine(std::string_view bytes, ProfileEncoding encoding);

// Whether DecodeProfileLine gives the line a text: false only for a line of a UTF-8 file that is not
// UTF-8. Cheaper than decoding, as nearly every line is ASCII.
bool IsReadableProfileLine(std::string_view bytes, ProfileEncoding encoding);
std::string EncodeProfileText(std::u16string_view text, ProfileEncoding encoding);
