#include "framework/HexRun.h"

#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

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

// The vector types of one width in bytes: 16 for the instructions every x86-64 has, 32 for AVX2.
template <size_t W> struct tagVectors
{
    // The typedef form: GCC drops the attribute from an alias declaration in a template.
    typedef std::uint8_t Digits __attribute__((vector_size(W)));
    typedef std::uint16_t Pairs __attribute__((vector_size(W)));
    typedef std::uint32_t Quads __attribute__((vector_size(W)));
    typedef std::uint8_t Bytes __attribute__((vector_size(W / 2)));
    typedef std::uint16_t Units __attribute__((vector_size(W / 2)));
};

// The block functions are inlined into each width's entry points below, so that each is compiled for
// the instructions of its entry point.
#define KORVANE_BLOCK [[gnu::always_inline]] inline

// W digits as the values of their W / 2 pairs, one to a 16-bit lane, into `pairs` (an out parameter: a
// vector of 32 bytes is not returned by value without AVX); `invalid` gets a nonzero lane for every byte
// that is no digit.
template <size_t W>
KORVANE_BLOCK void ReadBlock(const char* digits, typename tagVectors<W>::Digits& invalid,
                             typename tagVectors<W>::Pairs& pairs)
{
    using Digits = typename tagVectors<W>::Digits;
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
    std::memcpy(&pairs, &nibbles, sizeof pairs);
    pairs = ((pairs & 0xF) << 4) | (pairs >> 8);
}

template <size_t W> KORVANE_BLOCK bool NoneInvalid(const typename tagVectors<W>::Digits& invalid)
{
    std::uint64_t words[W / 8];
    std::memcpy(words, &invalid, sizeof words);
    std::uint64_t any = 0;
    for (std::uint64_t word : words)
        any |= word;
    return any == 0;
}

// The whole blocks of a run; each returns how many units it did, and the reading one whether every digit
// was one. The entry points below do the rest one at a time.
template <size_t W>
KORVANE_BLOCK size_t ReadUnitBlocks(const char* digits, size_t count, std::uint16_t* units, bool& valid)
{
    using Quads = typename tagVectors<W>::Quads;
    using Units = typename tagVectors<W>::Units;
    constexpr size_t kUnits = W / 4;
    const size_t blocks = count / kUnits;
    typename tagVectors<W>::Digits invalid{};
    for (size_t i = 0; i < blocks; ++i) {
        // Two pairs to a 32-bit lane, the first in the low half: the first is the unit's high byte.
        Quads quads;
        typename tagVectors<W>::Pairs pairs;
        ReadBlock<W>(digits + i * W, invalid, pairs);
        std::memcpy(&quads, &pairs, sizeof quads);
        const Units values = __builtin_convertvector((quads & 0xFF) << 8 | quads >> 16, Units);
        std::memcpy(units + i * kUnits, &values, sizeof values);
    }
    valid = NoneInvalid<W>(invalid);
    return blocks * kUnits;
}

