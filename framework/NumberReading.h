#pragma once

#include <cstdint>
#include <string_view>

// Numbers read from text the way the Windows C runtime's wcstol and wcstoll read them: leading white
// space skipped, one sign, for base 16 an optional "0x"/"0X" prefix, digits up to the first other
// character, no digits gives 0, values beyond the type's range clamped to its limits. Reading stops at a
// zero unit. White space and digits are those of the runtime's table (framework/crt/wcstol.tsv): the
// decimal digits of many scripts count with their values (full-width "１２" is 12) and U+3000 among
// others is white space; only ASCII letters are digits above 9. WcsToLong clamps at 32 bits, as on
// Windows, where long is 32-bit.
std::int32_t WcsToLong(std::u16string_view text, int base);
std::int64_t WcsToLongLong(std::u16string_view text, int base);
