#include "framework/ProfileEncoding.h"

#include "framework/AsciiRun.h"
#include "framework/Cp936.h"
#include "framework/WideText.h"

#include <cstring>
#include <utility>

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsUtf16(ProfileEncoding encoding)
{
    return encoding == ProfileEncoding::Utf16Le || encoding == ProfileEncoding::Utf16Be;
}

char16_t UnitAt(std::string_view bytes, size_t pos, ProfileEncoding encoding)
{
    const auto first = static_cast<unsigned char>(bytes[pos]);
    const auto second = static_cast<unsigned char>(bytes[pos + 1]);
    if (encoding == ProfileEncoding::Utf16Be)
        return static_cast<char16_t>((first << 8) | second);
    return static_cast<char16_t>(first | (second << 8));
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
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto low = static_cast<char>(text[i] & 0xFF);
        const auto high = static_cast<char>(text[i] >> 8);
        bytes[2 * i] = bigEndian ? high : low;
        bytes[2 * i + 1] = bigEndian ? low : high;
    }
    return bytes;
}

} // namespace

tagProfileLayout ProfileLayout(std::string_view bytes)
{
    tagProfileLayout layout;
    const auto [encoding, mark] = DetectEncoding(bytes);
    layout.encoding = encoding;
    layout.markSize = mark.size();
    if (IsUtf16(encoding) && (bytes.size() - mark.size()) % 2 != 0)
        layout.tailSize = 1;
    return layout;
}

CProfileLines::CProfileLines(std::string_view bytes, const tagProfileLayout& layout)
    : m_bytes(bytes.substr(0, bytes.size() - layout.tailSize)), m_encoding(layout.encoding),
      m_nPos(layout.markSize)
{
}

bool CProfileLines::Next(tagLineSpan& line)
{
    if (m_nPos >= m_bytes.size())
        return false;
    return IsUtf16(m_encoding) ? NextInUnits(line) : NextInBytes(line);
}

// The next LF is found once and kept while lone CRs break the text before it.
bool CProfileLines::NextInBytes(tagLineSpan& line)
{
    const char* data = m_bytes.data();
    const size_t size = m_bytes.size();
    if (!m_bLfKnown || m_nNextLf < m_nPos) {
        const void* found = std::memchr(data + m_nPos, '\n', size - m_nPos);
        m_nNextLf = found ? static_cast<size_t>(static_cast<const char*>(found) - data) : size;
        m_bLfKnown = true;
    }
    const void* cr = std::memchr(data + m_nPos, '\r', m_nNextLf - m_nPos);
    if (cr) {
        const auto at = static_cast<size_t>(static_cast<const char*>(cr) - data);
        const bool pair = at + 1 == m_nNextLf && m_nNextLf < size;
        line = {m_nPos, at - m_nPos, pair ? ELineEnd::crlf : ELineEnd::cr};
        m_nPos = at + (pair ? 2 : 1);
    } else if (m_nNextLf < size) {
        line = {m_nPos, m_nNextLf - m_nPos, ELineEnd::lf};
        m_nPos = m_nNextLf + 1;
    } else {
        line = {m_nPos, size - m_nPos, ELineEnd::none};
        m_nPos = size;
    }
    return true;
}

// A UTF-16 body holds whole units: the odd last byte is the tail.
bool CProfileLines::NextInUnits(tagLineSpan& line)
{
    const size_t start = m_nPos;
    for (size_t pos = start; pos < m_bytes.size(); pos += 2) {
        const char16_t c = UnitAt(m_bytes, pos, m_encoding);
        if (c != u'\r' && c != u'\n')
            continue;
        ELineEnd end = c == u'\r' ? ELineEnd::cr : ELineEnd::lf;
        size_t next = pos + 2;
        if (c == u'\r' && next < m_bytes.size() && UnitAt(m_bytes, next, m_encoding) == u'\n') {
            end = ELineEnd::crlf;
            next += 2;
        }
        line = {start, pos - start, end};
        m_nPos = next;
        return true;
    }
    line = {start, m_bytes.size() - start, ELineEnd::none};
    m_nPos = m_bytes.size();
    return true;
}

std::string_view LineEndBytes(ELineEnd end, ProfileEncoding encoding)
{
    static constexpr std::string_view kBytes[] = {"", "\r", "\n", "\r\n"};
    static constexpr std::string_view kLe[] = {"", std::string_view("\r\0", 2), std::string_view("\n\0", 2),
                                               std::string_view("\r\0\n\0", 4)};
    static constexpr std::string_view kBe[] = {"", std::string_view("\0\r", 2), std::string_view("\0\n", 2),
                                               std::string_view("\0\r\0\n", 4)};
    const auto index = static_cast<size_t>(end);
    if (encoding == ProfileEncoding::Utf16Le)
        return kLe[index];
    if (encoding == ProfileEncoding::Utf16Be)
        return kBe[index];
    return kBytes[index];
}

std::optional<std::u16string> DecodeProfileLine(std::string_view bytes, ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Utf16Le:
    case ProfileEncoding::Utf16Be: {
        std::u16string text(bytes.size() / 2, u'\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = UnitAt(bytes, 2 * i, encoding);
        return text;
    }
    case ProfileEncoding::Utf8:
        return FromUtf8Strict(bytes);
    case ProfileEncoding::Ansi:
        break;
    }
    return Cp936Decode(bytes);
}

bool IsReadableProfileLine(std::string_view bytes, ProfileEncoding encoding)
{
    if (encoding != ProfileEncoding::Utf8)
        return true;
    const size_t ascii = AsciiPrefix(bytes);
    return ascii == bytes.size() || FromUtf8Strict(bytes.substr(ascii)).has_value();
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
