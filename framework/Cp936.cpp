#include "framework/Cp936.h"

#include "framework/AsciiRun.h"
#include "framework/Cp936Tables.h"

#include <cstdint>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsExact(char16_t unit)
{
    return unit < 0x80 || ((cp936::kExact[unit / 32] >> (unit % 32)) & 1u) != 0;
}

// Writes the bytes of one code unit under the default conversion at `out`; returns the end.
char* PutBestFit(char* out, char16_t unit)
{
    if (unit < 0x80) {
        *out++ = static_cast<char>(unit);
        return out;
    }
    const std::uint16_t bytes = cp936::kEncode[unit];
    if (bytes == 0) {
        *out++ = '?';
    } else if (bytes < 0x100) {
        *out++ = static_cast<char>(bytes);
    } else {
        *out++ = static_cast<char>(bytes >> 8);
        *out++ = static_cast<char>(bytes & 0xFF);
    }
    return out;
}

// Whether the unit has bytes of its own under the default conversion, exact or best fit.
bool HasForm(char16_t unit)
{
    return unit < 0x80 || cp936::kEncode[unit] != 0;
}

// The default conversion of the text when every unit passes `accepted`; otherwise nothing, and
// *badIndex receives the index of the first unit that does not. The ASCII run at the start is taken
// whole; the rest is written into room for two bytes a unit, cut to its length at the end.
template <typename Accepted>
std::optional<std::string> EncodeWhere(std::u16string_view text, size_t* badIndex, Accepted accepted)
{
    const size_t ascii = AsciiPrefix(text);
    std::string out(ascii == text.size() ? ascii : ascii + (text.size() - ascii) * 2, '\0');
    NarrowAscii(text.data(), out.data(), ascii);
    if (ascii == text.size())
        return out;
    char* end = out.data() + ascii;
    for (size_t i = ascii; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            *end++ = static_cast<char>(unit);
            continue;
        }
        if (!accepted(unit)) {
            if (badIndex != nullptr)
                *badIndex = i;
            return std::nullopt;
        }
        end = PutBestFit(end, unit);
    }
    out.resize(static_cast<size_t>(end - out.data()));
    return out;
}

// One decoded character: its code unit (0xFFFD when the bytes do not decode), how many bytes it
// took, and whether it decoded.
struct Decoded
{
    char16_t unit = kReplacement;
    size_t length = 1;
    bool valid = false;
};

Decoded DecodeAt(std::string_view bytes, size_t pos)
{
    const auto first = static_cast<unsigned char>(bytes[pos]);
    if (first < 0x80)
        return {first, 1, true};
    if (cp936::kSingleByte[first - 0x80] != 0)
        return {cp936::kSingleByte[first - 0x80], 1, true};
    if (cp936::kLeadByte[first - 0x80] == 0 || pos + 1 >= bytes.size())
        return {};
    const auto second = static_cast<unsigned char>(bytes[pos + 1]);
    const std::uint16_t unit = cp936::kDoubleByte[(first - 0x80) * 256 + second];
    if (unit == 0)
        return {}; // the lead byte alone is bad; the next byte starts afresh
    return {unit, 2, true};
}

} // namespace

std::string Cp936EncodeBestFit(std::u16string_view text)
{
    std::string out(2 * text.size(), '\0');
    out.resize(Cp936EncodeBestFitTo(text, out.data()));
    return out;
}

// Runs of ASCII, which names mix with other characters, are taken whole.
size_t Cp936EncodeBestFitTo(std::u16string_view text, char* out)
{
    char* end = out;
    for (size_t i = 0; i < text.size();) {
        const size_t ascii = AsciiPrefix(text.substr(i));
        NarrowAscii(text.data() + i, end, ascii);
        end += ascii;
        for (i += ascii; i < text.size() && text[i] >= 0x80; ++i)
            end = PutBestFit(end, text[i]);
    }
    return static_cast<size_t>(end - out);
}

std::optional<std::string> Cp936EncodeExact(std::u16string_view text, size_t* badIndex)
{
    return EncodeWhere(text, badIndex, IsExact);
}

std::optional<std::string> Cp936EncodeForFile(std::u16string_view text, size_t* badIndex)
{
    return EncodeWhere(text, badIndex, HasForm);
}

namespace {

// Decodes the bytes into a buffer of one unit a byte, cut to its length at the end; the ASCII run at
// the start is taken whole, and later ASCII takes no table. False, with the output unfinished, at the
// first invalid sequence when `exact`.
bool DecodeInto(std::string_view bytes, std::u16string& out, bool exact)
{
    const size_t ascii = AsciiPrefix(bytes);
    out.assign(bytes.size(), u'\0');
    WidenAscii(bytes.data(), out.data(), ascii);
    if (ascii == bytes.size())
        return true;
    char16_t* end = out.data() + ascii;
    for (size_t pos = ascii; pos < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[pos]);
        if (first < 0x80) {
            *end++ = first;
            ++pos;
            continue;
        }
        const Decoded decoded = DecodeAt(bytes, pos);
        if (exact && !decoded.valid)
            return false;
        *end++ = decoded.unit;
        pos += decoded.length;
    }
    out.resize(static_cast<size_t>(end - out.data()));
    return true;
}

} // namespace

std::optional<std::u16string> Cp936DecodeExact(std::string_view bytes)
{
    std::u16string out;
    if (!DecodeInto(bytes, out, true))
        return std::nullopt;
    return out;
}

std::u16string Cp936Decode(std::string_view bytes)
{
    std::u16string out;
    DecodeInto(bytes, out, false);
    return out;
}
