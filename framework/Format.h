#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// printf-style formatting of UTF-16 text with the few conversions the system uses:
// "%s" (text), "%d" (32-bit signed), "%I64d" (64-bit signed), "%04X" and "%02X" (upper-case hexadecimal,
// zero-padded, of the value's unsigned bits), "%X", and "%%" (a percent sign). Values are taken in order;
// a conversion without a value stands for nothing.
using FormatValue = std::variant<std::int64_t, std::u16string>;

std::u16string FormatW(std::u16string_view format, const std::vector<FormatValue>& values);
