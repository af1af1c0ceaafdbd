#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Conversions between a dotted text of four numbers and one decimal number. The IP pair treats the
// first part as the least significant byte (an IPv4 address held in network order on a little-endian
// machine); the version pair treats it as the most significant byte.

std::u16string IpToNumber(std::u16string_view text);
// The same number as ASCII digits in `out`, for a writer of many that takes no text for each.
inline constexpr size_t kLongestNumber = 21;
std::string_view IpToNumberAscii(std::u16string_view text, std::array<char, kLongestNumber>& out);
std::u16string NumberToIp(std::u16string_view text);
// The same for a number given as ASCII bytes, each byte the character it stands for.
std::u16string NumberToIpAscii(std::string_view text);
std::u16string VersionToNumber(std::u16string_view text);
std::u16string NumberToVersion(std::u16string_view text);

// What NumberToIp and NumberToVersion give for a number they cannot split into four parts; the
// encryption page shows it as the result.
inline constexpr std::u16string_view kNumberError = u"你所输入的信息有误";
