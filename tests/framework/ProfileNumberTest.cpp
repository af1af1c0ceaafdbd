#include "framework/PrivateProfile.h"
#include "framework/ProfileFile.h"
#include "framework/ProfileNumber.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(ProfileNumber, OneSignThenAsciiDigits)
{
    EXPECT_EQ(ReadProfileNumber(u"42abc"), 42u);
    EXPECT_EQ(ReadProfileNumber(u"017"), 17u);
    EXPECT_EQ(ReadProfileNumber(u"+7"), 7u);
    EXPECT_EQ(ReadProfileNumber(u"abc"), 0u);
    EXPECT_EQ(ReadProfileNumber(u""), 0u);
    EXPECT_EQ(ReadProfileNumber(u"--5"), 0u);
    EXPECT_EQ(ReadProfileNumber(u"- 5"), 0u);
    // Unlike the C runtime's reading: no other script's digits, no white space before the number.
    EXPECT_EQ(ReadProfileNumber(u"１２"), 0u);
    EXPECT_EQ(ReadProfileNumber(u"\u30005"), 0u);
    EXPECT_EQ(ReadProfileNumber(u"1２"), 1u);
}

TEST(ProfileNumber, LowerCasePrefixesChooseTheBase)
{
    EXPECT_EQ(ReadProfileNumber(u"0x1F"), 31u);
    EXPECT_EQ(ReadProfileNumber(u"0xfFg"), 255u);
    EXPECT_EQ(ReadProfileNumber(u"0o17"), 15u);
    EXPECT_EQ(ReadProfileNumber(u"0o8"), 0u);
    EXPECT_EQ(ReadProfileNumber(u"0b1012"), 5u);
    EXPECT_EQ(ReadProfileNumber(u"-0x10"), 0xFFFFFFF0u);
    EXPECT_EQ(ReadProfileNumber(u"0x"), 0u);
    EXPECT_EQ(ReadProfileNumber(u"0X10"), 0u);
    EXPECT_EQ(ReadProfileNumber(u"0O17"), 0u);
    EXPECT_EQ(ReadProfileNumber(u"0"), 0u);
}

TEST(ProfileNumber, WrapsModulo2To32)
{
    EXPECT_EQ(ReadProfileNumber(u"4294967295"), 4294967295u);
    EXPECT_EQ(ReadProfileNumber(u"4294967297"), 1u);
    EXPECT_EQ(ReadProfileNumber(u"99999999999999999999"), 1661992959u);
    EXPECT_EQ(ReadProfileNumber(u"-5"), 4294967291u);
    EXPECT_EQ(ReadProfileNumber(u"-4294967296"), 0u);
    EXPECT_EQ(ReadProfileNumber(u"0x123456789"), 0x23456789u);
}

// The platform function returns the bits unsigned; the document's count is their signed view.
TEST(ProfileNumber, UnsignedFromThePlatformFunctionSignedFromTheDocument)
{
    TempDir dir;
    dir.Write("t.ini", "[S]\r\na=4294967295\r\nb=3000000000\r\nc=-5\r\nd = 4294967297 \r\ne=\"0x10\"\r\n");
    const std::u16string path = dir.FileW(u"t.ini");
    CProfileDocument document;
    ASSERT_FALSE(document.Load(path).Failed());

    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"a", 0, path), 4294967295u);
    EXPECT_EQ(document.GetInt(u"S", u"a", 0), -1);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"b", 0, path), 3000000000u);
    EXPECT_EQ(document.GetInt(u"S", u"b", 0), -1294967296);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"c", 0, path), 4294967291u);
    EXPECT_EQ(document.GetInt(u"S", u"c", 0), -5);
    EXPECT_EQ(document.GetInt(u"S", u"d", 0), 1);
    EXPECT_EQ(document.GetInt(u"S", u"e", 0), 16);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"missing", -2, path), 4294967294u);
    EXPECT_EQ(document.GetInt(u"S", u"missing", -2), -2);
}

} // namespace
