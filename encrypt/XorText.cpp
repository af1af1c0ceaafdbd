#include "encrypt/XorText.h"

#include "framework/NumberReading.h"
#include "framework/Random.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr size_t kMaxPlainLength = 63;
constexpr size_t kMaxXorLength = 512;
constexpr size_t kMinXorLength = 64;
constexpr size_t kGroupLength = 8;
constexpr size_t kKeyCount = 8;

// Lengths end at the first zero unit, as they do for the platform's strings.
std::u16string_view UpToZero(const std::u16string& text)
{
    std::u16string_view view(text);
    return view.substr(0, view.find(u'\0'));
}

void Refuse(CReporter& reporter, const char16_t* message)
{
    reporter.Message(message, MB_OK | MB_ICONEXCLAMATION);
}

std::uint16_t RandomValue()
{
    return static_cast<std::uint16_t>(CrtRand() % 65535);
}

// Writes the value as four capital hexadecimal digits at `out`; returns the end.
char16_t* PutHex4(char16_t* out, std::uint16_t value)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        *out++ = kDigits[(value >> shift) & 0xF];
    return out;
}

// The value of an ASCII hexadecimal digit, or -1.
int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// One group half: four characters read alone as wcstol reads base 16; only the low 16 bits count.
// Four plain hexadecimal digits, which every encoder writes, are read directly; anything else (blanks,
// signs, a prefix, the digits of other scripts) goes through the full reader.
std::uint16_t ReadHex4(std::u16string_view text, size_t pos)
{
    const std::u16string_view group = text.substr(pos, 4);
    if (group.size() == 4) {
        int value = 0;
        for (char16_t c : group) {
            const int digit = HexDigit(c);
            if (digit < 0)
                return static_cast<std::uint16_t>(static_cast<std::uint32_t>(WcsToLong(group, 16)));
            value = value * 16 + digit;
        }
        return static_cast<std::uint16_t>(value);
    }
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(WcsToLong(group, 16)));
}

} // namespace

std::u16string XorEncrypt(std::u16string text, CReporter& reporter)
{
    const std::u16string_view plain = UpToZero(text);
    const size_t n = plain.size();
    if (n > kMaxPlainLength) {
        Refuse(reporter, u"加密字符不能超过64个字符哦~亲");
        return {};
    }
    if (n == 0)
        return {};

    std::array<std::uint16_t, kKeyCount> keys{};
    keys[0] = static_cast<std::uint16_t>(n);
    for (size_t k = 1; k < kKeyCount; ++k)
        keys[k] = RandomValue();

    const size_t slots = (n + kKeyCount - 1) / kKeyCount * kKeyCount;
    std::u16string out(slots * kGroupLength, u'0');
    char16_t* end = out.data();
    for (size_t i = 0; i < slots; ++i) {
        const std::uint16_t key = keys[i % kKeyCount];
        const std::uint16_t value = i < n ? plain[i] : RandomValue();
        end = PutHex4(end, key);
        end = PutHex4(end, static_cast<std::uint16_t>(value ^ key));
    }
    return out;
}

std::u16string XorDecrypt(std::u16string text, CReporter& reporter)
{
    const std::u16string_view cipher = UpToZero(text);
    const size_t n = cipher.size();
    if (n > kMaxXorLength) {
        Refuse(reporter, u"解密字符不能超过512个哦~亲");
        return {};
    }
    if (n == 0)
        return {};
    if (n < kMinXorLength) {
        Refuse(reporter, u"解密字符不能少于64个哦~亲");
        return {};
    }
    if (n % kGroupLength != 0) {
        Refuse(reporter, u"解密字符必须是8的倍数哦~亲");
        return {};
    }

    const size_t declared = ReadHex4(cipher, 0);
    if (n != (declared + kKeyCount - 1) / kKeyCount * kKeyCount * kGroupLength)
        Refuse(reporter, u"解密数据还是不符合要求.不过能到这里来...算你牛!");

    // A mismatching declared length may promise more groups than the text has or the result can hold.
    const size_t count = std::min({declared, n / kGroupLength, kMaxPlainLength});
    std::u16string out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t group = i * kGroupLength;
        const auto character = static_cast<char16_t>(ReadHex4(cipher, group) ^ ReadHex4(cipher, group + 4));
        if (character == 0)
            break;
        out.push_back(character);
    }
    return out;
}
