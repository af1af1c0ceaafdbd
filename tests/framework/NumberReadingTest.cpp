#include "framework/NumberReading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();

TEST(NumberReading, ReadsDecimalWithSignAndLeadingSpace)
{
    EXPECT_EQ(WcsToLong(u"123", 10), 123);
    EXPECT_EQ(WcsToLong(u"  \t\n42", 10), 42);
    EXPECT_EQ(WcsToLong(u"-17", 10), -17);
    EXPECT_EQ(WcsToLong(u"+17", 10), 17);
    EXPECT_EQ(WcsToLong(u"007", 10), 7);
}

TEST(NumberReading, StopsAtFirstOtherCharacter)
{
    EXPECT_EQ(WcsToLong(u"12abc", 10), 12);
    EXPECT_EQ(WcsToLong(u"1.2.3.4", 10), 1);
    EXPECT_EQ(WcsToLong(u"3 4", 10), 3);
    EXPECT_EQ(WcsToLong(u"- 5", 10), 0);
    EXPECT_EQ(WcsToLong(u"--5", 10), 0);
    EXPECT_EQ(WcsToLong(u"12A", 10), 12);
}

TEST(NumberReading, NoDigitsReadsAsZero)
{
    EXPECT_EQ(WcsToLong(u"", 10), 0);
    EXPECT_EQ(WcsToLong(u"abc", 10), 0);
    EXPECT_EQ(WcsToLong(u"-", 10), 0);
    EXPECT_EQ(WcsToLongLong(u"   ", 10), 0);
}

TEST(NumberReading, StopsAtZeroUnit)
{
    EXPECT_EQ(WcsToLong(std::u16string_view(u"12\0"
                                            u"34",
                                            5),
                        10),
              12);
    EXPECT_EQ(WcsToLongLong(std::u16string_view(u"\0"
                                                u"99",
                                                3),
                            10),
              0);
}

TEST(NumberReading, ClampsTo32Bits)
{
    EXPECT_EQ(WcsToLong(u"2147483647", 10), kMax32);
    EXPECT_EQ(WcsToLong(u"2147483648", 10), kMax32);
    EXPECT_EQ(WcsToLong(u"-2147483648", 10), kMin32);
    EXPECT_EQ(WcsToLong(u"-2147483649", 10), kMin32);
    EXPECT_EQ(WcsToLong(u"99999999999999999999999", 10), kMax32);
    EXPECT_EQ(WcsToLong(u"-99999999999999999999999", 10), kMin32);
    EXPECT_EQ(WcsToLong(u"FFFFFFFF", 16), kMax32);
    EXPECT_EQ(WcsToLong(u"-80000000", 16), kMin32);
}

TEST(NumberReading, ClampsTo64Bits)
{
    EXPECT_EQ(WcsToLongLong(u"4294967296", 10), 4294967296LL);
    EXPECT_EQ(WcsToLongLong(u"9223372036854775807", 10), kMax64);
    EXPECT_EQ(WcsToLongLong(u"9223372036854775808", 10), kMax64);
    EXPECT_EQ(WcsToLongLong(u"99999999999999999999", 10), kMax64);
    EXPECT_EQ(WcsToLongLong(u"-9223372036854775808", 10), kMin64);
    EXPECT_EQ(WcsToLongLong(u"-9223372036854775809", 10), kMin64);
    EXPECT_EQ(WcsToLongLong(u"-1", 10), -1);
    EXPECT_EQ(WcsToLongLong(u"-01", 10), -1);
}

TEST(NumberReading, ReadsHexadecimalInEitherCase)
{
    EXPECT_EQ(WcsToLong(u"00FF", 16), 255);
    EXPECT_EQ(WcsToLong(u"00ff", 16), 255);
    EXPECT_EQ(WcsToLong(u"aBcD", 16), 0xABCD);
    EXPECT_EQ(WcsToLong(u"12G4", 16), 0x12);
    EXPECT_EQ(WcsToLong(u"-FFF", 16), -0xFFF);
    EXPECT_EQ(WcsToLong(u" 1F", 16), 0x1F);
}

TEST(NumberReading, HexPrefixOnlyWhenHexDigitFollows)
{
    EXPECT_EQ(WcsToLong(u"0x1F", 16), 0x1F);
    EXPECT_EQ(WcsToLong(u"0X1f", 16), 0x1F);
    EXPECT_EQ(WcsToLong(u"-0x10", 16), -16);
    EXPECT_EQ(WcsToLong(u"0x", 16), 0);
    EXPECT_EQ(WcsToLong(u"0xG1", 16), 0);
    // In base 10 the "x" simply ends the number.
    EXPECT_EQ(WcsToLong(u"0x12", 10), 0);
    EXPECT_EQ(WcsToLong(u"10x12", 10), 10);
}

} // namespace
