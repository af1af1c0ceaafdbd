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

bool ReadQuads(const char* digits, size_t count, std::uint16_t* units)
{
    std::array<std::uint8_t, 2> pair;
    for (size_t i = 0; i < count; ++i) {
        if (!ReadPairs(digits + 4 * i, pair.size(), pair.data()))
            return false;
        units[i] = static_cast<std::uint16_t>(pair[0] << 8 | pair[1]);
    }
    return true;
}

void WritePairs(const std::uint8_t* bytes, size_t count, char* digits)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < count; ++i) {
        digits[2 * i] = kDigits[bytes[i] >> 4];
        digits[2 * i + 1] = kDigits[bytes[i] & 0xF];
    }
}

void WriteQuads(const std::uint16_t* units, size_t count, char* digits)
{
    for (size_t i = 0; i < count; ++i) {
        const std::array<std::uint8_t, 2> pair = {static_cast<std::uint8_t>(units[i] >> 8),
                                                  static_cast<std::uint8_t>(units[i] & 0xFF)};
        WritePairs(pair.data(), pair.size(), digits + 4 * i);
    }
}

#if defined(__GNUC__)

using Digits = std::uint8_t __attribute__((vector_size(kBlockDigits)));
using Pairs = std::uint16_t __attribute__((vector_size(kBlockDigits)));
using Quads = std::uint32_t __attribute__((vector_size(kBlockDigits)));
using Bytes = std::uint8_t __attribute__((vector_size(kBlockBytes)));
using Units = std::uint16_t __attribute__((vector_size(kBlockBytes)));

// Sixteen digits as the values of their eight pairs, one to a 16-bit lane; `invalid` gets a nonzero lane
// for every byte that is no digit.
inline Pairs ReadBlock(const char* digits, Digits& invalid)
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
    return ((pairs & 0xF) << 4) | (pairs >> 8);
}

bool NoneInvalid(const Digits& invalid)
{
    std::uint64_t halves[2];
    std::memcpy(halves, &invalid, sizeof halves);
    return (halves[0] | halves[1]) == 0;
}

bool ReadByteBlocks(const char* digits, size_t count, std::uint8_t* bytes)
{
    const size_t blocks = count / kBlockBytes;
    Digits invalid{};
    for (size_t i = 0; i < blocks; ++i) {
        const Bytes values = __builtin_convertvector(ReadBlock(digits + i * kBlockDigits, invalid), Bytes);
        std::memcpy(bytes + i * kBlockBytes, &values, sizeof values);
    }
    const size_t done = blocks * kBlockBytes;
    return NoneInvalid(invalid) && ReadPairs(digits + 2 * done, count - done, bytes + done);
}

bool ReadUnitBlocks(const char* digits, size_t count, std::uint16_t* units)
{
    constexpr size_t kBlockUnits = kBlockDigits / 4;
    using BlockUnits = std::uint16_t __attribute__((vector_size(2 * kBlockUnits)));
    const size_t blocks = count / kBlockUnits;
    Digits invalid{};
    for (size_t i = 0; i < blocks; ++i) {
        // Two pairs to a 32-bit lane, the first in the low half: the first is the unit's high byte.
        Quads quads;
        const Pairs pairs = ReadBlock(digits + i * kBlockDigits, invalid);
        std::memcpy(&quads, &pairs, sizeof quads);
        const BlockUnits values = __builtin_convertvector((quads & 0xFF) << 8 | quads >> 16, BlockUnits);
        std::memcpy(units + i * kBlockUnits, &values, sizeof values);
    }
    const size_t done = blocks * kBlockUnits;
    return NoneInvalid(invalid) && ReadQuads(digits + 4 * done, count - done, units + done);
}

// Eight bytes as their sixteen digits.
inline void WriteBlock(const std::uint8_t* bytes, char* digits)
{
    Bytes values;
    std::memcpy(&values, bytes, sizeof values);
    // Each byte into a 16-bit lane, its high nibble in the low byte, which a little-endian store puts
    // first.
    const Pairs wide = __builtin_convertvector(values, Pairs);
    const Pairs spread = (wide >> 4) | ((wide & 0xF) << 8);
    Digits nibbles;
    std::memcpy(&nibbles, &spread, sizeof nibbles);
    const auto isLetter = reinterpret_cast<Digits>(nibbles > 9);
    const Digits text = nibbles + '0' + (isLetter & ('A' - '0' - 10));
    std::memcpy(digits, &text, sizeof text);
}

void WriteUnitBlocks(const std::uint16_t* units, size_t count, char* digits)
{
    constexpr size_t kBlockUnits = kBlockBytes / 2;
    const size_t blocks = count / kBlockUnits;
    for (size_t i = 0; i < blocks; ++i) {
        // Each unit's high byte first.
        Units values;
        std::memcpy(&values, units + i * kBlockUnits, sizeof values);
        const Units swapped = values << 8 | values >> 8;
        std::uint8_t bytes[kBlockBytes];
        std::memcpy(bytes, &swapped, sizeof bytes);
        WriteBlock(bytes, digits + i * kBlockDigits);
    }
    const size_t done = blocks * kBlockUnits;
    WriteQuads(units + done, count - done, digits + 4 * done);
}

void WriteByteBlocks(const std::uint8_t* bytes, size_t count, char* digits)
{
    const size_t blocks = count / kBlockBytes;
    for (size_t i = 0; i < blocks; ++i)
        WriteBlock(bytes + i * kBlockBytes, digits + i * kBlockDigits);
    const size_t done = blocks * kBlockBytes;
    WritePairs(bytes + done, count - done, digits + 2 * done);
}

#endif

} // namespace

// Where vector instructions exist and pairs lie in a lane as written, the blocks take them; else the
// plain loops do.
#if defined(__GNUC__)
constexpr bool kVectorBlocks = std::endian::native == std::endian::little;
#else
constexpr bool kVectorBlocks = false;
#endif

bool ReadHexBytes(const char* digits, size_t count, std::uint8_t* bytes)
{
#if defined(__GNUC__)
    if constexpr (kVectorBlocks)
        return ReadByteBlocks(digits, count, bytes);
#endif
    return ReadPairs(digits, count, bytes);
}

bool ReadHexUnits(const char* digits, size_t count, std::uint16_t* units)
{
#if defined(__GNUC__)
    if constexpr (kVectorBlocks)
        return ReadUnitBlocks(digits, count, units);
#endif
    return ReadQuads(digits, count, units);
}

void WriteHexBytes(const std::uint8_t* bytes, size_t count, char* digits)
{
#if defined(__GNUC__)
    if constexpr (kVectorBlocks) {
        WriteByteBlocks(bytes, count, digits);
        return;
    }
#endif
    WritePairs(bytes, count, digits);
}

void WriteHexUnits(const std::uint16_t* units, size_t count, char* digits)
{
#if defined(__GNUC__)
    if constexpr (kVectorBlocks) {
        WriteUnitBlocks(units, count, digits);
        return;
    }
#endif
    WriteQuads(units, count, digits);
}
