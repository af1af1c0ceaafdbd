#include "encrypt/DottedNumber.h"

#include "framework/WideText.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

const std::u16string kError = u"你所输入的信息有误";

struct ForwardCase
{
    std::u16string input;
    std::u16string version;
    std::u16string ip;
};

struct ReverseCase
{
    std::u16string input;
    std::u16string version;
    std::u16string ip;
};

TEST(DottedNumber, ForwardWorkedExamples)
{
    MessageBoxRecorder boxes; // none may appear
    const std::vector<ForwardCase> cases = {
        {u"1.2.3.4", u"16909060", u"67305985"},
        {u"127.0.0.1", u"2130706433", u"16777343"},
        {u"192.168.1.100", u"3232235876", u"1677830336"},
        {u"255.255.255.255", u"4294967295", u"4294967295"},
        {u"1.2", u"16908288", u"513"},
        {u"1..2", u"16777728", u"131073"},
        {u"1.2.3.4.5", u"16909060", u"67305985"},
        {u"300.0.0.0", u"5033164800", u"300"},
        {u"-1.0.0.0", u"-16777216", u"-1"},
        {u"", u"0", u"0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VersionToNumber(c.input), c.version);
        EXPECT_EQ(IpToNumber(c.input), c.ip);
    }
}

TEST(DottedNumber, ReverseWorkedExamples)
{
    MessageBoxRecorder boxes;
    const std::vector<ReverseCase> cases = {
        {u"16909060", u"1.2.3.4", u"4.3.2.1"},
        {u"67305985", u"4.3.2.1", u"1.2.3.4"},
        {u"16777343", u"1.0.0.127", u"127.0.0.1"},
        {u"4294967296", u"256.0.0.0", u"0.0.0.256"},
        {u"-5", u"0.0.0.-5", u"-5.0.0.0"},
        {u"-1", kError, kError},
        {u"", u"0.0.0.0", u"0.0.0.0"},
        {u"letters", u"0.0.0.0", u"0.0.0.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToVersion(c.input), c.version);
        EXPECT_EQ(NumberToIp(c.input), c.ip);
    }
}

TEST(DottedNumber, PartsMayHaveSpaceBeforeAndAnythingAfterTheirDigits)
{
    EXPECT_EQ(VersionToNumber(u"1. 2.x3.4z"), u"16908292");
}

TEST(DottedNumber, LeadingZeroIsNotKept)
{
    const std::u16string number = IpToNumber(u"01.2.3.4");
    EXPECT_EQ(number, u"67305985");
    EXPECT_EQ(NumberToIp(number), u"1.2.3.4");
}

TEST(DottedNumber, ForwardAndReverseAgreeForAddresses)
{
    for (const std::u16string address : {u"10.0.0.1", u"0.0.0.0", u"255.0.128.7", u"8.8.4.4"}) {
        EXPECT_EQ(NumberToIp(IpToNumber(address)), address);
        EXPECT_EQ(NumberToVersion(VersionToNumber(address)), address);
    }
}

TEST(DottedNumber, PartsAreClampedTo32Bits)
{
    EXPECT_EQ(IpToNumber(u"99999999999"), u"2147483647");
    EXPECT_EQ(IpToNumber(u"-99999999999"), u"-2147483648");
    EXPECT_EQ(VersionToNumber(u"99999999999.99999999999.99999999999.99999999999"), u"36170086393773823");
    EXPECT_EQ(VersionToNumber(u"-99999999999.-99999999999.-99999999999.-99999999999"), u"-36170086410616832");
}

TEST(DottedNumber, HugeNumbersAreClampedTo64Bits)
{
    EXPECT_EQ(NumberToVersion(u"99999999999999999999"), u"-1.255.255.255");
    EXPECT_EQ(NumberToIp(u"99999999999999999999"), u"255.255.255.-1");
    // The smallest 64-bit value: quotient -549755813888 keeps low bits 0.
    EXPECT_EQ(NumberToVersion(u"-99999999999999999999"), u"0.0.0.0");
    // -549755813887 keeps the low bits 1.
    EXPECT_EQ(NumberToVersion(u"-9223372036854775807"), u"1.-255.-255.-255");
}

TEST(DottedNumber, SegmentsKeepTheirSignedLow32Bits)
{
    // 2^55: the top quotient is 2^31, which reads as the smallest 32-bit number.
    EXPECT_EQ(NumberToVersion(u"36028797018963968"), u"-2147483648.0.0.0");
    EXPECT_EQ(NumberToIp(u"36028797018963968"), u"0.0.0.-2147483648");
    // The largest 64-bit value: quotient 549755813887 keeps the low bits FFFFFFFF.
    EXPECT_EQ(NumberToVersion(u"9223372036854775807"), u"-1.255.255.255");
    EXPECT_EQ(NumberToIp(u"-2147483648"), u"0.0.0.-128");
    EXPECT_EQ(NumberToVersion(u"255"), u"0.0.0.255");
}

TEST(DottedNumber, LongRunsOfDigitsReadLikeShortOnes)
{
    // Nine digits in a part and eighteen in a number are read directly; longer runs clamp.
    EXPECT_EQ(IpToNumber(u"999999999"), u"999999999");
    EXPECT_EQ(IpToNumber(u"2147483648"), u"2147483647");
    EXPECT_EQ(IpToNumber(u"0000000001.2"), u"513");
    EXPECT_EQ(NumberToVersion(u"999999999999999999"), u"-524897369.99.255.255");
    EXPECT_EQ(NumberToIp(u"999999999999999999"), u"255.255.99.-524897369");
    EXPECT_EQ(NumberToIp(u"9999999999999999999"), u"255.255.255.-1");
    EXPECT_EQ(NumberToIp(u"000000000000000000016777343"), u"127.0.0.1");
}

TEST(DottedNumber, DottedTextAsNumberReadsItsFirstPart)
{
    EXPECT_EQ(NumberToVersion(u"1.2.3.4"), u"0.0.0.1");
    EXPECT_EQ(NumberToIp(u"1.2.3.4"), u"1.0.0.0");
}

TEST(DottedNumber, ErrorTextOnlyForMinusOne)
{
    EXPECT_EQ(NumberToIp(u"-01"), kError);
    EXPECT_EQ(NumberToVersion(u"-1abc"), kError);
    EXPECT_EQ(NumberToVersion(u"  -1"), kError);
    EXPECT_EQ(NumberToIp(u"0"), u"0.0.0.0");
    EXPECT_EQ(NumberToIp(u"-2"), u"-2.0.0.0");
    EXPECT_EQ(NumberToVersion(u"-256"), u"0.0.-1.0");
}

TEST(DottedNumber, TextEndsAtTheFirstZeroUnit)
{
    std::u16string text = u"1.2";
    text.push_back(u'\0');
    text += u".3.4";
    EXPECT_EQ(IpToNumber(text), u"513");
}

} // namespace

TEST(DottedNumber, NumbersOfEveryLengthAreWrittenInFull)
{
    // A number alone is its own first part: written back, it shows whether every digit came out right,
    // at each count of digits and on each side of it.
    for (std::int64_t power = 1; power <= 1000000000; power *= 10) {
        for (std::int64_t value : {power - 1, power, power + 1, 2 * power + 7}) {
            if (value > 2147483647)
                continue;
            for (std::int64_t signedValue : {value, -value}) {
                const std::u16string text = FromUtf8(std::to_string(signedValue));
                EXPECT_EQ(IpToNumber(text), text);
            }
        }
    }
    // 1234567890123 = 73585 * 2^24 + 251 * 2^16 + 4 * 2^8 + 203
    EXPECT_EQ(NumberToIp(u"1234567890123"), u"203.4.251.73585");
}

// Numbers as a file holds them, in ASCII bytes, split as their text splits: plain digits are read
// directly, anything else as the text would be.
TEST(DottedNumber, NumbersInAsciiBytesSplitAsTheirText)
{
    std::string withZero = "16777343";
    withZero.push_back('\0');
    withZero += "99";
    const std::string numbers[] = {"16777343",
                                   "0",
                                   "",
                                   "-1",
                                   "-2",
                                   " 42",
                                   "+42",
                                   "42x",
                                   "1.2.3.4",
                                   "999999999999999999",
                                   "9999999999999999999",
                                   "000000000000000000016777343",
                                   "99999999999999999999",
                                   withZero};
    for (const std::string& number : numbers)
        EXPECT_EQ(NumberToIpAscii(number), NumberToIp(std::u16string(number.begin(), number.end())))
            << number;
    // Every address from the ASCII digits of its number.
    for (const char16_t* address : {u"127.0.0.1", u"10.0.0.0", u"255.255.255.255", u"192.168.1.254"}) {
        std::array<char, kLongestNumber> digits;
        EXPECT_EQ(NumberToIpAscii(IpToNumberAscii(address, digits)), address);
    }
}
