#include "framework/ProfileEncoding.h"

#include "framework/Cp936.h"
#include "framework/WideText.h"

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The file's code units: bytes, or byte pairs for UTF-16LE.
size_t UnitSize(ProfileEncoding encoding)
{
    return encoding == ProfileEncoding::Utf16Le ? 2 : 1;
}

char16_t UnitAt(std::string_view bytes, size_t pos, size_t unitSize)
{
    if (unitSize == 1 || pos + 1 >= bytes.size())
        return static_cast<unsigned char>(bytes[pos]);
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[pos]) |
                                 (static_cast<unsigned char>(bytes[pos + 1]) << 8));
}

size_t UnitLength(std::string_view bytes, size_t pos, size_t unitSize)
{
    return pos + unitSize <= bytes.size() ? unitSize : bytes.size() - pos;
}

} // namespace

ProfileRawFile SplitProfileBytes(std::string_view bytes)
{
    ProfileRawFile file;
    if (bytes.starts_with(kUtf16LeMark)) {
        file.encoding = ProfileEncoding::Utf16Le;
        file.mark = kUtf16LeMark;
    } else if (bytes.starts_with(kUtf8Mark)) {
        file.encoding = ProfileEncoding::Utf8;
        file.mark = kUtf8Mark;
    }
    bytes.remove_prefix(file.mark.size());
    const size_t unit = UnitSize(file.encoding);
    if (bytes.size() % unit != 0) {
        file.tail = bytes.substr(bytes.size() - 1);
        bytes.remove_suffix(1);
    }
    size_t lineStart = 0;
    size_t pos = 0;
    while (pos < bytes.size()) {
        char16_t c = UnitAt(bytes, pos, unit);
        size_t len = UnitLength(bytes, pos, unit);
        if (c != u'\r' && c != u'\n') {
            pos += len;
            continue;
        }
        size_t breakEnd = pos + len;
        if (c == u'\r' && breakEnd < bytes.size() && UnitAt(bytes, breakEnd, unit) == u'\n')
            breakEnd += UnitLength(bytes, breakEnd, unit);
        file.lines.push_back({std::string(bytes.substr(lineStart, pos - lineStart)),
                              std::string(bytes.substr(pos, breakEnd - pos))});
        lineStart = pos = breakEnd;
    }
    if (lineStart < bytes.size())
        file.lines.push_back({std::string(bytes.substr(lineStart)), std::string()});
    return file;
}

std::u16string DecodeProfileLine(std::string_view bytes, ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Utf16Le: {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            text += UnitAt(bytes, i, 2);
        return text;
    }
    case ProfileEncoding::Utf8:
        return FromUtf8(bytes);
    case ProfileEncoding::Ansi:
        break;
    }
    return Cp936Decode(bytes);
}

std::string EncodeProfileText(std::u16string_view text, ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Utf16Le: {
        std::string bytes;
        bytes.reserve(text.size() * 2);
        for (char16_t c : text) {
            bytes += static_cast<char>(c & 0xFF);
            bytes += static_cast<char>(c >> 8);
        }
        return bytes;
    }
    case ProfileEncoding::Utf8:
        return ToUtf8(text);
    case ProfileEncoding::Ansi:
        break;
    }
    return Cp936EncodeBestFit(text);
}
