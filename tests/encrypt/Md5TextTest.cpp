#include "encrypt/Md5Text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

TEST(Md5Hex, WorkedExamples)
{
    EXPECT_EQ(Md5Hex(u""), u"D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(Md5Hex(u"abc"), u"900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(Md5Hex(u"中文"), u"BCCE109775E8E1972E9F5FCDA3E12895");
    EXPECT_EQ(Md5Hex(std::u16string(64, u'a')), u"FDBB18A4BC912050C64979D90FB1D1B5");
}

TEST(Md5Hex, LengthsOtherThanMultiplesOf64FollowRfc1321)
{
    // Digests of runs of the letter a, as RFC 1321 computes them.
    EXPECT_EQ(Md5Hex(std::u16string(55, u'a')), u"EF1772B6DFF9A122358552954AD0DF65");
    EXPECT_EQ(Md5Hex(std::u16string(56, u'a')), u"3B0C8AC703F828B04C6C197006D17218");
    EXPECT_EQ(Md5Hex(std::u16string(63, u'a')), u"B06521F39153D618550606BE297466D5");
    EXPECT_EQ(Md5Hex(std::u16string(65, u'a')), u"C743A45E0D2E6A95CB859ADAE0248435");
    EXPECT_EQ(Md5Hex(u"The quick brown fox jumps over the lazy dog"), u"9E107D9D372BB6826BD81D3542A419D6");
}

TEST(Md5Hex, MessagesOfSeveralBlocksFollowRfc1321)
{
    // A full block before a tail that leaves room for the length (119), one that does not (120), and
    // tails of one block less a byte and of two bytes.
    EXPECT_EQ(Md5Hex(std::u16string(119, u'a')), u"8A7BD0732ED6A28CE75F6DABC90E1613");
    EXPECT_EQ(Md5Hex(std::u16string(120, u'a')), u"5F61C0CCAD4CAC44C75FF505E1F1E537");
    EXPECT_EQ(Md5Hex(std::u16string(127, u'a')), u"020406E1D05CDC2AA287641F7AE2CC39");
    EXPECT_EQ(Md5Hex(std::u16string(130, u'a')), u"E016E4CCC7FDAEA56FC377600B58C4CB");
    EXPECT_EQ(Md5Hex(std::u16string(200, u'a')), u"887F30B43B2867F4A9ACCCEEE7D16E6C");
    // Sixty Chinese characters: 120 bytes in code page 936.
    std::u16string chinese;
    for (int i = 0; i < 20; ++i)
        chinese += u"服务器";
    EXPECT_EQ(Md5Hex(chinese), u"FA9E72669CCE12070D8238E1ED156705");
}

TEST(Md5Hex, MultiplesOf64DifferFromRfc1321)
{
    EXPECT_NE(Md5Hex(std::u16string(64, u'a')), u"014842D480B571495A4A0363793F7367");
    EXPECT_NE(Md5Hex(std::u16string(128, u'a')), u"E510683B3F5FFE4093D021808BC6FF70");
    EXPECT_EQ(Md5Hex(std::u16string(128, u'a')), u"303162C8A349D3E30899F30073371F62");
    EXPECT_NE(Md5Hex(std::u16string(128, u'a')), Md5Hex(std::u16string(127, u'a')));
    // 32 Chinese characters make 64 bytes: the same special last block.
    EXPECT_NE(Md5Hex(std::u16string(32, u'中')), Md5Hex(std::u16string(31, u'中')));
}

TEST(Md5Hex, AlwaysThirtyTwoUpperCaseDigits)
{
    for (const std::u16string& text :
         {std::u16string(u"x"), std::u16string(u"服务器一"), std::u16string(200, u'z')}) {
        const std::u16string digest = Md5Hex(text);
        ASSERT_EQ(digest.size(), 32u);
        for (char16_t c : digest)
            EXPECT_TRUE((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'));
    }
}

TEST(Md5Hex, CaseIsNotNormalised)
{
    EXPECT_NE(Md5Hex(u"Server"), Md5Hex(u"server"));
}

TEST(Md5Hex, MessageEndsAtTheFirstZeroByte)
{
    std::u16string text = u"abc";
    text.push_back(u'\0');
    text += u"def";
    EXPECT_EQ(Md5Hex(text), Md5Hex(u"abc"));
}

TEST(Md5Hex, UnrepresentableCharactersBecomeTheDefaultCharacter)
{
    EXPECT_EQ(Md5Hex(u"a\U0001F600"), Md5Hex(u"a??"));
}

} // namespace

TEST(Md5Hex, TextsSideBySideGiveTheDigestsOfEachAloneInEveryWay)
{
    // Lanes of one, two, three and more blocks side by side, a message of whole blocks, a zero byte
    // inside, and texts too long for a lane.
    std::u16string withZero = u"abc";
    withZero.push_back(u'\0');
    withZero += u"def";
    const std::vector<std::u16string> texts = {
        u"",
        std::u16string(55, u'a'),
        std::u16string(56, u'a'),
        std::u16string(64, u'a'),
        std::u16string(119, u'b'),
        std::u16string(120, u'b'),
        std::u16string(128, u'中'),
        std::u16string(129, u'中'),
        std::u16string(300, u'z'),
        withZero,
        u"电信服务器1号xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
        u"a\U0001F600",
    };
    for (EMd5Way way : Md5WaysHere()) {
        SetMd5WayForTests(way);
        for (size_t first = 0; first < texts.size(); ++first) {
            std::array<std::u16string_view, kMd5Lanes> batch;
            for (size_t lane = 0; lane < kMd5Lanes; ++lane)
                batch[lane] = texts[(first + lane * 5) % texts.size()];
            std::array<tagMd5Hex, kMd5Lanes> digests;
            Md5HexDigitsOf(batch, digests);
            for (size_t lane = 0; lane < kMd5Lanes; ++lane)
                EXPECT_EQ(digests[lane].View(), Md5Hex(batch[lane]))
                    << "lane " << lane << " of batch " << first << ", way " << static_cast<int>(way);
        }
    }
    SetMd5WayForTests(std::nullopt);
}

TEST(Md5Hex, DigitsInPlaceAreTheDigestsText)
{
    for (const std::u16string& text : {std::u16string(u"abc"), std::u16string(200, u'中')})
        EXPECT_EQ(Md5HexDigits(text).View(), Md5Hex(text));
    EXPECT_EQ(Md5HexDigits(u"").View(), u"D41D8CD98F00B204E9800998ECF8427E");
}
