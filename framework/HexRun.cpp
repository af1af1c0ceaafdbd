#include "framework/HexRun.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr size_t kBlockDigits = 16;
constexpr size_t kBlockBytes = kBlockDigits / 2;

// The value of each byte as a hexadecimal digit; -1 for every other byte.
constexpr std::array<std::int8_t, 256> kDigitValues = [] {
    std::array<std::int8_t, 256> values{};
    for (auto& value : values)
        value = -1;
    for (int i = 0; i < 10; ++i)
        values[static_cast<size_t>('0' + i)] = static_cast<std::int8_t>(i);
    for (int i = 0; i < 6; ++i) {
        values[static_cast<size_t>('A' + i)] = static_cast<std::int8_t>(10 + i);
        values[static_cast<size_t>('a' + i)] = static_cast<std::int8_t>(10 + i);
    }
    return values;
}();

bool ReadPairs(const char* digits, size_t count, std::uint8_t* bytes)
{
    int any = 0;
    for (size_t i = 0; i < count; ++i) {
        const int high = kDigitValues[static_cast<unsigned char>(digits[2 * i])];
        const int low = kDigitValues[static_cast<unsigned char>(digits[2 * i + 1])];
        any |= high | low;
        bytes[i] = static_cast<std::uint8_t>(high << 4 | (low & 0xF));
    }
    return any >= 0;
}

#if defined(__GNUC__)

using Digits = std::uint8_t __attribute__((vector_size(kBlockDigits)));
using Pairs = std::uint16_t __attribute__((vector_size(kBlockDigits)));
using Bytes = std::uint8_t __attribute__((vector_size(kBlockBytes)));

// Sixteen digits into eight bytes; `invalid` gets a nonzero lane for every byte that is no digit.
inline void ReadBlock(const char* digits, std::uint8_t* bytes, Digits& invalid)
{
    Digits units;
    std::memcpy(&units, digits, sizeof units);
    // Below the range a subtraction wraps to a large value, so one comparison checks both ends.
    const Digits decimal = units - '0';
    const Digits letter = (units | 0x20) - 'a';
    const auto isDecimal = reinterpret_cast<Digits>(decimal < 10);
    const auto isLetter = reinterpret_cast<Digits>(letter < 6);
    invalid |= ~(isDecimal | isLetter);
    const Digits nibbles = (decimal & isDecimal) | ((letter + 10) & isLetter);
    // On a little-endian machine each 16-bit lane holds a pair, its first digit in the low byte.
    Pairs pairs;
    std::memcpy(&pairs, &nibbles, sizeof pairs);
    const Bytes values = __builtin_convertvector(((pairs & 0xF) << 4) | (pairs >> 8), Bytes);
    std::memcpy(bytes, &values, sizeof values);
}

bool ReadBlocks(const char* digits, size_t count, std::uint8_t* bytes)
{
    const size_t blocks = count / kBlockBytes;
    Digits invalid{};
    for (size_t i = 0; i < blocks; ++i)
        ReadBlock(digits + i * kBlockDigits, bytes + i * kBlockBytes, invalid);
    std::uint64_t halves[2];
    std::memcpy(halves, &invalid, sizeof halves);
    const size_t done = blocks * kBlockBytes;
    return (halves[0] | halves[1]) == 0 && ReadPairs(digits + 2 * done, count - done, bytes + done);
}

#endif

} // namespace

bool ReadHexBytes(const char* digits, size_t count, std::uint8_t* bytes)
{
#if defined(__GNUC__)
    if constexpr (std::endian::native == std::endian::little)
        return ReadBlocks(digits, count, bytes);
#endif
    return ReadPairs(digits, count, bytes);
}
