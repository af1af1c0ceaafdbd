#include "framework/NumberReading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>

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

TEST(NumberReading, ReadsTheDigitsOfOtherScripts)
{
    EXPECT_EQ(WcsToLong(u"１２３", 10), 123);
    EXPECT_EQ(WcsToLong(u"\u3000-４２", 10), -42);
    EXPECT_EQ(WcsToLong(u"\u00A0\u2000+\u0661\u06623", 10), 123);
    EXPECT_EQ(WcsToLong(u"１.２", 10), 1);
    EXPECT_EQ(WcsToLong(u"-\u30005", 10), 0);
    EXPECT_EQ(WcsToLong(u"９９９９９９９９９９９", 10), kMax32);
    EXPECT_EQ(WcsToLongLong(u"－５", 10), 0); // the full-width minus is no sign
}

TEST(NumberReading, FullWidthLettersAreNoHexDigits)
{
    EXPECT_EQ(WcsToLong(u"ｆ", 16), 0);
    EXPECT_EQ(WcsToLong(u"１Ａ", 16), 1);
    EXPECT_EQ(WcsToLong(u"１Ｆ２", 16), 1);
    EXPECT_EQ(WcsToLong(u"０ｘ１Ｆ", 16), 0);
    EXPECT_EQ(WcsToLong(u"0x１F", 16), 0x1F);
}

// One line of the C runtime's table: the unit's value in base 10 and 16 (-1: none), and whether it is
// skipped before a number.
struct tagListedUnit
{
    int decimal = -1;
    int hex = -1;
    bool space = false;
};

int ListedValue(const std::string& field)
{
    return field == "-" ? -1 : std::stoi(field);
}

std::map<char16_t, tagListedUnit> ReadWcstolTable()
{
    const std::string path = std::string(KORVANE_SOURCE_DIR) + "/framework/crt/wcstol.tsv";
    std::ifstream in(path);
    EXPECT_TRUE(in) << "cannot open " << path;
    std::map<char16_t, tagListedUnit> units;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string unit, decimal, hex, space;
        std::getline(fields, unit, '\t');
        std::getline(fields, decimal, '\t');
        std::getline(fields, hex, '\t');
        std::getline(fields, space, '\t');
        units[static_cast<char16_t>(std::stoul(unit, nullptr, 16))] = {ListedValue(decimal), ListedValue(hex),
                                                                       space == "1"};
    }
    return units;
}

// Read inside a number ("1", unit, "2") and before one (unit, "-3"), in base 10 and 16.
void ExpectReadAs(char16_t unit, const tagListedUnit& listed)
{
    const std::u16string one(1, unit);
    for (const int base : {10, 16}) {
        const int value = base == 10 ? listed.decimal : listed.hex;
        const int inside = value >= 0 ? base * base + value * base + 2 : 1;
        const int before = listed.space ? -3 : (value >= 0 ? value : 0);
        ASSERT_EQ(WcsToLong(u"1" + one + u"2", base), inside)
            << std::hex << "unit " << static_cast<unsigned>(unit) << " base " << std::dec << base;
        ASSERT_EQ(WcsToLongLong(one + u"-3", base), before)
            << std::hex << "unit " << static_cast<unsigned>(unit) << " base " << std::dec << base;
    }
}

TEST(NumberReading, EveryListedUnitReadsAsTheTableSays)
{
    const auto units = ReadWcstolTable();
    ASSERT_GT(units.size(), 200u);
    ASSERT_EQ(units.count(u'\u3000'), 1u);
    EXPECT_TRUE(units.at(u'\u3000').space);
    for (const auto& [unit, listed] : units)
        ASSERT_NO_FATAL_FAILURE(ExpectReadAs(unit, listed));
}

TEST(NumberReading, UnlistedUnitsEndTheNumberAndAreNotSkipped)
{
    const auto units = ReadWcstolTable();
    ASSERT_GT(units.size(), 200u);
    for (std::uint32_t u = 0; u <= 0xFFFF; ++u) {
        const auto unit = static_cast<char16_t>(u);
        if (units.count(unit) == 0) {
            ASSERT_NO_FATAL_FAILURE(ExpectReadAs(unit, tagListedUnit{}));
        }
    }
}

} // namespace
