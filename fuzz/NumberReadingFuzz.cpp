#include "framework/NumberReading.h"

#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace {

using Limits32 = std::numeric_limits<std::int32_t>;

// Bases 2 to 36 most of the time; now and then one that no caller passes, which must not crash either.
int PickBase(FuzzedDataProvider& input)
{
    static constexpr std::array<int, 6> kOddBases = {
        0, 1, -1, 37, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
    const int pick = input.ConsumeIntegralInRange<int>(0, 34 + static_cast<int>(kOddBases.size()));
    return pick < 35 ? pick + 2 : kOddBases[static_cast<size_t>(pick - 35)];
}

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

// Input: the text, then one byte at the end that picks the base (byte % 41 + 2 for 2 to 36).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int base = PickBase(input);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const std::u16string text = WidenBytes(bytes);

    const std::int64_t wide = WcsToLongLong(text, base);
    const std::int32_t narrow = WcsToLong(text, base);
    // Both clamp the same reading, each to its own range.
    FUZZ_CHECK(narrow == std::clamp<std::int64_t>(wide, Limits32::min(), Limits32::max()));
    // Reading stops at a zero unit.
    FUZZ_CHECK(WcsToLongLong(text + u'\0' + u"123", base) == wide);
    // On ASCII text the C library reads the same number (it too stops at the zero byte).
    if (base >= 2 && base <= 36 && IsAscii(bytes))
        FUZZ_CHECK(wide == std::strtoll(bytes.c_str(), nullptr, base));
    return 0;
}
