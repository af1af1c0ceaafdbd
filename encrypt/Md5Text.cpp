#include "encrypt/Md5Text.h"

#include "framework/Cp936.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

constexpr size_t kBlockSize = 64;
using Block = std::array<std::uint8_t, kBlockSize>;

// The longest text whose bytes go on the stack, and the room its padded message takes.
constexpr size_t kStackUnits = 128;
constexpr size_t kPaddedRoom = 2 * kStackUnits + 2 * kBlockSize;

struct Md5State
{
    std::uint32_t a = 0x67452301;
    std::uint32_t b = 0xEFCDAB89;
    std::uint32_t c = 0x98BADCFE;
    std::uint32_t d = 0x10325476;
};

constexpr std::array<std::uint32_t, 64> kSine = {
    0xD76AA478, 0xE8C7B756, 0x242070DB, 0xC1BDCEEE, 0xF57C0FAF, 0x4787C62A, 0xA8304613, 0xFD469501,
    0x698098D8, 0x8B44F7AF, 0xFFFF5BB1, 0x895CD7BE, 0x6B901122, 0xFD987193, 0xA679438E, 0x49B40821,
    0xF61E2562, 0xC040B340, 0x265E5A51, 0xE9B6C7AA, 0xD62F105D, 0x02441453, 0xD8A1E681, 0xE7D3FBC8,
    0x21E1CDE6, 0xC33707D6, 0xF4D50D87, 0x455A14ED, 0xA9E3E905, 0xFCEFA3F8, 0x676F02D9, 0x8D2A4C8A,
    0xFFFA3942, 0x8771F681, 0x6D9D6122, 0xFDE5380C, 0xA4BEEA44, 0x4BDECFA9, 0xF6BB4B60, 0xBEBFBC70,
    0x289B7EC6, 0xEAA127FA, 0xD4EF3085, 0x04881D05, 0xD9D4D039, 0xE6DB99E5, 0x1FA27CF8, 0xC4AC5665,
    0xF4292244, 0x432AFF97, 0xAB9423A7, 0xFC93A039, 0x655B59C3, 0x8F0CCC92, 0xFFEFF47D, 0x85845DD1,
    0x6FA87E4F, 0xFE2CE6E0, 0xA3014314, 0x4E0811A1, 0xF7537E82, 0xBD3AF235, 0x2AD7D2BB, 0xEB86D391};

// The message word that each step adds: round r reads word (m * step + o) % 16.
constexpr std::array<std::uint8_t, 64> kWord = [] {
    constexpr size_t kMultiplier[] = {1, 5, 3, 7};
    constexpr size_t kOffset[] = {0, 1, 5, 0};
    std::array<std::uint8_t, 64> words{};
    for (size_t step = 0; step < words.size(); ++step)
        words[step] = static_cast<std::uint8_t>((kMultiplier[step / 16] * step + kOffset[step / 16]) % 16);
    return words;
}();

constexpr std::uint32_t RotateLeft(std::uint32_t value, int count)
{
    return (value << count) | (value >> (32 - count));
}

struct RoundF
{
    static std::uint32_t Mix(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return (b & c) | (~b & d); }
};
struct RoundG
{
    static std::uint32_t Mix(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return (b & d) | (c & ~d); }
};
struct RoundH
{
    static std::uint32_t Mix(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return b ^ c ^ d; }
};
struct RoundI
{
    static std::uint32_t Mix(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return c ^ (b | ~d); }
};

std::uint32_t LittleEndianWord(const std::uint8_t* bytes)
{
    std::uint32_t word;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, bytes, sizeof word);
    } else {
        word = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
               static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    }
    return word;
}

// The RFC 1321 block function, four rounds of sixteen steps over 64 bytes, on several messages side by
// side, one to a lane; one message is one lane. Every step is a loop over the lanes, which the compiler
// turns into vector instructions. The steps are inlined into each way's entry below, so that they take
// that way's instructions.
template <size_t N> using Lanes = std::array<std::uint32_t, N>;

template <typename Round, int S, size_t N>
[[gnu::always_inline]] inline Lanes<N> LaneStep(const Lanes<N>& a, const Lanes<N>& b, const Lanes<N>& c,
                                                const Lanes<N>& d, const Lanes<N>& x, std::uint32_t sine)
{
    Lanes<N> out;
    for (size_t lane = 0; lane < N; ++lane)
        out[lane] = b[lane] + RotateLeft(a[lane] + Round::Mix(b[lane], c[lane], d[lane]) + x[lane] + sine, S);
    return out;
}

// One round of sixteen steps, four at a time so that the registers rotate without moves and every shift
// is a constant.
template <typename Round, int S0, int S1, int S2, int S3, size_t N>
[[gnu::always_inline]] inline void RunLaneRound(Lanes<N>& a, Lanes<N>& b, Lanes<N>& c, Lanes<N>& d,
                                                const std::array<Lanes<N>, 16>& x, size_t first)
{
    for (size_t step = first; step < first + 16; step += 4) {
        a = LaneStep<Round, S0, N>(a, b, c, d, x[kWord[step]], kSine[step]);
        d = LaneStep<Round, S1, N>(d, a, b, c, x[kWord[step + 1]], kSine[step + 1]);
        c = LaneStep<Round, S2, N>(c, d, a, b, x[kWord[step + 2]], kSine[step + 2]);
        b = LaneStep<Round, S3, N>(b, c, d, a, x[kWord[step + 3]], kSine[step + 3]);
    }
}

