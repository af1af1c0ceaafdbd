#include "framework/Cp936.h"

#include "framework/Cp936Tables.h"

#include <cstdint>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsExact(char16_t unit)
{
    return unit < 0x80 || ((cp936::kExact[unit / 32] >> (unit % 32)) & 1u) != 0;
}

// Appends the bytes of one code unit under the default conversion.
void AppendBestFit(std::string& out, char16_t unit)
{
    if (unit < 0x80) {
        out.push_back(static_cast<char>(unit));
        return;
    }
    const std::uint16_t bytes = cp936::kEncode[unit];
    if (bytes == 0) {
        out.push_back('?');
    } else if (bytes < 0x100) {
        out.push_back(static_cast<char>(bytes));
    } else {
        out.push_back(static_cast<char>(bytes >> 8));
        out.push_back(static_cast<char>(bytes & 0xFF));
    }
}

// Whether the unit has bytes of its own under the default conversion, exact or best fit.
bool HasForm(char16_t unit)
{
    return unit < 0x80 || cp936::kEncode[unit] != 0;
}

// The default conversion of the text when every unit passes `accepted`; otherwise nothing, and
// *badIndex receives the index of the first unit that does not.
template <typename Accepted>
std::optional<std::string> EncodeWhere(std::u16string_view text, size_t* badIndex, Accepted accepted)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        if (!accepted(text[i])) {
            if (badIndex != nullptr)
                *badIndex = i;
            return std::nullopt;
        }
        AppendBestFit(out, text[i]);
    }
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
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t unit : text)
        AppendBestFit(out, unit);
    return out;
}

std::optional<std::string> Cp936EncodeExact(std::u16string_view text, size_t* badIndex)
{
    return EncodeWhere(text, badIndex, IsExact);
}

std::optional<std::string> Cp936EncodeForFile(std::u16string_view text, size_t* badIndex)
{
    return EncodeWhere(text, badIndex, HasForm);
}

std::optional<std::u16string> Cp936DecodeExact(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        const Decoded decoded = DecodeAt(bytes, pos);
        if (!decoded.valid)
            return std::nullopt;
        out.push_back(decoded.unit);
        pos += decoded.length;
    }
    return out;
}

std::u16string Cp936Decode(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        const Decoded decoded = DecodeAt(bytes, pos);
        out.push_back(decoded.unit);
        pos += decoded.length;
    }
    return out;
}
