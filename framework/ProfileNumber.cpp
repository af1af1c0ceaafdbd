#include "framework/ProfileNumber.h"

namespace {

constexpr unsigned kNoDigit = 99;

unsigned AsciiDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return kNoDigit;
}

// The base that a "0" followed by `letter` announces; 10 when it is no prefix.
unsigned PrefixBase(char16_t letter)
{
    switch (letter) {
    case u'x':
        return 16;
    case u'o':
        return 8;
    case u'b':
        return 2;
    default:
        return 10;
    }
}

} // namespace

std::uint32_t ReadProfileNumber(std::u16string_view value)
{
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-')) {
        negative = value[i] == u'-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < value.size() && value[i] == u'0') {
        base = PrefixBase(value[i + 1]);
        if (base != 10)
            i += 2;
    }
    std::uint32_t number = 0;
    for (; i < value.size(); ++i) {
        const unsigned digit = AsciiDigitValue(value[i]);
        if (digit >= base)
            break;
        number = number * base + digit;
    }
    return negative ? 0u - number : number;
}