// W / 2 bytes as their W digits.
template <size_t W> KORVANE_BLOCK void WriteBlock(const std::uint8_t* bytes, char* digits)
{
    using Digits = typename tagVectors<W>::Digits;
    using Pairs = typename tagVectors<W>::Pairs;
    typename tagVectors<W>::Bytes values;
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

template <size_t W>
KORVANE_BLOCK size_t WriteUnitBlocks(const std::uint16_t* units, size_t count, char* digits)
{
    using Units = typename tagVectors<W>::Units;
    constexpr size_t kUnits = W / 4;
    const size_t blocks = count / kUnits;
    for (size_t i = 0; i < blocks; ++i) {
        // Each unit's high byte first.
        Units values;
        std::memcpy(&values, units + i * kUnits, sizeof values);
        const Units swapped = values << 8 | values >> 8;
        std::uint8_t bytes[W / 2];
        std::memcpy(bytes, &swapped, sizeof bytes);
        WriteBlock<W>(bytes, digits + i * W);
    }
    return blocks * kUnits;
}

#undef KORVANE_BLOCK

// Each way's entry points.
struct tagHexWay
{
    bool (*readUnits)(const char*, size_t, std::uint16_t*);
    void (*writeUnits)(const std::uint16_t*, size_t, char*);
};

// A way's entry points: the blocks, then `leave` (which ends the use of wide registers, so that no
// later instruction pays for their upper halves), then the rest.
#define KORVANE_HEX_ENTRIES(W, TARGET, LEAVE)                                                                \
    TARGET bool ReadUnits##W(const char* d, size_t c, std::uint16_t* u)                                      \
    {                                                                                                        \
        bool valid = true;                                                                                   \
        const size_t done = ReadUnitBlocks<W>(d, c, u, valid);                                               \
        LEAVE;                                                                                               \
        return valid && ReadQuads(d + 4 * done, c - done, u + done);                                         \
    }                                                                                                        \
    TARGET void WriteUnits##W(const std::uint16_t* u, size_t c, char* d)                                     \
    {                                                                                                        \
        const size_t done = WriteUnitBlocks<W>(u, c, d);                                                     \
        LEAVE;                                                                                               \
        WriteQuads(u + done, c - done, d + 4 * done);                                                        \
    }

KORVANE_HEX_ENTRIES(16, , (void)0)
constexpr tagHexWay kVector16 = {ReadUnits16, WriteUnits16};

#if defined(__x86_64__) || defined(__i386__)
#define KORVANE_HEX_X86_WAYS 1
KORVANE_HEX_ENTRIES(32, __attribute__((target("avx2"))), _mm256_zeroupper())
constexpr tagHexWay kVector32 = {ReadUnits32, WriteUnits32};
KORVANE_HEX_ENTRIES(64, __attribute__((target("avx512bw"))), _mm256_zeroupper())
constexpr tagHexWay kVector64 = {ReadUnits64, WriteUnits64};
#endif
#undef KORVANE_HEX_ENTRIES

#endif

constexpr tagHexWay kPlain = {ReadQuads, WriteQuads};

std::optional<EHexWay>& ForcedWay()
{
    static std::optional<EHexWay> forced;
    return forced;
}

const tagHexWay& WayOf(EHexWay way)
{
    switch (way) {
#if defined(KORVANE_HEX_X86_WAYS)
    case EHexWay::vector64:
        return kVector64;
    case EHexWay::vector32:
        return kVector32;
#endif
#if defined(__GNUC__)
    case EHexWay::vector16:
        return kVector16;
#endif
    default:
        return kPlain;
    }
}

// The widest way the machine has, found once.
const tagHexWay& Way()
{
    static const EHexWay widest = HexWaysHere().front();
    return WayOf(ForcedWay().value_or(widest));
}

} // namespace

std::vector<EHexWay> HexWaysHere()
{
    std::vector<EHexWay> ways;
#if defined(KORVANE_HEX_X86_WAYS)
    if (__builtin_cpu_supports("avx512bw"))
        ways.push_back(EHexWay::vector64);
    if (__builtin_cpu_supports("avx2"))
        ways.push_back(EHexWay::vector32);
#endif
        // Pairs lie in a 16-bit lane as written only on a little-endian machine.
#if defined(__GNUC__)
    if constexpr (std::endian::native == std::endian::little)
        ways.push_back(EHexWay::vector16);
#endif
    ways.push_back(EHexWay::plain);
    return ways;
}

void SetHexWayForTests(std::optional<EHexWay> way)
{
    ForcedWay() = way;
}

bool ReadHexUnits(const char* digits, size_t count, std::uint16_t* units)
{
    return Way().readUnits(digits, count, units);
}

void WriteHexUnits(const std::uint16_t* units, size_t count, char* digits)
{
    Way().writeUnits(units, count, digits);
}
