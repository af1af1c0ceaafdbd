#pragma once

#include <cstdint>
#include <string_view>

// A profile value read as a number the way Windows' GetPrivateProfileIntW reads it, which is not the C
// runtime's way: one sign, an optional base prefix in lower case ("0x" 16, "0o" 8, "0b" 2; "0X" is no
// prefix, so "0X10" is 0), ASCII digits of that base up to the first other character, no leading white
// space (profile values come trimmed). No digits give 0; the value wraps modulo 2^32 and a minus sign
// negates it in the same arithmetic, so "-5" is 4294967291.
std::uint32_t ReadProfileNumber(std::u16string_view value);
