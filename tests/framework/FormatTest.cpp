#include "framework/Format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using Values = std::vector<FormatValue>;

FormatValue Int(std::int64_t value)
{
    return FormatValue(value);
}

FormatValue Text(const char16_t* value)
{
    return FormatValue(std::u16string(value));
}

TEST(Format, TextAndPercent)
{
    EXPECT_EQ(FormatW(u"plain", {}), u"plain");
    EXPECT_EQ(FormatW(u"[%s]", {Text(u"游戏")}), u"[游戏]");
    EXPECT_EQ(FormatW(u"%s-%s", {Text(u"a"), Text(u"b")}), u"a-b");
    EXPECT_EQ(FormatW(u"100%%", {}), u"100%");
    EXPECT_EQ(FormatW(u"%%s", {Text(u"x")}), u"%s");
}

TEST(Format, Decimal32TakesLowBits)
{
    EXPECT_EQ(FormatW(u"%d.", {Int(42)}), u"42.");
    EXPECT_EQ(FormatW(u"%d", {Int(-5)}), u"-5");
    EXPECT_EQ(FormatW(u"%d", {Int(0)}), u"0");
    EXPECT_EQ(FormatW(u"%d", {Int(0xFFFFFFFFLL)}), u"-1");
    EXPECT_EQ(FormatW(u"%d", {Int(549755813887LL)}), u"-1");
    EXPECT_EQ(FormatW(u"%d", {Int(std::numeric_limits<std::int32_t>::min())}), u"-2147483648");
}

TEST(Format, Decimal64)
{
    EXPECT_EQ(FormatW(u"%I64d", {Int(5033164800LL)}), u"5033164800");
    EXPECT_EQ(FormatW(u"%I64d", {Int(-16777216)}), u"-16777216");
    EXPECT_EQ(FormatW(u"%I64d", {Int(std::numeric_limits<std::int64_t>::max())}), u"9223372036854775807");
    EXPECT_EQ(FormatW(u"%I64d", {Int(std::numeric_limits<std::int64_t>::min())}), u"-9223372036854775808");
}

TEST(Format, UpperCaseHexadecimal)
{
    EXPECT_EQ(FormatW(u"%04X%04X", {Int(3), Int(0x62)}), u"00030062");
    EXPECT_EQ(FormatW(u"%04X", {Int(0xABCDE)}), u"ABCDE");
    EXPECT_EQ(FormatW(u"%02X", {Int(0x0F)}), u"0F");
    EXPECT_EQ(FormatW(u"%02X", {Int(0xD4)}), u"D4");
    EXPECT_EQ(FormatW(u"%X", {Int(0xBEEF)}), u"BEEF");
    EXPECT_EQ(FormatW(u"%X", {Int(-1)}), u"FFFFFFFF");
}

TEST(Format, WidthAndAlignment)
{
    EXPECT_EQ(FormatW(u"%5d|", {Int(-42)}), u"  -42|");
    EXPECT_EQ(FormatW(u"%05d|", {Int(-42)}), u"-0042|");
    EXPECT_EQ(FormatW(u"%-4s|", {Text(u"ab")}), u"ab  |");
}

TEST(Format, MissingValuesStandForNothing)
{
    EXPECT_EQ(FormatW(u"a%sb%dc", {}), u"abc");
    EXPECT_EQ(FormatW(u"%s,%s", {Text(u"x")}), u"x,");
}

TEST(Format, UnknownConversionStaysAsWritten)
{
    EXPECT_EQ(FormatW(u"50%", {}), u"50%");
    EXPECT_EQ(FormatW(u"%q%s", {Text(u"x")}), u"%qx");
}

TEST(Format, NumberForTextIsShownInDecimal)
{
    EXPECT_EQ(FormatW(u"%s", {Int(12)}), u"12");
}

} // namespace
