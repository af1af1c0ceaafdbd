#include "framework/HexRun.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// What a plain reading gives: the value of every pair, or nothing when a byte is no digit.
std::optional<std::vector<std::uint8_t>> ExpectedBytes(const std::string& digits)
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
    std::vector<std::uint8_t> bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        const int high = value(digits[i]), low = value(digits[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadBytes(const std::string& digits)
{
    std::vector<std::uint8_t> bytes(digits.size() / 2);
    if (!ReadHexBytes(digits.data(), bytes.size(), bytes.data()))
        return std::nullopt;
    return bytes;
}

// Lengths around the blocks of sixteen digits that go through vector instructions, and the rest after.
const std::vector<size_t> kDigitCounts = {0, 2, 8, 14, 16, 18, 30, 32, 34, 48, 62, 64, 66, 512};

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
        // 72 digits: whole blocks of sixteen, thirty-two or sixty-four, then eight read one pair at a time.
        for (size_t place = 0; place < 72; ++place) {
            for (int byte = 0; byte < 256; ++byte) {
                std::string digits = SomeDigits(72);
                digits[place] = static_cast<char>(byte);
                ASSERT_EQ(ReadBytes(digits), ExpectedBytes(digits)) << "byte " << byte << " at " << place;
            }
        }
    });
}

TEST_F(HexRun, BytesWrittenReadBackAtEveryLength)
{
    ForEachWay([&] {
        for (size_t count : kDigitCounts) {
            std::vector<std::uint8_t> bytes(count / 2);
            for (size_t i = 0; i < bytes.size(); ++i)
                bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
            std::string digits(count, '\0');
            WriteHexBytes(bytes.data(), bytes.size(), digits.data());
            EXPECT_EQ(digits.find_first_not_of("0123456789ABCDEF"), std::string::npos) << digits;
            EXPECT_EQ(ReadBytes(digits), bytes) << count;
        }
    });
}

TEST_F(HexRun, EveryByteValueIsWrittenAsTwoCapitalDigits)
{
    ForEachWay([&] {
        std::vector<std::uint8_t> bytes(256);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i);
        std::string digits(512, '\0');
        WriteHexBytes(bytes.data(), bytes.size(), digits.data());
        for (size_t i = 0; i < bytes.size(); ++i) {
            char expected[3];
            std::snprintf(expected, sizeof expected, "%02X", static_cast<unsigned>(i));
            ASSERT_EQ(digits.substr(2 * i, 2), expected) << i;
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
