#include "encrypt/XorText.h"

#include "framework/AsciiRun.h"
#include "framework/HexRun.h"
#include "framework/NumberReading.h"
#include "framework/Random.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace {

constexpr size_t kMaxPlainLength = 63;
constexpr size_t kMaxXorLength = 512;
constexpr size_t kMinXorLength = 64;
constexpr size_t kGroupLength = 8;
constexpr size_t kKeyCount = 8;

// Lengths end at the first zero unit, as they do for the platform's strings. Bytes are searched by the C
// library; units go a block at a time, each block tested in one loop of fixed length that the compiler
// turns into vector instructions, and only the block with a zero is searched unit by unit.
std::string_view UpToZero(std::string_view text)
{
    const void* zero = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());
    return zero ? text.substr(0, static_cast<size_t>(static_cast<const char*>(zero) - text.data())) : text;
}

constexpr size_t kZeroBlock = 16;

bool BlockHoldsZero(const char16_t* units)
{
    std::uint16_t zero = 0;
    for (size_t i = 0; i < kZeroBlock; ++i)
        zero |= static_cast<std::uint16_t>(units[i] == u'\0');
    return zero != 0;
}

std::u16string_view UpToZero(std::u16string_view text)
{
    // The last block ends with the text and may overlap the one before it, so that no unit is left to
    // test one at a time.
    size_t length = 0;
    if (text.size() >= kZeroBlock) {
        const size_t last = text.size() - kZeroBlock;
        for (size_t at = 0;; at = std::min(at + kZeroBlock, last)) {
            if (BlockHoldsZero(text.data() + at)) {
                length = at;
                break;
            }
            if (at == last)
                return text;
        }
    }
    while (length < text.size() && text[length] != u'\0')
        ++length;
    return text.substr(0, length);
}

void Refuse(CReporter& reporter, const char16_t* message)
{
    reporter.Message(message, MB_OK | MB_ICONEXCLAMATION);
}

std::uint16_t RandomValue()
{
    return static_cast<std::uint16_t>(CrtRand() % 65535);
}

// A unit's value as a UTF-16 unit: ASCII bytes are the same characters.
template <typename Unit> char16_t Widened(Unit c)
{
    return static_cast<char16_t>(static_cast<std::make_unsigned_t<Unit>>(c));
}

// One group half: four characters read alone as wcstol reads base 16; only the low 16 bits count.
// Four plain hexadecimal digits, which every encoder writes, are read directly; anything else (blanks,
// signs, a prefix, the digits of other scripts) goes through the full reader.
template <typename Unit> std::uint16_t ReadHex4(std::basic_string_view<Unit> text, size_t pos)
{
    const std::basic_string_view<Unit> group = text.substr(pos, 4);
    std::array<char16_t, 4> units{};
    for (size_t i = 0; i < group.size(); ++i)
        units[i] = Widened(group[i]);
    if (group.size() == 4 && AsciiPrefix(std::u16string_view(units.data(), units.size())) == units.size()) {
        std::array<char, 4> digits;
        NarrowAscii(units.data(), digits.data(), digits.size());
        std::uint16_t value = 0;
        if (ReadHexUnits(digits.data(), 1, &value))
            return value;
    }
    return static_cast<std::uint16_t>(
        static_cast<std::uint32_t>(WcsToLong(std::u16string_view(units.data(), group.size()), 16)));
}

// The units of every group, key then XORed character; groups not read are zeros.
using GroupUnits = std::array<std::uint16_t, 2 * (kMaxPlainLength + 1)>;

// The text of the first `count` groups, ending at a decoded zero. Every group's character is taken at
// once, in a loop of fixed length that the compiler turns into vector instructions.
void AssignPlain(const GroupUnits& units, size_t count, std::u16string& out)
{
    std::array<char16_t, kMaxPlainLength + 1> plain;
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<char16_t>(units[2 * i] ^ units[2 * i + 1]);
    out.assign(UpToZero(std::u16string_view(plain.data(), count)));
}

// Decodes up to `count` groups, ending at a decoded zero, when all their characters are plain
// hexadecimal digits, as every encoder writes them; false otherwise. The digits of all `count` groups are
// read at once: a group past a decoded zero is read too, and when it is not plain, the full reader, which
// never reads it, gives the same text.
bool DecodePlainGroups(std::string_view cipher, size_t count, std::u16string& out)
{
    // A group is the key, then the character XORed with the key. The groups up to a whole number of
    // rounds are read where the text has them, as whole blocks read fastest.
    constexpr size_t kRound = 4;
    const size_t groups = std::min(cipher.size() / kGroupLength, (count + kRound - 1) / kRound * kRound);
    GroupUnits units{};
    if (!ReadHexUnits(cipher.data(), 2 * groups, units.data()))
        return false;
    AssignPlain(units, count, out);
    return true;
}