template <size_t N> struct Md5Lanes
{
    Lanes<N> a, b, c, d;
};

// The state every message starts from, in each lane.
template <size_t N> Md5Lanes<N> StartLanes()
{
    const Md5State start;
    Md5Lanes<N> state;
    state.a.fill(start.a);
    state.b.fill(start.b);
    state.c.fill(start.c);
    state.d.fill(start.d);
    return state;
}

// One block of each lane; a lane whose message has no block `blocks[lane]` keeps its state.
template <size_t N>
[[gnu::always_inline]] inline void TransformLanes(Md5Lanes<N>& state,
                                                  const std::array<const std::uint8_t*, N>& blocks)
{
    static constexpr Block kNoBlock{};
    std::array<Lanes<N>, 16> x;
    for (size_t lane = 0; lane < N; ++lane) {
        const std::uint8_t* block = blocks[lane] != nullptr ? blocks[lane] : kNoBlock.data();
        for (size_t i = 0; i < 16; ++i)
            x[i][lane] = LittleEndianWord(block + 4 * i);
    }
    Lanes<N> a = state.a, b = state.b, c = state.c, d = state.d;
    RunLaneRound<RoundF, 7, 12, 17, 22, N>(a, b, c, d, x, 0);
    RunLaneRound<RoundG, 5, 9, 14, 20, N>(a, b, c, d, x, 16);
    RunLaneRound<RoundH, 4, 11, 16, 23, N>(a, b, c, d, x, 32);
    RunLaneRound<RoundI, 6, 10, 15, 21, N>(a, b, c, d, x, 48);
    for (size_t lane = 0; lane < N; ++lane) {
        if (blocks[lane] == nullptr)
            continue;
        state.a[lane] += a[lane];
        state.b[lane] += b[lane];
        state.c[lane] += c[lane];
        state.d[lane] += d[lane];
    }
}

// The padded messages of a batch, each lane's blocks one after the other.
struct tagPaddedBatch
{
    const std::array<std::uint8_t, kPaddedRoom>* messages = nullptr;
    const size_t* blocks = nullptr; // per lane; 0 for a lane that goes alone
    size_t most = 0;
};

// The digests of N lanes of the batch from `first` on, in `words` as a, b, c, d per lane.
template <size_t N>
[[gnu::always_inline]] inline void DigestLanes(const tagPaddedBatch& batch, size_t first,
                                               std::array<std::uint32_t, 4>* words)
{
    Md5Lanes<N> state = StartLanes<N>();
    for (size_t n = 0; n < batch.most; ++n) {
        std::array<const std::uint8_t*, N> block{};
        for (size_t lane = 0; lane < N; ++lane)
            block[lane] = n < batch.blocks[first + lane]
                              ? batch.messages[first + lane].data() + n * kBlockSize
                              : nullptr;
        TransformLanes<N>(state, block);
    }
    for (size_t lane = 0; lane < N; ++lane)
        words[first + lane] = {state.a[lane], state.b[lane], state.c[lane], state.d[lane]};
}

