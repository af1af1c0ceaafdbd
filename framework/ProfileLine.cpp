#include "framework/ProfileLine.h"

#include "framework/AsciiRun.h"
#include "framework/Cp936.h"
#include "framework/WideText.h"

#include <array>
#include <bit>
#include <cstring>
#include <type_traits>

namespace {

constexpr std::uint64_t kHashBasis = 14695981039346656037ull;
constexpr std::uint64_t kHashPrime = 1099511628211ull;

template <typename Unit> bool IsProfileBlank(Unit c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <typename Unit> std::basic_string_view<Unit> Trim(std::basic_string_view<Unit> text)
{
    while (!text.empty() && IsProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

template <typename Unit> std::basic_string_view<Unit> Unquote(std::basic_string_view<Unit> value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        return value.substr(1, value.size() - 2);
    return value;
}

template <typename Unit> char16_t Folded(Unit c)
{
    const auto unit = static_cast<char16_t>(static_cast<std::make_unsigned_t<Unit>>(c));
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

// Four units of a name with ASCII capitals made small, as the 16-bit lanes of one word, the first lowest.
// On the low fifteen bits of each lane an addition sets the top bit of a lane that is at least a bound,
// and no lane carries into the next; a lane whose top bit is set is no capital.
std::uint64_t FoldedUnitWord(const char16_t* units)
{
    std::uint64_t word;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, units, sizeof word);
    } else {
        word = std::uint64_t{units[0]} | std::uint64_t{units[1]} << 16 | std::uint64_t{units[2]} << 32 |
               std::uint64_t{units[3]} << 48;
    }
    const std::uint64_t low = word & 0x7FFF7FFF7FFF7FFFull;
    const std::uint64_t capitals =
        (low + 0x7FBF7FBF7FBF7FBFull) & ~(low + 0x7FA57FA57FA57FA5ull) & ~word & 0x8000800080008000ull;
    return word | capitals >> 10;
}

// FNV-1a over the folded units taken four at a time, for names beyond ASCII, which only ever stand as
// text.
std::uint32_t HashUnitsFolded(std::u16string_view name)
{
    std::uint64_t hash = kHashBasis;
    size_t i = 0;
    for (; i + 4 <= name.size(); i += 4)
        hash = (hash ^ FoldedUnitWord(name.data() + i)) * kHashPrime;
    for (; i < name.size(); ++i)
        hash = (hash ^ Folded(name[i])) * kHashPrime;
    return static_cast<std::uint32_t>(hash ^ hash >> 32);
}

// Eight ASCII bytes with their capitals made small at once: an addition sets the top bit of each byte that
// is at least a bound, and no byte carries into the next.
std::uint64_t FoldedAsciiWord(std::uint64_t bytes)
{
    const std::uint64_t capitals =
        (bytes + 0x3F3F3F3F3F3F3F3Full) & ~(bytes + 0x2525252525252525ull) & 0x8080808080808080ull;
    return bytes | capitals >> 2;
}

// One step over eight bytes: the full product of the state and the word with its halves folded together,
// so that every bit of the word reaches every bit of the state.
std::uint64_t MixAsciiWord(std::uint64_t hash, std::uint64_t word)
{
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
#if defined(__SIZEOF_INT128__)
    const unsigned __int128 product = static_cast<unsigned __int128>(hash ^ word) * kMultiplier;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
#else
    const std::uint64_t mixed = (hash ^ word) * kMultiplier;
    return mixed ^ mixed >> 29;
#endif
}

// ASCII names, eight bytes a step: most names of a file are ASCII, and a long list has 100,000 of them.
// A name given as text that is all ASCII hashes as its bytes, so that both spellings meet.
std::uint32_t HashAsciiFolded(std::string_view ascii)
{
    std::uint64_t hash = kHashBasis;
    size_t i = 0;
    for (; i + 8 <= ascii.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, ascii.data() + i, sizeof word);
        hash = MixAsciiWord(hash, FoldedAsciiWord(word));
    }
    if (i < ascii.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, ascii.data() + i, ascii.size() - i);
        hash = MixAsciiWord(hash, FoldedAsciiWord(word));
    }
    return static_cast<std::uint32_t>(hash ^ hash >> 32);
}

std::uint32_t HashTextFolded(std::u16string_view text)
{
    if (AsciiPrefix(text) != text.size())
        return HashUnitsFolded(text);
    std::array<char, 256> stack;
    std::string heap;
    char* bytes = stack.data();
    if (text.size() > stack.size()) {
        heap.resize(text.size());
        bytes = heap.data();
    }
    NarrowAscii(text.data(), bytes, text.size());
    return HashAsciiFolded(std::string_view(bytes, text.size()));
}

template <typename Unit> unsigned UnitValue(Unit c)
{
    return static_cast<std::make_unsigned_t<Unit>>(c);
}

// Four bytes as the 16-bit lanes of one word, the first lowest, as four units of text are held.
std::uint64_t WidenedWord(const char* bytes)
{
    std::uint32_t four;
    std::memcpy(&four, bytes, sizeof four);
    std::uint64_t word = four;
    word = (word | word << 16) & 0x0000FFFF0000FFFFull;
    return (word | word << 8) & 0x00FF00FF00FF00FFull;
}

// Whether the bytes are exactly the units: four at a time, as words, where the machine holds them so.
template <typename A, typename B> bool SameUnits(std::basic_string_view<A> a, std::basic_string_view<B> b)
{
    unsigned differs = 0;
    size_t i = 0;
    if constexpr (std::endian::native == std::endian::little && sizeof(A) == 1 && sizeof(B) == 2) {
        std::uint64_t words = 0;
        for (; i + 4 <= a.size(); i += 4) {
            std::uint64_t units;
            std::memcpy(&units, b.data() + i, sizeof units);
            words |= WidenedWord(a.data() + i) ^ units;
        }
        differs = words != 0;
    }
    for (; i < a.size(); ++i)
        differs |= UnitValue(a[i]) ^ UnitValue(b[i]);
    return differs == 0;
}

template <typename A, typename B> bool EqualFolded(std::basic_string_view<A> a, std::basic_string_view<B> b)
{
    if (a.size() != b.size())
        return false;
    // A name is nearly always looked up as the file spells it: one pass without branches finds that.
    if (SameUnits(a, b))
        return true;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Folded(a[i]) != Folded(b[i]))
            return false;
    }
    return true;
}

