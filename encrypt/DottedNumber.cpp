#include "encrypt/DottedNumber.h"

#include "framework/Format.h"
#include "framework/NumberReading.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace {

constexpr size_t kPartCount = 4;

std::u16string_view UpToZero(const std::u16string& text)
{
    std::u16string_view view(text);
    return view.substr(0, view.find(u'\0'));
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

// Sums part values times 256^(3-i) (most significant first) or 256^i (least significant first).
std::u16string DottedToNumber(const std::u16string& text, bool firstMostSignificant)
{
    const auto parts = SplitParts(UpToZero(text));
    std::int64_t sum = 0;
    for (size_t i = 0; i < kPartCount; ++i) {
        const size_t byteIndex = firstMostSignificant ? kPartCount - 1 - i : i;
        sum += static_cast<std::int64_t>(WcsToLong(parts[i], 10)) * (std::int64_t{1} << (8 * byteIndex));
    }
    return FormatW(u"%I64d", {sum});
}

// Splits the number into four segments from the most significant down; quotient and remainder follow
// the sign of the number, and each segment keeps the low 32 bits of its quotient.
std::u16string NumberToDotted(const std::u16string& text, bool mostSignificantFirst)
{
    std::int64_t value = WcsToLongLong(UpToZero(text), 10);
    if (value == -1)
        return std::u16string(kNumberError);
    std::u16string result;
    for (int k = 3; k >= 0; --k) {
        const std::int64_t divisor = std::int64_t{1} << (8 * k);
        const std::int64_t quotient = value / divisor;
        value %= divisor;
        const auto segment =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(quotient)));
        const std::u16string piece = FormatW(u"%d.", {std::int64_t{segment}});
        result = mostSignificantFirst ? result + piece : piece + result;
    }
    result.pop_back();
    return result;
}

} // namespace

std::u16string IpToNumber(std::u16string text)
{
    return DottedToNumber(text, false);
}

std::u16string NumberToIp(std::u16string text)
{
    return NumberToDotted(text, false);
}

std::u16string VersionToNumber(std::u16string text)
{
    return DottedToNumber(text, true);
}

std::u16string NumberToVersion(std::u16string text)
{
    return NumberToDotted(text, true);
}
