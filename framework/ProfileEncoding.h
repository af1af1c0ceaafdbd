#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a profile file's bytes are text: the mark at its start decides, as Windows decides it; a file
// keeps its encoding and its mark when written.
enum class ProfileEncoding {
    Ansi,    // no mark: code page 936
    Utf16Le, // FF FE
    Utf16Be, // FE FF
    Utf8,    // EF BB BF; Windows would not see the mark, we skip it so such files still work
};

// One line as it stands in the file: its bytes and the bytes of its line break (empty for a last line
// without one). Keeping the bytes lets a write leave every line it does not set exactly as it was.
struct ProfileRawLine
{
    std::string text;
    std::string end;
};

struct ProfileRawFile
{
    ProfileEncoding encoding = ProfileEncoding::Ansi;
    std::string mark;
    std::vector<ProfileRawLine> lines;
    // The odd last byte of a UTF-16 file: no whole character, so no reader sees it. It stays the
    // file's last byte, so that text added at the end keeps its characters aligned.
    std::string tail;
};

// Splits a file at CR LF, LF and lone CR. A file ending with a break has no empty line after it.
// A UTF-16 file's odd last byte goes to the tail, not into a line.
ProfileRawFile SplitProfileBytes(std::string_view bytes);

// The line's text; nothing for a line of a file marked as UTF-8 that is not UTF-8, since any character
// put in place of its bad bytes would be written back as if the file had held it.
std::optional<std::u16string> DecodeProfileLine(std::string_view bytes, ProfileEncoding encoding);
std::string EncodeProfileText(std::u16string_view text, ProfileEncoding encoding);