bool IsByteEncoding(ProfileEncoding encoding)
{
    return encoding == ProfileEncoding::Ansi || encoding == ProfileEncoding::Utf8;
}

// Eight bytes at a time: names are short, and a loop of bytes is not turned into vector instructions.
bool IsAscii(std::string_view bytes)
{
    std::uint64_t any = 0;
    size_t i = 0;
    for (; i + sizeof any <= bytes.size(); i += sizeof any) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        any |= word;
    }
    for (; i < bytes.size(); ++i)
        any |= static_cast<unsigned char>(bytes[i]);
    return (any & 0x8080808080808080ull) == 0;
}

std::u16string DecodeBytes(std::string_view bytes, ProfileEncoding encoding)
{
    return encoding == ProfileEncoding::Utf8 ? FromUtf8(bytes) : Cp936Decode(bytes);
}

// The grammar itself, on decoded text or on bytes: a header starts with "[" and holds a "]", its name
// runs to the last "]"; a key is a line that does not start with ";" and holds "=".
template <typename Unit> struct tagParts
{
    ELineRole role = ELineRole::other;
    std::basic_string_view<Unit> name;
};

// The same on a line already trimmed.
template <typename Unit> tagParts<Unit> ParseTrimmed(std::basic_string_view<Unit> text)
{
    using View = std::basic_string_view<Unit>;
    if (text.empty())
        return {};
    if (text.front() == '[' && text.find(Unit(']')) != View::npos) {
        const View inner = text.substr(1);
        return {ELineRole::header, Trim(inner.substr(0, inner.rfind(Unit(']'))))};
    }
    const size_t equals = text.find(Unit('='));
    if (text.front() == ';' || equals == View::npos)
        return {};
    return {ELineRole::key, Trim(text.substr(0, equals))};
}

