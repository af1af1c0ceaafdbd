#include "framework/WideText.h"

namespace {

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsHighSurrogate(char16_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

// The length of the well-formed UTF-8 sequence at `pos`, with its code point in `cp`; 0 when the bytes
// there are none: a stray or cut-off sequence, an overlong form ("C0 AF" for "/"), an encoded surrogate
// (ED A0 80 to ED BF BF) or a code point beyond U+10FFFF.
size_t DecodeSequence(std::string_view text, size_t pos, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    size_t length = 0;
    // The second byte's range shuts out overlong forms, surrogates and code points beyond U+10FFFF.
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;
        secondHigh = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (length > text.size() - pos)
        return 0;
    cp = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[pos + k]);
        if (c < (k == 1 ? secondLow : 0x80) || c > (k == 1 ? secondHigh : 0xBF))
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    return length;
}

void AppendUtf16(std::u16string& out, char32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<char16_t>(cp);
    }
}

// Decodes `text` into `out`. A byte that begins no well-formed sequence becomes U+FFFD, or, when
// `stopAtBad`, ends the decoding: the result is its offset then, npos otherwise.
size_t DecodeUtf8(std::string_view text, std::u16string& out, bool stopAtBad)
{
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const size_t length = DecodeSequence(text, i, cp);
        if (length == 0 && stopAtBad)
            return i;
        AppendUtf16(out, length == 0 ? 0xFFFD : cp);
        i += length == 0 ? 1 : length;
    }
    return std::string_view::npos;
}

} // namespace

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t u = text[i];
        if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            char32_t cp = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            AppendUtf8(out, 0xFFFD); // a lone surrogate has no UTF-8 form
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

std::u16string FromUtf8(std::string_view text)
{
    std::u16string out;
    DecodeUtf8(text, out, false);
    return out;
}

std::optional<std::u16string> FromUtf8Strict(std::string_view text, size_t* badOffset)
{
    std::u16string out;
    const size_t bad = DecodeUtf8(text, out, true);
    if (bad == std::string_view::npos)
        return out;
    if (badOffset)
        *badOffset = bad;
    return std::nullopt;
}

size_t FindLoneSurrogate(std::u16string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            return i;
    }
    return std::u16string_view::npos;
}

std::u16string FoldAsciiCase(std::u16string_view text)
{
    std::u16string folded(text);
    for (char16_t& c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + (u'a' - u'A'));
    }
    return folded;
}

bool EqualsNoCaseAscii(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && FoldAsciiCase(a) == FoldAsciiCase(b);
}

bool StartsWithNoCaseAscii(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCaseAscii(text.substr(0, prefix.size()), prefix);
}
