#include "encrypt/DottedNumber.h"

#include "framework/NumberReading.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

constexpr size_t kPartCount = 4;

std::u16string_view UpToZero(std::u16string_view text)
{
    return text.substr(0, text.find(u'\0'));
}

// The first four parts between dots; missing parts are empty, parts after the fourth are ignored.
std::array<std::u16string_view, kPartCount> SplitParts(std::u16string_view text)
{
    std::array<std::u16string_view, kPartCount> parts{};
    size_t start = 0;
    for (auto& part : parts) {
        if (start > text.size())
            break;
        const size_t dot = text.find(u'.', start);
        const size_t end = dot == std::u16string_view::npos ? text.size() : dot;
        part = text.substr(start, end - start);
        start = end + 1;
    }
    return parts;
}

// The longest decimal a 64-bit value takes, with its sign.
constexpr size_t kLongestDecimal = 21;

// The two digits of every number below 100, in units of either width.
template <typename Unit>
constexpr std::array<std::array<Unit, 2>, 100> kDigitPairs = [] {
    std::array<std::array<Unit, 2>, 100> pairs{};
    for (size_t n = 0; n < pairs.size(); ++n)
        pairs[n] = {static_cast<Unit>('0' + n / 10), static_cast<Unit>('0' + n % 10)};
    return pairs;
}();

// Writes the value in decimal at `out`, with a minus sign when negative; returns the end. Written
// directly, two digits at a time, as a list of 100,000 servers converts 100,000 addresses on every load
// and save.
template <typename Unit> Unit* PutDecimal(Unit* out, std::int64_t value)
{
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::array<Unit, 20> digits; // 18446744073709551615 has 20
    size_t start = digits.size();
    for (; magnitude >= 100; magnitude /= 100) {
        start -= 2;
        std::memcpy(digits.data() + start, kDigitPairs<Unit>[magnitude % 100].data(), 2 * sizeof(Unit));
    }
    if (magnitude >= 10) {
        start -= 2;
        std::memcpy(digits.data() + start, kDigitPairs<Unit>[magnitude].data(), 2 * sizeof(Unit));
    } else {
        digits[--start] = static_cast<Unit>('0' + magnitude);
    }
    if (negative)
        *out++ = Unit('-');
    const size_t count = digits.size() - start;
    std::memcpy(out, digits.data() + start, count * sizeof(Unit));
    return out + count;
}

// The number of a text of plain decimal digits, at most `longest` of them so that it cannot overflow;
// nothing for any other text (blanks, signs, long runs, other scripts' digits, trailing characters),
// which only the full reader reads right.
template <typename Unit>
std::optional<std::int64_t> PlainDecimal(std::basic_string_view<Unit> text, size_t longest)
{
    if (text.empty() || text.size() > longest)
        return std::nullopt;
    std::int64_t value = 0;
    for (Unit c : text) {
        if (c < Unit('0') || c > Unit('9'))
            return std::nullopt;
        value = value * 10 + (c - Unit('0'));
    }
    return value;
}

// A part as wcstol reads it, clamped to 32 bits; nine plain digits never reach the clamp.
std::int64_t ReadPart(std::u16string_view part)
{
    const std::optional<std::int64_t> plain = PlainDecimal(part, size_t{9});
    return plain ? *plain : static_cast<std::int64_t>(WcsToLong(part, 10));
}

// Sums part values times 256^(3-i) (most significant first) or 256^i (least significant first).
std::int64_t DottedSum(std::u16string_view text, bool firstMostSignificant)
{
    const auto parts = SplitParts(UpToZero(text));
    std::int64_t sum = 0;
    for (size_t i = 0; i < kPartCount; ++i) {
        const size_t byteIndex = firstMostSignificant ? kPartCount - 1 - i : i;
        sum += ReadPart(parts[i]) * (std::int64_t{1} << (8 * byteIndex));
    }
    return sum;
}

std::u16string DottedToNumber(std::u16string_view text, bool firstMostSignificant)
{
    std::array<char16_t, kLongestDecimal> number;
    return std::u16string(
        number.data(), static_cast<size_t>(PutDecimal(number.data(), DottedSum(text, firstMostSignificant)) -
                                           number.data()));
}

// Splits the number into four segments from the most significant down; quotient and remainder follow
// the sign of the number, and each segment keeps the low 32 bits of its quotient, read as signed.
// Eighteen plain digits never reach the 64-bit clamp.
constexpr size_t kLongestPlainNumber = 18;

std::u16string DottedOf(std::int64_t value, bool mostSignificantFirst);

std::u16string NumberToDotted(std::u16string_view text, bool mostSignificantFirst)
{
    const std::u16string_view digits = UpToZero(text);
    const std::optional<std::int64_t> plain = PlainDecimal(digits, kLongestPlainNumber);
    return DottedOf(plain ? *plain : WcsToLongLong(digits, 10), mostSignificantFirst);
}

std::u16string DottedOf(std::int64_t value, bool mostSignificantFirst)
{
    if (value == -1)
        return std::u16string(kNumberError);
    std::array<std::int32_t, kPartCount> segments{}; // segments[k] weighs 256^k
    for (size_t k = kPartCount; k-- > 0;) {
        const std::int64_t divisor = std::int64_t{1} << (8 * k);
        const std::int64_t quotient = value / divisor;
        value %= divisor;
        segments[k] =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(quotient)));
    }
    // Built in place, so that the text takes one allocation.
    std::array<char16_t, kPartCount*(kLongestDecimal + 1)> result;
    char16_t* end = result.data();
    for (size_t i = 0; i < kPartCount; ++i) {
        if (i != 0)
            *end++ = u'.';
        end = PutDecimal(end, segments[mostSignificantFirst ? kPartCount - 1 - i : i]);
    }
    return std::u16string(result.data(), static_cast<size_t>(end - result.data()));
}

} // namespace

std::u16string IpToNumber(std::u16string_view text)
{
    return DottedToNumber(text, false);
}

std::string_view IpToNumberAscii(std::u16string_view text, std::array<char, kLongestNumber>& out)
{
    static_assert(kLongestNumber >= kLongestDecimal);
    return std::string_view(out.data(),
                            static_cast<size_t>(PutDecimal(out.data(), DottedSum(text, false)) - out.data()));
}

std::u16string NumberToIp(std::u16string_view text)
{
    return NumberToDotted(text, false);
}

std::u16string NumberToIpAscii(std::string_view text)
{
    if (const std::optional<std::int64_t> plain = PlainDecimal(text, kLongestPlainNumber))
        return DottedOf(*plain, false);
    return NumberToIp(std::u16string(text.begin(), text.end()));
}

std::u16string VersionToNumber(std::u16string_view text)
{
    return DottedToNumber(text, true);
}

std::u16string NumberToVersion(std::u16string_view text)
{
    return NumberToDotted(text, true);
}
