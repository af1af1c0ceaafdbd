#include "framework/HexRun.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// What a plain reading gives: the value of every four digits, or nothing when a byte is no digit.
std::optional<std::vector<std::uint16_t>> ExpectedUnits(const std::string& digits)
{
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    std::vector<std::uint16_t> units;
    for (size_t i = 0; i + 3 < digits.size(); i += 4) {
        int unit = 0;
        for (size_t k = 0; k < 4; ++k) {
            const int digit = value(digits[i + k]);
            if (digit < 0)
                return std::nullopt;
            unit = unit << 4 | digit;
        }
        units.push_back(static_cast<std::uint16_t>(unit));
    }
    return units;
}

std::optional<std::vector<std::uint16_t>> ReadUnits(const std::string& digits)
{
    std::vector<std::uint16_t> units(digits.size() / 4);
    if (!ReadHexUnits(digits.data(), units.size(), units.data()))
        return std::nullopt;
    return units;
}

// Lengths around the blocks of sixteen, thirty-two and sixty-four digits that go through vector
// instructions, and the rest after.
const std::vector<size_t> kDigitCounts = {0, 4, 8, 12, 16, 20, 32, 36, 48, 60, 64, 68, 512};

std::string SomeDigits(size_t count)
{
    static const std::string kAll = "0123456789ABCDEFabcdef";
    std::string digits;
    for (size_t i = 0; i < count; ++i)
        digits += kAll[(i * 7 + 3) % kAll.size()];
    return digits;
}

// Every test runs once for each way the machine has: the widest is what the program uses, and the others
// must give the same results.
class HexRun : public ::testing::Test
{
protected:
    void TearDown() override { SetHexWayForTests(std::nullopt); }

    template <typename Check> void ForEachWay(Check check)
    {
        for (EHexWay way : HexWaysHere()) {
            SCOPED_TRACE("way " + std::to_string(static_cast<int>(way)));
            SetHexWayForTests(way);
            check();
        }
    }
};

} // namespace

TEST_F(HexRun, EveryByteInEveryPlaceOfABlockAndOfTheRestReadsAsAPlainReadingDoes)
{
    ForEachWay([&] {
        // 72 digits: whole blocks of sixteen, thirty-two or sixty-four, then eight read one unit at a time.
        for (size_t place = 0; place < 72; ++place) {
            for (int byte = 0; byte < 256; ++byte) {
                std::string digits = SomeDigits(72);
                digits[place] = static_cast<char>(byte);
                ASSERT_EQ(ReadUnits(digits), ExpectedUnits(digits)) << "byte " << byte << " at " << place;
            }
        }
    });
}

TEST_F(HexRun, UnitsWrittenReadBackAtEveryLength)
{
    ForEachWay([&] {
        for (size_t count : kDigitCounts) {
            std::vector<std::uint16_t> units(count / 4);
            for (size_t i = 0; i < units.size(); ++i)
                units[i] = static_cast<std::uint16_t>(i * 4099 + 11);
            std::string digits(count, '\0');
            WriteHexUnits(units.data(), units.size(), digits.data());
            EXPECT_EQ(digits.find_first_not_of("0123456789ABCDEF"), std::string::npos) << digits;
            EXPECT_EQ(ReadUnits(digits), units) << count;
        }
    });
}

TEST_F(HexRun, EveryByteValueIsWrittenAsTwoCapitalDigits)
{
    ForEachWay([&] {
        // Every byte value as the high byte of one unit and the low byte of another.
        std::vector<std::uint16_t> units(256);
        for (size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<std::uint16_t>(i << 8 | (255 - i));
        std::string digits(4 * units.size(), '\0');
        WriteHexUnits(units.data(), units.size(), digits.data());
        for (size_t i = 0; i < units.size(); ++i) {
            char expected[5];
            std::snprintf(expected, sizeof expected, "%04X", static_cast<unsigned>(units[i]));
            ASSERT_EQ(digits.substr(4 * i, 4), expected) << i;
        }
    });
}

TEST_F(HexRun, UnitsAreFourDigitsWithTheHighByteFirst)
{
    ForEachWay([&] {
        // Twenty units: whole blocks of every width, and some left for one at a time.
        const std::vector<std::uint16_t> units = {0x0000, 0x00FF, 0xFF00, 0x1234, 0xABCD, 0xFFFF, 0x8001,
                                                  0x7FFE, 0x4E2D, 0x0F0F, 0xF0F0, 0x0001, 0x1000, 0xBEEF,
                                                  0xCAFE, 0x9999, 0xAAAA, 0x5555, 0x00A0, 0x0A00};
        for (size_t count = 0; count <= units.size(); ++count) {
            std::string digits(4 * count, '\0');
            WriteHexUnits(units.data(), count, digits.data());
            std::string expected;
            for (size_t i = 0; i < count; ++i) {
                char text[5];
                std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(units[i]));
                expected += text;
            }
            ASSERT_EQ(digits, expected) << count;
            std::vector<std::uint16_t> back(count);
            ASSERT_TRUE(ReadHexUnits(digits.data(), count, back.data()));
            EXPECT_EQ(back,
                      std::vector<std::uint16_t>(units.begin(), units.begin() + static_cast<long>(count)));
        }
    });
}

TEST_F(HexRun, UnitsReadLowerCaseAndRefuseAnyOtherByte)
{
    ForEachWay([&] {
        std::uint16_t unit[1];
        ASSERT_TRUE(ReadHexUnits("abcd", 1, unit));
        EXPECT_EQ(unit[0], 0xABCD);
        // In blocks of sixteen, thirty-two and sixty-four digits, and in the rest after them.
        for (size_t place : {size_t{0}, size_t{7}, size_t{15}, size_t{17}, size_t{31}, size_t{33}, size_t{63},
                             size_t{65}, size_t{71}}) {
            for (char bad : {'g', 'G', ' ', '-', 'x', '\0', '/', ':', '@', '`'}) {
                std::string digits = SomeDigits(72);
                digits[place] = bad;
                std::vector<std::uint16_t> units(18);
                EXPECT_FALSE(ReadHexUnits(digits.data(), units.size(), units.data()))
                    << bad << " at " << place;
            }
        }
    });
}
