#include "framework/ProfileEncoding.h"

#include "framework/Cp936.h"
#include "framework/WideText.h"

#include <utility>

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsUtf16(ProfileEncoding encoding)
{
    return encoding == ProfileEncoding::Utf16Le || encoding == ProfileEncoding::Utf16Be;
}

// The file's code units: bytes, or byte pairs for UTF-16.
size_t UnitSize(ProfileEncoding encoding)
{
    return IsUtf16(encoding) ? 2 : 1;
}

char16_t UnitAt(std::string_view bytes, size_t pos, ProfileEncoding encoding)
{
    const auto first = static_cast<unsigned char>(bytes[pos]);
    if (!IsUtf16(encoding) || pos + 1 >= bytes.size())
        return first;
    const auto second = static_cast<unsigned char>(bytes[pos + 1]);
    if (encoding == ProfileEncoding::Utf16Be)
        return static_cast<char16_t>((first << 8) | second);
    return static_cast<char16_t>(first | (second << 8));
}

size_t UnitLength(std::string_view bytes, size_t pos, size_t unitSize)
{
    return pos + unitSize <= bytes.size() ? unitSize : bytes.size() - pos;
}

// The encoding that the file's first bytes announce, and the mark that announces it.
std::pair<ProfileEncoding, std::string_view> DetectEncoding(std::string_view bytes)
{
    for (const auto& [encoding, mark] :
         {std::pair{ProfileEncoding::Utf16Le, kUtf16LeMark},
          std::pair{ProfileEncoding::Utf16Be, kUtf16BeMark}, std::pair{ProfileEncoding::Utf8, kUtf8Mark}}) {
        if (bytes.starts_with(mark))
            return {encoding, mark};
    }
    return {ProfileEncoding::Ansi, std::string_view()};
}

std::string EncodeUtf16(std::u16string_view text, ProfileEncoding encoding)
{
    const bool bigEndian = encoding == ProfileEncoding::Utf16Be;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        const auto low = static_cast<char>(c & 0xFF);
        const auto high = static_cast<char>(c >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

} // namespace

ProfileRawFile SplitProfileBytes(std::string_view bytes)
{
    ProfileRawFile file;
    const auto [encoding, mark] = DetectEncoding(bytes);
    file.encoding = encoding;
    file.mark = mark;
    bytes.remove_prefix(mark.size());
    const size_t unit = UnitSize(file.encoding);
    if (bytes.size() % unit != 0) {
        file.tail = bytes.substr(bytes.size() - 1);
        bytes.remove_suffix(1);
    }
    size_t lineStart = 0;
    size_t pos = 0;
    while (pos < bytes.size()) {
        char16_t c = UnitAt(bytes, pos, file.encoding);
        size_t len = UnitLength(bytes, pos, unit);
        if (c != u'\r' && c != u'\n') {
            pos += len;
            continue;
        }
        size_t breakEnd = pos + len;
        if (c == u'\r' && breakEnd < bytes.size() && UnitAt(bytes, breakEnd, file.encoding) == u'\n')
            breakEnd += UnitLength(bytes, breakEnd, unit);
        file.lines.push_back({std::string(bytes.substr(lineStart, pos - lineStart)),
                              std::string(bytes.substr(pos, breakEnd - pos))});
        lineStart = pos = breakEnd;
    }
    if (lineStart < bytes.size())
        file.lines.push_back({std::string(bytes.substr(lineStart)), std::string()});
    return file;
}

std::optional<std::u16string> DecodeProfileLine(std::string_view bytes, ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Utf16Le:
    case ProfileEncoding::Utf16Be: {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            text += UnitAt(bytes, i, encoding);
        return text;
    }
    case ProfileEncoding::Utf8:
        return FromUtf8Strict(bytes);
    case ProfileEncoding::Ansi:
        break;
    }
    return Cp936Decode(bytes);
}

std::string EncodeProfileText(std::u16string_view text, ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Utf16Le:
    case ProfileEncoding::Utf16Be:
        return EncodeUtf16(text, encoding);
    case ProfileEncoding::Utf8:
        return ToUtf8(text);
    case ProfileEncoding::Ansi:
        break;
    }
    return Cp936EncodeBestFit(text);
}