// The same for a text in units: plain digits are ASCII, so an ASCII text is read as its bytes.
bool DecodePlainGroups(std::u16string_view cipher, size_t count, std::u16string& out)
{
    std::array<char, kMaxXorLength> bytes;
    if (cipher.size() > bytes.size() || AsciiPrefix(cipher) != cipher.size())
        return false;
    NarrowAscii(cipher.data(), bytes.data(), cipher.size());
    return DecodePlainGroups(std::string_view(bytes.data(), cipher.size()), count, out);
}

// The same for any groups, each half read as wcstol reads it.
template <typename Unit> std::u16string DecodeGroups(std::basic_string_view<Unit> cipher, size_t count)
{
    std::u16string out(count, u'\0');
    size_t length = 0;
    for (; length < count; ++length) {
        const size_t group = length * kGroupLength;
        const auto character = static_cast<char16_t>(ReadHex4(cipher, group) ^ ReadHex4(cipher, group + 4));
        if (character == 0)
            break;
        out[length] = character;
    }
    out.resize(length);
    return out;
}

// How many units the XOR text of a plain text of `n` characters has: eight for every slot, a slot for
// every character, rounded up to whole rounds of keys.
constexpr size_t CipherLength(size_t n)
{
    return (n + kKeyCount - 1) / kKeyCount * kKeyCount * kGroupLength;
}

// The XOR text of `plain` (1 to 63 characters) at `out`, which has room for CipherLength bytes; draws
// seven keys, then a value for every slot past the text.
void WriteCipher(std::u16string_view plain, char* out)
{
    const size_t n = plain.size();
    std::array<std::uint16_t, kKeyCount> keys{};
    keys[0] = static_cast<std::uint16_t>(n);
    for (size_t k = 1; k < kKeyCount; ++k)
        keys[k] = RandomValue();

    // The values first, the text and then the random filling, in the order of their draws; then the
    // groups, key and XORed value, a round of keys at a time; then the digits of them all at once.
    const size_t slots = CipherLength(n) / kGroupLength;
    std::array<std::uint16_t, kMaxPlainLength + 1> values;
    std::copy(plain.begin(), plain.end(), values.begin());
    for (size_t i = n; i < slots; ++i)
        values[i] = RandomValue();
    std::array<std::uint16_t, 2 * (kMaxPlainLength + 1)> units;
    for (size_t round = 0; round < slots; round += kKeyCount) {
        for (size_t k = 0; k < kKeyCount; ++k) {
            units[2 * (round + k)] = keys[k];
            units[2 * (round + k) + 1] = static_cast<std::uint16_t>(values[round + k] ^ keys[k]);
        }
    }
    WriteHexUnits(units.data(), 2 * slots, out);
}

// The same in units: the XOR text is hexadecimal digits only, ASCII in either width.
void WriteCipher(std::u16string_view plain, char16_t* out)
{
    std::array<char, kMaxXorLength> bytes;
    WriteCipher(plain, bytes.data());
    WidenAscii(bytes.data(), out, CipherLength(plain.size()));
}

// The cipher into `out`, in units of the output's width.
template <typename Unit>
void Encrypt(std::u16string_view text, CReporter& reporter, std::basic_string<Unit>& out)
{
    out.clear();
    const std::u16string_view plain = UpToZero(text);
    if (plain.size() > kMaxPlainLength) {
        Refuse(reporter, u"加密字符不能超过64个字符哦~亲");
        return;
    }
    if (plain.empty())
        return;
    out.resize(CipherLength(plain.size()));
    WriteCipher(plain, out.data());
}

// What decoding an XOR text says, if anything, and whether it then decodes it.
struct tagCipherCheck
{
    const char16_t* message = nullptr;
    bool bDecodes = false;
    size_t nDeclared = 0; // the length the first group declares, once the text's length passed
};

