#include "encrypt/XorText.h"

#include "FuzzSupport.h"

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
    return 0;
}
