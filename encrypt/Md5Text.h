#pragma once

#include <array>
#include <string>
#include <string_view>

// MD5 digest of a text's bytes in code page 936, as 32 upper-case hexadecimal digits. The last block
// of a message whose length is a positive multiple of 64 carries no 0x80 byte, unlike RFC 1321: the
// server list file names its sections by this digest, so the difference is kept.
std::u16string Md5Hex(std::u16string_view text);

// The same digits held in place, for lookups made once per entry of a long list.
struct tagMd5Hex
{
    std::array<char16_t, 32> digits;
    std::u16string_view View() const { return std::u16string_view(digits.data(), digits.size()); }
};
tagMd5Hex Md5HexDigits(std::u16string_view text);