// The checks of a cipher's length alone.
tagCipherCheck CheckLength(size_t n)
{
    if (n > kMaxXorLength)
        return {u"解密字符不能超过512个哦~亲", false};
    if (n == 0)
        return {};
    if (n < kMinXorLength)
        return {u"解密字符不能少于64个哦~亲", false};
    if (n % kGroupLength != 0)
        return {u"解密字符必须是8的倍数哦~亲", false};
    return {nullptr, true};
}

// The check of the length that the first group declares, for a cipher of `n` units that passed the
// checks of its length.
tagCipherCheck CheckDeclared(size_t n, size_t declared)
{
    if (n != CipherLength(declared))
        return {u"解密数据还是不符合要求.不过能到这里来...算你牛!", true, declared};
    return {nullptr, true, declared};
}

template <typename Unit> tagCipherCheck CheckCipher(std::basic_string_view<Unit> cipher)
{
    const tagCipherCheck length = CheckLength(cipher.size());
    return length.bDecodes ? CheckDeclared(cipher.size(), ReadHex4(cipher, 0)) : length;
}

// How many groups a cipher that passed its checks decodes: a mismatching declared length may promise
// more than the text has or the result can hold.
size_t DecodedCount(size_t cipherLength, size_t declared)
{
    return std::min({declared, cipherLength / kGroupLength, kMaxPlainLength});
}

// The text of a cipher that passed its checks.
template <typename Unit> std::u16string DecodeChecked(std::basic_string_view<Unit> cipher, size_t declared)
{
    const size_t count = DecodedCount(cipher.size(), declared);
    std::u16string out;
    if (!DecodePlainGroups(cipher, count, out))
        out = DecodeGroups(cipher, count);
    return out;
}

template <typename Unit> std::u16string Decrypt(std::basic_string_view<Unit> text, CReporter& reporter)
{
    const std::basic_string_view<Unit> cipher = UpToZero(text);
    const tagCipherCheck check = CheckCipher(cipher);
    if (check.message != nullptr)
        Refuse(reporter, check.message);
    return check.bDecodes ? DecodeChecked(cipher, check.nDeclared) : std::u16string();
}

template <typename Unit> bool DecryptQuietly(std::basic_string_view<Unit> text, std::u16string& out)
{
    const std::basic_string_view<Unit> cipher = UpToZero(text);
    const tagCipherCheck check = CheckCipher(cipher);
    if (check.message != nullptr)
        return false;
    out = check.bDecodes ? DecodeChecked(cipher, check.nDeclared) : std::u16string();
    return true;
}

} // namespace

std::u16string XorEncrypt(std::u16string_view text, CReporter& reporter)
{
    std::u16string out;
    Encrypt(text, reporter, out);
    return out;
}

void XorEncryptAscii(std::u16string_view text, CReporter& reporter, std::string& out)
{
    Encrypt(text, reporter, out);
}

size_t XorTextLength(std::u16string_view text)
{
    const size_t n = UpToZero(text).size();
    return n > kMaxPlainLength ? 0 : CipherLength(n);
}

void XorEncryptAsciiTo(std::u16string_view text, char* out)
{
    const std::u16string_view plain = UpToZero(text);
    if (!plain.empty() && plain.size() <= kMaxPlainLength)
        WriteCipher(plain, out);
}

std::u16string XorDecrypt(std::u16string_view text, CReporter& reporter)
{
    return Decrypt(text, reporter);
}

std::u16string XorDecryptAscii(std::string_view text, CReporter& reporter)
{
    return Decrypt(text, reporter);
}

bool XorDecryptQuietly(std::u16string_view text, std::u16string& out)
{
    return DecryptQuietly(text, out);
}

bool XorDecryptAsciiQuietly(std::string_view text, std::u16string& out)
{
    return DecryptQuietly(text, out);
}

bool XorDecryptPlainQuietly(std::string_view bytes, std::u16string& out)
{
    // Plain digits hold no zero, so when all the bytes are plain digits the text is all of them, with
    // no look for a zero first; every group is read, as a zero in one the text does not decode would
    // still cut it. The first group read is the declared length.
    const size_t n = bytes.size();
    if (!CheckLength(n).bDecodes)
        return false;
    GroupUnits units{};
    static_assert(kMaxXorLength / 4 <= std::tuple_size_v<GroupUnits>);
    if (!ReadHexUnits(bytes.data(), n / 4, units.data()))
        return false;
    const tagCipherCheck check = CheckDeclared(n, units[0]);
    if (check.message != nullptr)
        return false;
    AssignPlain(units, DecodedCount(n, check.nDeclared), out);
    return true;
}
