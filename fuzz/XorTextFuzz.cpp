#include "encrypt/XorText.h"

#include "FuzzSupport.h"
#include "framework/Random.h"

#include <algorithm>
#include <string>

namespace {

class CCountingReporter : public CReporter
{
public:
    void Report(const MessageBoxRequest&) override { ++m_nCount; }
    int m_nCount = 0;
};

} // namespace

// Input: UTF-16LE code units, decoded as an XOR text; its first 63 units also go through a round trip.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::u16string text = Utf16FromBytes(AsBytes(data, size));
    CCountingReporter reporter;
    const std::u16string decoded = XorDecrypt(text, reporter);
    FUZZ_CHECK(decoded.size() <= 63);
    FUZZ_CHECK(decoded.find(u'\0') == std::u16string::npos);

    std::u16string plain = text.substr(0, 63);
    plain = plain.substr(0, plain.find(u'\0'));
    CCountingReporter roundTrip;
    const std::u16string encoded = XorEncrypt(plain, roundTrip);
    FUZZ_CHECK(encoded.size() == (plain.size() + 7) / 8 * 64);
    FUZZ_CHECK(XorDecrypt(encoded, roundTrip) == plain);
    FUZZ_CHECK(roundTrip.m_nCount == 0);

    // A text of ASCII units reads the same from its bytes, reports the same, and reads quietly exactly
    // when it reports nothing.
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; })) {
        const std::string bytes(text.begin(), text.end());
        CCountingReporter ascii;
        FUZZ_CHECK(XorDecryptAscii(bytes, ascii) == decoded);
        FUZZ_CHECK(ascii.m_nCount == reporter.m_nCount);
        std::u16string quiet;
        FUZZ_CHECK(XorDecryptAsciiQuietly(bytes, quiet) == (reporter.m_nCount == 0));
        FUZZ_CHECK(reporter.m_nCount != 0 || quiet == decoded);
        // The plain form decodes only what reads quietly, and the same.
        std::u16string plain;
        if (XorDecryptPlainQuietly(bytes, plain))
            FUZZ_CHECK(reporter.m_nCount == 0 && plain == decoded);
    }

    // Encoding into a place draws and writes what encoding into a string does.
    CrtResetRandom();
    std::string expected;
    XorEncryptAscii(plain, roundTrip, expected);
    FUZZ_CHECK(XorTextLength(plain) == expected.size());
    CrtResetRandom();
    std::string placed(expected.size(), '#');
    XorEncryptAsciiTo(plain, placed.data());
    FUZZ_CHECK(placed == expected);
    return 0;
}
