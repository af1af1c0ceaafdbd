#include "framework/NumberReading.h"

#include "framework/WcstolTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>

namespace {

const crt::tagWcstolRange* FindRange(char16_t c)
{
    const std::span<const crt::tagWcstolRange> ranges(crt::kWcstolRanges, crt::kWcstolRangeCount);
    auto it =
        std::lower_bound(ranges.begin(), ranges.end(), c,
                         [](const crt::tagWcstolRange& range, char16_t unit) { return range.last < unit; });
    return it != ranges.end() && it->first <= c ? &*it : nullptr;
}

bool IsSpaceInTable(char16_t c)
{
    const crt::tagWcstolRange* range = FindRange(c);
    return range != nullptr && range->firstDigit < 0;
}

// The digits of every script that the C runtime knows count with their values; only ASCII letters
// serve as digits above 9, so full-width letters end a hexadecimal number.
int DigitValueInTable(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    const crt::tagWcstolRange* range = FindRange(c);
    if (range == nullptr || range->firstDigit < 0)
        return 99;
    return range->firstDigit + (c - range->first);
}

// What the table says of each ASCII unit, looked up once: nearly every number read is ASCII.
struct tagAsciiUnits
{
    std::array<bool, 0x80> space{};
    std::array<std::int8_t, 0x80> digit{};
};

const tagAsciiUnits& AsciiUnits()
{
    static const tagAsciiUnits units = [] {
        tagAsciiUnits table;
        for (char16_t c = 0; c < 0x80; ++c) {
            table.space[c] = IsSpaceInTable(c);
            table.digit[c] = static_cast<std::int8_t>(DigitValueInTable(c));
        }
        return table;
    }();
    return units;
}

bool IsSpace(char16_t c)
{
    return c < 0x80 ? AsciiUnits().space[c] : IsSpaceInTable(c);
}

int DigitValue(char16_t c)
{
    return c < 0x80 ? AsciiUnits().digit[c] : DigitValueInTable(c);
}

// Reads sign and magnitude; the magnitude saturates at `limit` (the largest magnitude the caller
// can represent for that sign), so clamping never needs a wider type.
struct Reading
{
    bool negative = false;
    std::uint64_t magnitude = 0;
};

Reading ReadMagnitude(std::u16string_view text, int base, std::uint64_t positiveLimit)
{
    size_t end = text.find(u'\0');
    if (end != std::u16string_view::npos)
        text = text.substr(0, end);

    Reading reading;
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        reading.negative = text[i] == u'-';
        ++i;
    }
    // "0x" is a prefix only when a hex digit follows; otherwise the "0" alone is the number.
    if (base == 16 && i + 2 < text.size() && text[i] == u'0' &&
        (text[i + 1] == u'x' || text[i + 1] == u'X') && DigitValue(text[i + 2]) < 16)
        i += 2;

    const std::uint64_t limit = reading.negative ? positiveLimit + 1 : positiveLimit;
    const auto ubase = static_cast<std::uint64_t>(base);
    for (; i < text.size(); ++i) {
        int digit = DigitValue(text[i]);
        if (digit >= base)
            break;
        const auto udigit = static_cast<std::uint64_t>(digit);
        if (reading.magnitude > (limit - udigit) / ubase)
            reading.magnitude = limit;
        else
            reading.magnitude = reading.magnitude * ubase + udigit;
    }
    return reading;
}

template <typename Int> Int ReadSigned(std::u16string_view text, int base)
{
    const auto positiveLimit = static_cast<std::uint64_t>(std::numeric_limits<Int>::max());
    Reading reading = ReadMagnitude(text, base, positiveLimit);
    if (!reading.negative)
        return static_cast<Int>(reading.magnitude);
    if (reading.magnitude > positiveLimit)
        return std::numeric_limits<Int>::min();
    return static_cast<Int>(-static_cast<Int>(reading.magnitude));
}

} // namespace

std::int32_t WcsToLong(std::u16string_view text, int base)
{
    return ReadSigned<std::int32_t>(text, base);
}

std::int64_t WcsToLongLong(std::u16string_view text, int base)
{
    return ReadSigned<std::int64_t>(text, base);
}
