#include "encrypt/XorText.h"

#include "framework/MessageBox.h"
#include "framework/Random.h"
#include "framework/WideText.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const std::u16string kTooLong = u"加密字符不能超过64个字符哦~亲";
const std::u16string kOver512 = u"解密字符不能超过512个哦~亲";
const std::u16string kUnder64 = u"解密字符不能少于64个哦~亲";
const std::u16string kNotMultipleOf8 = u"解密字符必须是8的倍数哦~亲";
const std::u16string kMismatch = u"解密数据还是不符合要求.不过能到这里来...算你牛!";

std::u16string Letters(size_t count)
{
    std::u16string text;
    for (size_t i = 0; i < count; ++i)
        text.push_back(static_cast<char16_t>(u'A' + i % 26));
    return text;
}

void ExpectOneExclamation(const ReporterRecorder& boxes, const std::u16string& text)
{
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, text);
    EXPECT_EQ(boxes.Shown()[0].caption, AfxGetAppName());
    EXPECT_EQ(boxes.Shown()[0].caption, u"Korvane");
    EXPECT_EQ(boxes.Shown()[0].type, MB_OK | MB_ICONEXCLAMATION);
}

TEST(XorEncrypt, FirstCallOfARunEncodesAbcWithTheRunsFirstKeys)
{
    ReporterRecorder boxes;
    CrtResetRandom();
    EXPECT_EQ(XorEncrypt(u"abc", boxes), u"00030062"
                                         u"0029004B"
                                         u"48234840"
                                         u"18BE6A10"
                                         u"67840ED6"
                                         u"4AE11571"
                                         u"3D6C2B25"
                                         u"2CD64127");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(XorEncrypt, LengthIsEightCharactersPerSlot)
{
    ReporterRecorder boxes;
    EXPECT_EQ(XorEncrypt(u"x", boxes).size(), 64u);
    EXPECT_EQ(XorEncrypt(Letters(8), boxes).size(), 64u);
    EXPECT_EQ(XorEncrypt(Letters(9), boxes).size(), 128u);
    EXPECT_EQ(XorEncrypt(Letters(57), boxes).size(), 512u);
    EXPECT_EQ(XorEncrypt(Letters(63), boxes).size(), 512u);
}

TEST(XorEncrypt, DrawsSevenKeysAndOneValuePerPaddingSlot)
{
    ReporterRecorder boxes;
    CrtResetRandom();
    XorEncrypt(u"x", boxes); // 7 keys + 7 padding values
    const int next = CrtRand();
    CrtResetRandom();
    for (int i = 0; i < 14; ++i)
        CrtRand();
    EXPECT_EQ(next, CrtRand());
}

TEST(XorEncrypt, EmptyTextDrawsNothingAndShowsNothing)
{
    ReporterRecorder boxes;
    CrtResetRandom();
    EXPECT_EQ(XorEncrypt(u"", boxes), u"");
    EXPECT_EQ(CrtRand(), 41);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(XorEncrypt, RefusesSixtyFourCharacters)
{
    ReporterRecorder boxes;
    boxes.Expect();
    EXPECT_EQ(XorEncrypt(Letters(64), boxes), u"");
    ExpectOneExclamation(boxes, kTooLong);
}

TEST(XorEncrypt, LengthEndsAtTheFirstZeroUnit)
{
    ReporterRecorder boxes;
    std::u16string text = u"ab";
    text.push_back(u'\0');
    text += Letters(70);
    const std::u16string encoded = XorEncrypt(text, boxes);
    EXPECT_EQ(encoded.size(), 64u);
    EXPECT_EQ(encoded.substr(0, 4), u"0002");
    EXPECT_EQ(XorDecrypt(encoded, boxes), u"ab");
}

TEST(XorEncrypt, TwoCallsDifferButShareTheFirstGroup)
{
    ReporterRecorder boxes;
    const std::u16string first = XorEncrypt(u"abc", boxes);
    const std::u16string second = XorEncrypt(u"abc", boxes);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.substr(0, 8), u"00030062");
    EXPECT_EQ(second.substr(0, 8), u"00030062");
    EXPECT_EQ(XorDecrypt(first, boxes), u"abc");
    EXPECT_EQ(XorDecrypt(second, boxes), u"abc");
}

TEST(XorDecrypt, RoundTripsEveryLengthUpTo63)
{
    ReporterRecorder boxes;
    for (size_t n = 1; n <= 63; ++n) {
        std::u16string text = Letters(n);
        text[0] = u'中';
        text[n - 1] = 0xFFFF;
        ASSERT_EQ(XorDecrypt(XorEncrypt(text, boxes), boxes), text) << n;
    }
    const std::u16string surrogates = u"服务器\U0001F600";
    EXPECT_EQ(XorDecrypt(XorEncrypt(surrogates, boxes), boxes), surrogates);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(XorDecrypt, LowerCaseDigitsDecodeLikeUpperCase)
{
    ReporterRecorder boxes;
    const std::u16string lower = u"00030062"
                                 u"0029004b"
                                 u"48234840"
                                 u"18be6a10"
                                 u"67840ed6"
                                 u"4ae11571"
                                 u"3d6c2b25"
                                 u"2cd64127";
    EXPECT_EQ(XorDecrypt(lower, boxes), u"abc");
}

TEST(XorDecrypt, PaddingGroupsDoNotMatter)
{
    ReporterRecorder boxes;
    std::u16string encoded = XorEncrypt(u"abc", boxes);
    for (size_t pos = 24; pos < 64; ++pos) {
        std::u16string changed = encoded;
        changed[pos] = changed[pos] == u'7' ? u'8' : u'7';
        ASSERT_EQ(XorDecrypt(changed, boxes), u"abc") << pos;
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(XorDecrypt, EmptyTextGivesEmptyWithoutMessage)
{
    ReporterRecorder boxes;
    EXPECT_EQ(XorDecrypt(u"", boxes), u"");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(XorDecrypt, RefusesTooShort)
{
    ReporterRecorder boxes;
    boxes.Expect();
    EXPECT_EQ(XorDecrypt(std::u16string(60, u'0'), boxes), u"");
    ExpectOneExclamation(boxes, kUnder64);
}

TEST(XorDecrypt, RefusesLengthNotMultipleOfEight)
{
    ReporterRecorder boxes;
    boxes.Expect();
    EXPECT_EQ(XorDecrypt(std::u16string(65, u'0'), boxes), u"");
    ExpectOneExclamation(boxes, kNotMultipleOf8);
}

TEST(XorDecrypt, RefusesTooLong)
{
    ReporterRecorder boxes;
    boxes.Expect();
    EXPECT_EQ(XorDecrypt(std::u16string(520, u'0'), boxes), u""); // also a multiple of 8: the length wins
    ExpectOneExclamation(boxes, kOver512);
}

TEST(XorDecrypt, FiveHundredTwelveCharactersPassTheLengthChecks)
{
    ReporterRecorder boxes;
    EXPECT_EQ(XorDecrypt(XorEncrypt(Letters(60), boxes), boxes), Letters(60));
    // 512 zeros declare length 0: only the mismatch message, and nothing is decoded.
    boxes.Expect();
    EXPECT_EQ(XorDecrypt(std::u16string(512, u'0'), boxes), u"");
    ExpectOneExclamation(boxes, kMismatch);
}

TEST(XorDecrypt, SixtyFourZerosDeclareLengthZero)
{
    ReporterRecorder boxes;
    boxes.Expect();
    EXPECT_EQ(XorDecrypt(std::u16string(64, u'0'), boxes), u"");
    ExpectOneExclamation(boxes, kMismatch);
}

TEST(XorDecrypt, PlainNameBeginningWithSDeclaresLengthZero)
{
    ReporterRecorder boxes;
    boxes.Expect();
    std::u16string name = u"Server";
    name.resize(64, u'x');
    EXPECT_EQ(XorDecrypt(name, boxes), u"");
    ExpectOneExclamation(boxes, kMismatch);
}

TEST(XorDecrypt, MismatchGoesOnWithTheGroupsPresent)
{
    ReporterRecorder boxes;
    // Declares 9 characters but has one block of 8 groups: the message, then 8 characters.
    std::u16string encoded = XorEncrypt(Letters(8), boxes);
    encoded.replace(0, 8, u"00090048"); // key 9, 'A' ^ 9
    boxes.Expect();
    EXPECT_EQ(XorDecrypt(encoded, boxes), Letters(8));
    ExpectOneExclamation(boxes, kMismatch);
}

TEST(XorDecrypt, DecodesAtMost63Characters)
{
    ReporterRecorder boxes;
    // 64 groups declaring 64 characters: group 0 is 0x40 ^ 0x01, the others 0 ^ 0x41, all "A".
    std::u16string text = u"00400001";
    for (int i = 1; i < 64; ++i)
        text += u"00000041";
    EXPECT_EQ(XorDecrypt(text, boxes), std::u16string(63, u'A'));
    EXPECT_TRUE(boxes.Shown().empty()); // 512 characters do match 64 declared ones
}

TEST(XorDecrypt, StopsAtADecodedZero)
{
    ReporterRecorder boxes;
    std::u16string text = u"0003006200290029"; // 'a', then 0x29 ^ 0x29 = 0
    text += u"4823484000000000000000000000000000000000000000000000000000000000";
    text.resize(64, u'0');
    EXPECT_EQ(XorDecrypt(text, boxes), u"a");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(XorDecrypt, GroupsAreReadAsWcstolReadsThem)
{
    ReporterRecorder boxes;
    // " 0x1" reads as 1 after the space; "-001" reads as -1, whose low 16 bits are FFFF.
    std::u16string text = u"0001FFBE";
    text.resize(64, u'0');
    EXPECT_EQ(XorDecrypt(text, boxes), std::u16string(1, static_cast<char16_t>(0xFFBF)));
    text.replace(0, 8, u"0001-001");
    EXPECT_EQ(XorDecrypt(text, boxes), std::u16string(1, static_cast<char16_t>(0xFFFE)));
    text.replace(0, 8, u"0001 0x1");
    EXPECT_EQ(XorDecrypt(text, boxes), u""); // 1 ^ 1 = 0 ends the text
    text.replace(0, 8, u"0001zz12");
    EXPECT_EQ(XorDecrypt(text, boxes), u"\u0001"); // "zz12" has no digits: 0
}

TEST(XorDecrypt, GroupsTakeTheDigitsAndBlanksOfOtherScripts)
{
    ReporterRecorder boxes;
    // Key 1 with a value group that reads as 0x41 gives '@' (1 ^ 0x41).
    for (const std::u16string value :
         {u"００４１", u"\u3000041", u"+041", u"\u0660\u0660\u0664\u0661", u"0x41", u"4１Ａ0"}) {
        std::u16string text = u"0001" + value;
        text.resize(64, u'0');
        EXPECT_EQ(XorDecrypt(text, boxes), u"@") << ToUtf8(value);
    }
    // "0x" followed by no hex digit is the number 0; a signed length group still declares one character.
    std::u16string text = u"00010xg1";
    text.resize(64, u'0');
    EXPECT_EQ(XorDecrypt(text, boxes), u"\u0001");
    text.replace(0, 8, u"+0010041");
    EXPECT_EQ(XorDecrypt(text, boxes), u"@");
    EXPECT_TRUE(boxes.Shown().empty());
}

// The cipher of one character: key 0001, then `value` as the second half, padded to 64 units.
std::u16string OneGroup(const std::u16string& value)
{
    std::u16string text = u"0001" + value;
    text.resize(64, u'0');
    return text;
}

// What the C library's reader makes of four ASCII characters read as base 16, as a character.
char16_t StrtolOf(const std::string& half)
{
    return static_cast<char16_t>(static_cast<std::uint32_t>(std::strtol(half.c_str(), nullptr, 16)) & 0xFFFF);
}

std::u16string CharacterOf(char16_t value)
{
    return value == 0 ? std::u16string() : std::u16string(1, value);
}

// Every ASCII unit in every place of a value half reads as the C library reads it, in both widths: the
// digits directly, anything else through the full reader.
TEST(XorDecrypt, EveryAsciiUnitInEveryPlaceReadsAsStrtolReadsIt)
{
    ReporterRecorder boxes;
    for (int unit = 1; unit < 0x80; ++unit) {
        for (size_t place = 0; place < 4; ++place) {
            std::string half = "4a7F";
            half[place] = static_cast<char>(unit);
            const std::u16string expected = CharacterOf(static_cast<char16_t>(1 ^ StrtolOf(half)));
            const std::u16string text = OneGroup(FromUtf8(half));
            EXPECT_EQ(XorDecrypt(text, boxes), expected) << unit << " at " << place;
            EXPECT_EQ(XorDecryptAscii(ToUtf8(text), boxes), expected) << unit << " at " << place;
        }
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

// A unit beyond ASCII is never a plain digit, whatever its low byte: in the key half too.
TEST(XorDecrypt, UnitsBeyondAsciiAreNotReadByTheirLowByte)
{
    ReporterRecorder boxes;
    for (char16_t unit : {u'\u0130', u'\u0141', u'\u0161', u'\u0120', u'\u0139', u'\u00C1'}) {
        // The reader stops at the unit, as at any other non-digit.
        for (size_t place = 0; place < 4; ++place) {
            std::u16string half = u"4a7F";
            half[place] = unit;
            std::string stopped = "4a7F";
            stopped[place] = 'z';
            EXPECT_EQ(XorDecrypt(OneGroup(half), boxes),
                      CharacterOf(static_cast<char16_t>(1 ^ StrtolOf(stopped))))
                << int(unit) << " at " << place;
        }
        // In a key half: "00?1" reads as 0, so 0x42 stays 'B' (0x49 ^ 8 = 'A' before it).
        std::u16string text = u"000800490001004200000000";
        text.resize(64, u'0');
        text[10] = unit;
        EXPECT_EQ(XorDecrypt(text, boxes), u"AB") << int(unit);
    }
    // Every byte beyond ASCII, in every place of a group, reads in the ASCII form as its character does.
    for (int byte = 0x80; byte < 0x100; ++byte) {
        for (size_t place = 0; place < 8; ++place) {
            std::u16string text = u"00080049"
                                  u"00010042";
            text.resize(64, u'0');
            text[8 + place] = static_cast<char16_t>(byte);
            std::string bytes = ToUtf8(text);
            ASSERT_EQ(bytes.size(), 65u);
            bytes.replace(8 + place, 2, 1, static_cast<char>(byte));
            EXPECT_EQ(XorDecryptAscii(bytes, boxes), XorDecrypt(text, boxes)) << byte << " at " << place;
        }
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(XorDecrypt, MixedCaseGroupsDecodeLikeUpperCase)
{
    ReporterRecorder boxes;
    // 0x0008 ^ 0xABCD = 0xABC5, 0x1234 ^ 0xABCD = 0xB9F9, 0xa5A5 ^ 0xFfFf = 0x5A5A; then a zero.
    std::u16string text = u"0008aBcD1234aBcDa5A5FfFf";
    text.resize(64, u'0');
    EXPECT_EQ(XorDecrypt(text, boxes), u"\uABC5\uB9F9\u5A5A");
    EXPECT_EQ(XorDecryptAscii(ToUtf8(text), boxes), u"\uABC5\uB9F9\u5A5A");
    EXPECT_TRUE(boxes.Shown().empty());
}

// The ASCII forms, which the server list uses on its file's bytes, give what the text forms give: the
// same keys from the same draws, the same plain text and the same refusals.
TEST(XorAscii, EncryptDrawsTheSameKeysAsTheTextForm)
{
    ReporterRecorder boxes;
    for (size_t length : {size_t{0}, size_t{1}, size_t{8}, size_t{9}, size_t{63}}) {
        CrtResetRandom();
        const std::u16string text = XorEncrypt(Letters(length), boxes);
        CrtResetRandom();
        std::string ascii = "left over";
        XorEncryptAscii(Letters(length), boxes, ascii);
        EXPECT_EQ(ToUtf8(text), ascii) << length;
    }
    EXPECT_TRUE(boxes.Shown().empty());
    std::string ascii = "left over";
    boxes.Expect();
    XorEncryptAscii(Letters(64), boxes, ascii);
    EXPECT_EQ(ascii, "");
    ExpectOneExclamation(boxes, kTooLong);
}

TEST(XorAscii, DecryptReadsWhatTheTextFormReads)
{
    std::u16string plain = u"服务器一";
    plain += Letters(40);
    ReporterRecorder boxes;
    const std::u16string cipher = XorEncrypt(plain, boxes);
    std::u16string lower = cipher;
    for (char16_t& c : lower)
        c = c >= u'A' && c <= u'F' ? static_cast<char16_t>(c + 0x20) : c;
    std::u16string signedGroups = u"0001+041"; // goes through the full reader
    signedGroups.resize(64, u'0');
    // Eight characters fill 64 units; what follows a zero unit is not read.
    std::u16string cutAtZero = XorEncrypt(Letters(8), boxes);
    cutAtZero += u'\0';
    cutAtZero += cipher;
    for (const std::u16string& text : {cipher, lower, signedGroups, cutAtZero})
        EXPECT_EQ(XorDecryptAscii(ToUtf8(text), boxes), XorDecrypt(text, boxes));
    EXPECT_EQ(XorDecryptAscii(ToUtf8(cipher), boxes), plain);
    EXPECT_EQ(XorDecryptAscii(ToUtf8(cutAtZero), boxes), Letters(8));
    EXPECT_TRUE(boxes.Shown().empty());
    boxes.Expect();
    EXPECT_EQ(XorDecryptAscii(std::string(63, '0'), boxes), u"");
    ExpectOneExclamation(boxes, kUnder64);
}

TEST(XorDecrypt, DecodesQuietlyWhenAndOnlyWhenDecodingReportsNothing)
{
    ReporterRecorder boxes;
    std::u16string mismatch = XorEncrypt(Letters(9), boxes);
    mismatch.replace(0, 4, u"0001"); // declares one character where two rounds of groups follow
    std::u16string zeroInside = XorEncrypt(Letters(3), boxes);
    zeroInside += u'\0';
    zeroInside += u"short";
    const std::u16string texts[] = {u"",
                                    std::u16string(63, u'0'),
                                    std::u16string(65, u'0'),
                                    std::u16string(520, u'0'),
                                    std::u16string(64, u'0'),
                                    XorEncrypt(Letters(63), boxes),
                                    mismatch,
                                    zeroInside,
                                    u"PlainName"};
    for (const std::u16string& text : texts) {
        boxes.Clear();
        boxes.Expect(IDOK, 2);
        XorDecrypt(text, boxes);
        XorDecryptAscii(ToUtf8(text), boxes);
        const bool reported = !boxes.Shown().empty();
        std::u16string quiet = u"untouched";
        EXPECT_EQ(XorDecryptQuietly(text, quiet), !reported) << ToUtf8(text);
        EXPECT_EQ(quiet, reported ? u"untouched" : XorDecrypt(text, boxes)) << ToUtf8(text);
        std::u16string quietAscii = u"untouched";
        EXPECT_EQ(XorDecryptAsciiQuietly(ToUtf8(text), quietAscii), !reported) << ToUtf8(text);
        EXPECT_EQ(quietAscii, quiet) << ToUtf8(text);
    }
}

// The plain form takes only well-formed texts of plain digits, and gives for them what the full reader
// gives; every other text, however close, is left to the full reader.
TEST(XorDecrypt, ThePlainFormDecodesWhatTheFullReaderDecodesOrLeavesIt)
{
    ReporterRecorder boxes;
    std::string lower = ToUtf8(XorEncrypt(Letters(12), boxes));
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string zeroChar = ToUtf8(XorEncrypt(Letters(9), boxes));
    zeroChar.replace(36, 4, zeroChar.substr(32, 4)); // the fifth character XORs to zero
    std::string mismatch = ToUtf8(XorEncrypt(Letters(9), boxes));
    mismatch.replace(0, 4, "0001");
    std::string blank = ToUtf8(XorEncrypt(Letters(5), boxes));
    blank[6] = ' ';
    std::string zeroByte = ToUtf8(XorEncrypt(Letters(5), boxes));
    zeroByte[20] = '\0';
    const std::string decoded[] = {ToUtf8(XorEncrypt(Letters(1), boxes)),
                                   ToUtf8(XorEncrypt(Letters(63), boxes)), lower, zeroChar};
    for (const std::string& text : decoded) {
        std::u16string plain = u"untouched";
        EXPECT_TRUE(XorDecryptPlainQuietly(text, plain)) << text;
        EXPECT_EQ(plain, XorDecryptAscii(text, boxes)) << text;
    }
    EXPECT_EQ(XorDecryptAscii(zeroChar, boxes), Letters(4));
    const std::string left[] = {
        "",       std::string(56, '0'), std::string(520, '0'), std::string(72, '0') + "0", mismatch, blank,
        zeroByte, "PlainName"};
    for (const std::string& text : left) {
        std::u16string plain = u"untouched";
        EXPECT_FALSE(XorDecryptPlainQuietly(text, plain)) << text;
        EXPECT_EQ(plain, u"untouched");
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(XorAscii, EncryptingInPlaceDrawsAndWritesWhatTheStringFormDoes)
{
    ReporterRecorder boxes;
    for (size_t length : {size_t{1}, size_t{7}, size_t{8}, size_t{9}, size_t{33}, size_t{63}}) {
        std::u16string text = Letters(length);
        text[0] = u'中';
        CrtResetRandom();
        std::string expected;
        XorEncryptAscii(text, boxes, expected);
        EXPECT_EQ(XorTextLength(text), expected.size()) << length;
        CrtResetRandom();
        std::string place(expected.size() + 1, '#');
        XorEncryptAsciiTo(text, place.data());
        EXPECT_EQ(place, expected + "#") << length;
    }
    // Nothing to write for an empty text, a text cut at its first zero unit to nothing, or a refused one.
    std::u16string zeroFirst(5, u'a');
    zeroFirst[0] = u'\0';
    for (const std::u16string& text : {std::u16string(), zeroFirst, Letters(64)}) {
        EXPECT_EQ(XorTextLength(text), 0u);
        std::string place = "untouched";
        XorEncryptAsciiTo(text, place.data());
        EXPECT_EQ(place, "untouched");
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

} // namespace