template <typename Unit> tagParts<Unit> Parse(std::basic_string_view<Unit> line)
{
    return ParseTrimmed(Trim(line));
}

tagLineName FromDecoded(std::u16string_view text)
{
    tagParts<char16_t> parts = Parse(text);
    tagLineName name;
    name.role = parts.role;
    name.decoded = std::u16string(parts.name);
    return name;
}

} // namespace

std::u16string tagLineName::Text() const
{
    return bAscii ? std::u16string(ascii.begin(), ascii.end()) : decoded;
}

bool tagLineName::Matches(std::u16string_view other) const
{
    return bAscii ? EqualFolded(ascii, other) : EqualFolded(std::u16string_view(decoded), other);
}

bool tagLineName::Matches(const tagLineName& other) const
{
    return other.bAscii ? Matches(std::u16string(other.ascii.begin(), other.ascii.end()))
                        : Matches(std::u16string_view(other.decoded));
}

bool tagLineName::MatchesAscii(std::string_view other) const
{
    return bAscii ? EqualFolded(ascii, other) : EqualFolded(std::u16string_view(decoded), other);
}

bool AsciiNameMatches(std::string_view ascii, std::u16string_view name)
{
    return EqualFolded(ascii, name);
}

std::uint32_t tagLineName::FoldedHash() const
{
    return bAscii ? HashAsciiFolded(ascii) : HashTextFolded(decoded);
}

std::uint32_t FoldedHash(std::u16string_view name)
{
    return HashTextFolded(name);
}

tagLineName ReadLineName(std::string_view bytes, ProfileEncoding encoding)
{
    if (!IsByteEncoding(encoding))
        return FromDecoded(
            DecodeProfileLine(bytes, encoding).value_or(std::u16string())); // UTF-16: always text
    // In code page 936 a trail byte may be "]" or a capital letter: such lines are decoded first.
    const std::string_view trimmed = Trim(bytes);
    if (encoding == ProfileEncoding::Ansi && !trimmed.empty() && trimmed.front() == '[' && !IsAscii(trimmed))
        return FromDecoded(Cp936Decode(bytes));
    tagParts<char> parts = ParseTrimmed(trimmed);
    tagLineName name;
    name.role = parts.role;
    if (IsAscii(parts.name)) {
        name.bAscii = true;
        name.ascii = parts.name;
    } else {
        name.decoded = DecodeBytes(parts.name, encoding);
    }
    return name;
}

// Blanks and quotes are ASCII, and no byte of a character in code page 936 or UTF-8 is one of them, so
// a value's bytes are trimmed and unquoted as its text would be.
std::optional<std::string_view> ReadLineValueBytes(std::string_view bytes, ProfileEncoding encoding)
{
    if (!IsByteEncoding(encoding))
        return std::nullopt;
    const size_t equals = bytes.find('=');
    if (equals == std::string_view::npos)
        return std::string_view();
    return Unquote(Trim(bytes.substr(equals + 1)));
}

std::u16string ReadLineValue(std::string_view bytes, ProfileEncoding encoding)
{
    if (!IsByteEncoding(encoding)) {
        const std::u16string text =
            DecodeProfileLine(bytes, encoding).value_or(std::u16string()); // UTF-16: always text
        const std::u16string_view view = Trim(std::u16string_view(text));
        const size_t equals = view.find(u'=');
        return equals == std::u16string_view::npos ? std::u16string()
                                                   : std::u16string(Unquote(Trim(view.substr(equals + 1))));
    }
    const size_t equals = bytes.find('=');
    if (equals == std::string_view::npos)
        return {};
    return DecodeBytes(Unquote(Trim(bytes.substr(equals + 1))), encoding);
}