// The two ways through a batch of kMd5Lanes: four lanes at a time, which every x86-64 runs as one
// vector; sixteen at once where the processor has AVX-512, whose rotations take one instruction.
void DigestBatchBy4(const tagPaddedBatch& batch, std::array<std::uint32_t, 4>* words)
{
    for (size_t first = 0; first < kMd5Lanes; first += 4)
        DigestLanes<4>(batch, first, words);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define KORVANE_MD5_X86_WAYS
__attribute__((target("avx512f"))) void DigestBatchBy16(const tagPaddedBatch& batch,
                                                        std::array<std::uint32_t, 4>* words)
{
    static_assert(kMd5Lanes == 16);
    DigestLanes<16>(batch, 0, words);
    _mm256_zeroupper(); // later SSE code would pay for the upper halves left dirty
}
#endif

std::optional<EMd5Way>& ForcedMd5Way()
{
    static std::optional<EMd5Way> forced;
    return forced;
}

void DigestBatch(const tagPaddedBatch& batch, std::array<std::uint32_t, 4>* words)
{
    static const EMd5Way widest = Md5WaysHere().front();
    switch (ForcedMd5Way().value_or(widest)) {
#if defined(KORVANE_MD5_X86_WAYS)
    case EMd5Way::lanes16:
        DigestBatchBy16(batch, words);
        return;
#endif
    default:
        DigestBatchBy4(batch, words);
        return;
    }
}

void StoreBitLength(Block& block, size_t byteLength)
{
    // Only the low 32 bits of the bit length are kept; the high word stays zero.
    const auto bits = static_cast<std::uint32_t>(byteLength * 8);
    for (size_t i = 0; i < 4; ++i)
        block[56 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// The message padded to whole blocks at `out`, which has room for it plus two blocks; returns how many
// blocks. A message of a positive multiple of 64 bytes ends with a block of zeros and the bit length,
// without the 0x80 byte.
size_t PadMessage(std::string_view message, std::uint8_t* out)
{
    const size_t fullBlocks = message.size() / kBlockSize;
    if (!message.empty())
        std::memcpy(out, message.data(), message.size());
    Block last{};
    size_t blocks = fullBlocks;
    const std::string_view tail = message.substr(fullBlocks * kBlockSize);
    const bool wholeBlocks = !message.empty() && tail.empty();
    if (!wholeBlocks) {
        // The tail is shorter than a block; the bound also tells the compiler so.
        const size_t used = std::min(tail.size(), last.size() - 1);
        std::memcpy(last.data(), tail.data(), used);
        last[used] = 0x80;
        if (used >= 56) {
            std::memcpy(out + blocks++ * kBlockSize, last.data(), last.size());
            last = Block{};
        }
    }
    StoreBitLength(last, message.size());
    std::memcpy(out + blocks++ * kBlockSize, last.data(), last.size());
    return blocks;
}

// A text's bytes in code page 936 up to the first zero byte, in `stack` when they fit, else in `heap`.
std::string_view MessageOf(std::u16string_view text, std::array<char, 2 * kStackUnits>& stack,
                           std::string& heap)
{
    char* bytes = stack.data();
    if (text.size() > kStackUnits) {
        heap.resize(2 * text.size());
        bytes = heap.data();
    }
    const std::string_view encoded(bytes, Cp936EncodeBestFitTo(text, bytes));
    return encoded.substr(0, encoded.find('\0'));
}

// Each word's four bytes, lowest first, as two capital hexadecimal digits each.
char16_t* PutWord(char16_t* out, std::uint32_t word)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    for (int i = 0; i < 4; ++i) {
        const auto byte = static_cast<std::uint8_t>(word >> (8 * i));
        *out++ = kDigits[byte >> 4];
        *out++ = kDigits[byte & 0xF];
    }
    return out;
}

tagMd5Hex DigitsOf(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    tagMd5Hex out;
    char16_t* end = out.digits.data();
    for (std::uint32_t word : {a, b, c, d})
        end = PutWord(end, word);
    return out;
}

} // namespace

tagMd5Hex Md5HexDigits(std::u16string_view text)
{
    std::array<char, 2 * kStackUnits> stack;
    std::string heap;
    const std::string_view message = MessageOf(text, stack, heap);
    std::array<std::uint8_t, kPaddedRoom> room;
    std::vector<std::uint8_t> longRoom;
    std::uint8_t* padded = room.data();
    if (message.size() + 2 * kBlockSize > room.size()) {
        longRoom.resize(message.size() + 2 * kBlockSize);
        padded = longRoom.data();
    }
    const size_t blocks = PadMessage(message, padded);
    Md5Lanes<1> state = StartLanes<1>();
    for (size_t n = 0; n < blocks; ++n)
        TransformLanes<1>(state, {padded + n * kBlockSize});
    return DigitsOf(state.a[0], state.b[0], state.c[0], state.d[0]);
}

void Md5HexDigitsOf(const std::array<std::u16string_view, kMd5Lanes>& texts,
                    std::array<tagMd5Hex, kMd5Lanes>& digests)
{
    std::array<std::array<std::uint8_t, kPaddedRoom>, kMd5Lanes> padded;
    std::array<size_t, kMd5Lanes> blocks{};
    size_t most = 0;
    for (size_t lane = 0; lane < kMd5Lanes; ++lane) {
        // A long text goes alone; a short one takes its lane.
        if (texts[lane].size() > kStackUnits) {
            digests[lane] = Md5HexDigits(texts[lane]);
            continue;
        }
        std::array<char, 2 * kStackUnits> stack;
        std::string heap;
        blocks[lane] = PadMessage(MessageOf(texts[lane], stack, heap), padded[lane].data());
        most = std::max(most, blocks[lane]);
    }
    std::array<std::array<std::uint32_t, 4>, kMd5Lanes> words;
    DigestBatch({padded.data(), blocks.data(), most}, words.data());
    for (size_t lane = 0; lane < kMd5Lanes; ++lane) {
        if (blocks[lane] != 0)
            digests[lane] = DigitsOf(words[lane][0], words[lane][1], words[lane][2], words[lane][3]);
    }
}

std::vector<EMd5Way> Md5WaysHere()
{
    std::vector<EMd5Way> ways;
#if defined(KORVANE_MD5_X86_WAYS)
    if (__builtin_cpu_supports("avx512f"))
        ways.push_back(EMd5Way::lanes16);
#endif
    ways.push_back(EMd5Way::lanes4);
    return ways;
}

void SetMd5WayForTests(std::optional<EMd5Way> way)
{
    ForcedMd5Way() = way;
}

std::u16string Md5Hex(std::u16string_view text)
{
    return std::u16string(Md5HexDigits(text).View());
}
