#pragma once

#include <cstdint>
#include <string_view>

// Numbers read from text the way the C library's wcstol and wcstoll read them: leading white space
// skipped, one sign, for base 16 an optional "0x"/"0X" prefix, digits up to the first other character,
// no digits gives 0, values beyond the type's range clamped to its limits. Reading stops at a zero unit.
// (The C library's own wcstol clamps at 64 bits on Linux, where long is 64-bit.)
std::int32_t WcsToLong(std::u16string_view text, int base);
std::int64_t WcsToLongLong(std::u16string_view text, int base);
