#include "framework/Format.h"

#include <cstddef>
#include <cstdint>

namespace {

// One conversion: flags, width and length modifier as printf reads them.
struct FormatField
{
    bool leftAlign = false;
    bool zeroPad = false;
    size_t width = 0;
    bool is64 = false;
    char16_t conversion = 0;
};

std::u16string Decimal(std::uint64_t magnitude, bool negative)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        digits.insert(digits.begin(), u'-');
    return digits;
}

std::u16string Hex(std::uint64_t value, bool upper)
{
    const char16_t* digitSet = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), digitSet[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

std::u16string ConvertNumber(const FormatField& field, std::int64_t value)
{
    // Without "I64" the platform passes 32 bits: only the value's low 32 bits count.
    const std::uint64_t bits = field.is64 ? static_cast<std::uint64_t>(value)
                                          : static_cast<std::uint32_t>(static_cast<std::uint64_t>(value));
    switch (field.conversion) {
    case u'd':
    case u'i': {
        const std::int64_t signedValue =
            field.is64 ? value : static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        const bool negative = signedValue < 0;
        const std::uint64_t magnitude =
            negative ? 0 - static_cast<std::uint64_t>(signedValue) : static_cast<std::uint64_t>(signedValue);
        return Decimal(magnitude, negative);
    }
    case u'u':
        return Decimal(bits, false);
    case u'x':
        return Hex(bits, false);
    default:
        return Hex(bits, true);
    }
}

std::u16string Pad(std::u16string text, const FormatField& field)
{
    if (text.size() >= field.width)
        return text;
    const size_t fill = field.width - text.size();
    if (field.leftAlign)
        return text + std::u16string(fill, u' ');
    if (field.zeroPad && field.conversion != u's') {
        const size_t signLength = (!text.empty() && text[0] == u'-') ? 1 : 0;
        text.insert(signLength, fill, u'0');
        return text;
    }
    return std::u16string(fill, u' ') + text;
}

std::u16string Convert(const FormatField& field, const FormatValue* value)
{
    if (value == nullptr)
        return {};
    if (field.conversion == u's') {
        if (const auto* text = std::get_if<std::u16string>(value))
            return Pad(*text, field);
        // A number where text is expected is shown in decimal rather than lost.
        FormatField decimal;
        decimal.is64 = true;
        decimal.conversion = u'd';
        return Pad(ConvertNumber(decimal, std::get<std::int64_t>(*value)), field);
    }
    if (const auto* number = std::get_if<std::int64_t>(value))
        return Pad(ConvertNumber(field, *number), field);
    return {};
}

bool IsConversion(char16_t c)
{
    return c == u's' || c == u'd' || c == u'i' || c == u'u' || c == u'x' || c == u'X';
}

// Parses the conversion that starts after a "%" at `pos`; returns the position after it, or npos
// when the characters are no conversion this formatter knows.
size_t ParseField(std::u16string_view format, size_t pos, FormatField& field)
{
    for (; pos < format.size() && (format[pos] == u'-' || format[pos] == u'0'); ++pos) {
        if (format[pos] == u'-')
            field.leftAlign = true;
        else
            field.zeroPad = true;
    }
    for (; pos < format.size() && format[pos] >= u'0' && format[pos] <= u'9'; ++pos)
        field.width = field.width * 10 + static_cast<size_t>(format[pos] - u'0');
    if (format.substr(pos, 3) == u"I64") {
        field.is64 = true;
        pos += 3;
    }
    if (pos >= format.size() || !IsConversion(format[pos]))
        return std::u16string_view::npos;
    field.conversion = format[pos];
    return pos + 1;
}

} // namespace

std::u16string FormatW(std::u16string_view format, const std::vector<FormatValue>& values)
{
    std::u16string out;
    size_t nextValue = 0;
    size_t pos = 0;
    while (pos < format.size()) {
        const size_t percent = format.find(u'%', pos);
        out.append(format.substr(pos, percent == std::u16string_view::npos ? percent : percent - pos));
        if (percent == std::u16string_view::npos)
            break;
        if (percent + 1 < format.size() && format[percent + 1] == u'%') {
            out.push_back(u'%');
            pos = percent + 2;
            continue;
        }
        FormatField field;
        const size_t after = ParseField(format, percent + 1, field);
        if (after == std::u16string_view::npos) {
            // Not a conversion: the percent sign stands for itself.
            out.push_back(u'%');
            pos = percent + 1;
            continue;
        }
        const FormatValue* value = nextValue < values.size() ? &values[nextValue] : nullptr;
        ++nextValue;
        out += Convert(field, value);
        pos = after;
    }
    return out;
}
