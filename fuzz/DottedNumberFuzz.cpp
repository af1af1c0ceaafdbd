#include "encrypt/DottedNumber.h"

#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace {

std::u16string Decimal(std::int64_t value)
{
    return WidenBytes(std::to_string(value));
}

// Four parts of 0 to 255 make a number that gives the same parts back, in both byte orders.
void CheckPartsRoundTrip(FuzzedDataProvider& input)
{
    std::string dotted;
    for (int i = 0; i < 4; ++i)
        dotted += std::to_string(input.ConsumeIntegral<std::uint8_t>()) + (i < 3 ? "." : "");
    const std::u16string text = WidenBytes(dotted);
    FUZZ_CHECK(NumberToVersion(VersionToNumber(text)) == text);
    FUZZ_CHECK(NumberToIp(IpToNumber(text)) == text);
}

// A number of up to 55 bits in size splits into four signed parts that add back up to it; -1 is the
// value that reports bad input instead.
void CheckNumberRoundTrip(FuzzedDataProvider& input)
{
    constexpr std::int64_t kBound = (std::int64_t{1} << 55) - 1;
    const std::int64_t value = input.ConsumeIntegralInRange<std::int64_t>(-kBound, kBound);
    if (value == -1)
        return;
    FUZZ_CHECK(VersionToNumber(NumberToVersion(Decimal(value))) == Decimal(value));
    FUZZ_CHECK(IpToNumber(NumberToIp(Decimal(value))) == Decimal(value));
}

// Any text: a number comes back as decimal digits, a dotted text as four parts or the error text.
void CheckAnyText(const std::u16string& text)
{
    const std::u16string error = NumberToVersion(u"-1");
    for (const std::u16string& dotted : {NumberToVersion(text), NumberToIp(text)})
        FUZZ_CHECK(dotted == error || std::count(dotted.begin(), dotted.end(), u'.') == 3);
    for (const std::u16string& number : {VersionToNumber(text), IpToNumber(text)}) {
        FUZZ_CHECK(!number.empty());
        FUZZ_CHECK(std::all_of(number.begin() + (number[0] == u'-'), number.end(),
                               [](char16_t c) { return c >= u'0' && c <= u'9'; }));
    }
}

// The forms over ASCII bytes give what the text forms give for the same characters.
void CheckAsciiForms(std::string_view bytes)
{
    if (!std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return;
    const std::u16string text = WidenBytes(bytes);
    FUZZ_CHECK(NumberToIpAscii(bytes) == NumberToIp(text));
    std::array<char, kLongestNumber> digits;
    const std::u16string number = IpToNumber(text);
    FUZZ_CHECK(WidenBytes(IpToNumberAscii(text, digits)) == number);
}

} // namespace

// Input: the text, whose last bytes also give four parts and a number for the round trips.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    CheckAnyText(WidenBytes(AsBytes(data, size)));
    CheckAsciiForms(AsBytes(data, size));
    FuzzedDataProvider input(data, size);
    CheckPartsRoundTrip(input);
    CheckNumberRoundTrip(input);
    return 0;
}
