#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The digests of sixteen texts at once: their blocks go through the block function side by side, which
// costs little more than one text alone. A text of more than 128 units takes the way of Md5HexDigits.
constexpr size_t kMd5Lanes = 16;
void Md5HexDigitsOf(const std::array<std::u16string_view, kMd5Lanes>& texts,
                    std::array<tagMd5Hex, kMd5Lanes>& digests);

// The ways the lanes go, widest first: all sixteen at once (AVX-512), or four at a time. Each gives the same
// digests; the widest the machine has is used.
enum class EMd5Way { lanes16, lanes4 };
std::vector<EMd5Way> Md5WaysHere();
// Makes Md5HexDigitsOf take one of Md5WaysHere(), so that tests check each; nothing goes back.
void SetMd5WayForTests(std::optional<EMd5Way> way);
