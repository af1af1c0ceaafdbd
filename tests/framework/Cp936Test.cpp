#include "framework/Cp936.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kTableDir = std::string(KORVANE_SOURCE_DIR) + "/framework/cp936/";

std::vector<std::vector<std::string>> ReadTable(const std::string& name)
{
    std::ifstream in(kTableDir + name);
    EXPECT_TRUE(in) << "cannot open " << kTableDir + name;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream fieldsIn(line);
        std::string field;
        while (std::getline(fieldsIn, field, '\t'))
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

std::string HexBytes(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

struct EncodeRow
{
    std::string bytes;
    bool exact = false;
};

const std::map<char16_t, EncodeRow>& EncodeTable()
{
    static const std::map<char16_t, EncodeRow> table = [] {
        std::map<char16_t, EncodeRow> rows;
        for (const auto& f : ReadTable("encode-bestfit.tsv"))
            rows[static_cast<char16_t>(std::stoul(f.at(0), nullptr, 16))] = {HexBytes(f.at(1)),
                                                                             f.at(2) == "exact"};
        return rows;
    }();
    return table;
}

const std::map<std::string, char16_t>& DecodeTable()
{
    static const std::map<std::string, char16_t> table = [] {
        std::map<std::string, char16_t> rows;
        for (const auto& f : ReadTable("decode.tsv"))
            rows[HexBytes(f.at(0))] = static_cast<char16_t>(std::stoul(f.at(1), nullptr, 16));
        return rows;
    }();
    return table;
}

TEST(Cp936, TablesAreThere)
{
    EXPECT_GT(EncodeTable().size(), 20000u);
    EXPECT_GT(DecodeTable().size(), 20000u);
}

TEST(Cp936, BestFitEncodesEveryCodeUnitAsTheTableSays)
{
    const auto& table = EncodeTable();
    for (std::uint32_t u = 0; u <= 0xFFFF; ++u) {
        const auto unit = static_cast<char16_t>(u);
        std::string expected;
        if (u < 0x80)
            expected = std::string(1, static_cast<char>(u));
        else if (auto it = table.find(unit); it != table.end())
            expected = it->second.bytes;
        else
            expected = "?";
        ASSERT_EQ(Cp936EncodeBestFit(std::u16string_view(&unit, 1)), expected) << "unit " << std::hex << u;
        char into[2];
        ASSERT_EQ(std::string(into, Cp936EncodeBestFitTo(std::u16string_view(&unit, 1), into)), expected)
            << "unit " << std::hex << u;
    }
}

TEST(Cp936, ExactEncodesOnlyExactMappings)
{
    const auto& table = EncodeTable();
    for (std::uint32_t u = 0; u <= 0xFFFF; ++u) {
        const auto unit = static_cast<char16_t>(u);
        const std::u16string text = std::u16string(u"ab") + unit;
        size_t bad = 99;
        const auto encoded = Cp936EncodeExact(text, &bad);
        const auto it = table.find(unit);
        if (u < 0x80) {
            ASSERT_EQ(encoded, std::string("ab") + static_cast<char>(u)) << "unit " << std::hex << u;
        } else if (it != table.end() && it->second.exact) {
            ASSERT_EQ(encoded, "ab" + it->second.bytes) << "unit " << std::hex << u;
        } else {
            ASSERT_FALSE(encoded.has_value()) << "unit " << std::hex << u;
            ASSERT_EQ(bad, 2u) << "unit " << std::hex << u;
        }
    }
}

TEST(Cp936, DecodesEveryListedSequence)
{
    for (const auto& [bytes, unit] : DecodeTable()) {
        ASSERT_EQ(Cp936DecodeExact(bytes), std::u16string(1, unit)) << "bytes " << bytes.size();
        ASSERT_EQ(Cp936Decode(bytes), std::u16string(1, unit));
        // Surrounded by ASCII, the sequence still takes exactly its own bytes.
        ASSERT_EQ(Cp936DecodeExact("a" + bytes + "z"), u"a" + std::u16string(1, unit) + u"z");
    }
}

TEST(Cp936, AsciiBytesDecodeToThemselves)
{
    for (int b = 0; b < 0x80; ++b) {
        const std::string byte(1, static_cast<char>(b));
        ASSERT_EQ(Cp936DecodeExact(byte), std::u16string(1, static_cast<char16_t>(b)));
    }
    EXPECT_EQ(Cp936DecodeExact(std::string("\x80", 1)), u"\u20AC");
}

TEST(Cp936, UnlistedSequencesFailExactDecoding)
{
    const auto& table = DecodeTable();
    int unlisted = 0;
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        const std::string single(1, static_cast<char>(lead));
        if (table.count(single) != 0)
            continue;
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const std::string pair = single + static_cast<char>(trail);
            if (table.count(pair) != 0)
                continue;
            ++unlisted;
            ASSERT_FALSE(Cp936DecodeExact(pair).has_value()) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(unlisted, 0);
}

TEST(Cp936, LeadByteWithoutTrailIsInvalid)
{
    EXPECT_FALSE(Cp936DecodeExact("\xD6").has_value());
    EXPECT_FALSE(Cp936DecodeExact("ab\xD6").has_value());
    EXPECT_FALSE(Cp936DecodeExact("\xD6\x30").has_value());
    EXPECT_FALSE(Cp936DecodeExact("\xFF").has_value());
    EXPECT_EQ(Cp936Decode("ab\xD6"), u"ab\uFFFD");
    // The byte after a bad lead byte starts afresh.
    EXPECT_EQ(Cp936Decode("\xD6\x30x"), u"\uFFFD0x");
    EXPECT_EQ(Cp936Decode("\xFF\xD6\xD0"), u"\uFFFD中");
}

TEST(Cp936, ChineseTextRoundTrips)
{
    const std::u16string text = u"中文 ServerInfo 脚本代码";
    const std::string bytes = Cp936EncodeBestFit(text);
    EXPECT_EQ(bytes.substr(0, 4), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(Cp936EncodeExact(text), bytes);
    EXPECT_EQ(Cp936DecodeExact(bytes), text);
    EXPECT_EQ(Cp936Decode(bytes), text);
}

TEST(Cp936, SurrogatesBecomeOneDefaultCharacterPerUnit)
{
    EXPECT_EQ(Cp936EncodeBestFit(u"a\xD800"
                                 u"b"),
              "a?b");
    EXPECT_EQ(Cp936EncodeBestFit(u"\U0001F600"), "??");
    size_t bad = 0;
    EXPECT_FALSE(Cp936EncodeExact(u"xy\U0001F600", &bad).has_value());
    EXPECT_EQ(bad, 2u);
}

TEST(Cp936, BestFitIsNotExact)
{
    // U+00A5 (yen sign) has a best-fit mapping only.
    EXPECT_EQ(Cp936EncodeBestFit(u"\u00A5"), EncodeTable().at(0x00A5).bytes);
    EXPECT_FALSE(EncodeTable().at(0x00A5).exact);
    EXPECT_FALSE(Cp936EncodeExact(u"\u00A5").has_value());
}

// Files take the best-fit forms too; only a unit that would become the default character fails.
TEST(Cp936, FileEncodingFailsOnlyWithoutAnyForm)
{
    const auto& table = EncodeTable();
    int failing = 0;
    for (std::uint32_t u = 0; u <= 0xFFFF; ++u) {
        const auto unit = static_cast<char16_t>(u);
        const std::u16string text = std::u16string(u"ab") + unit;
        size_t bad = 99;
        const auto encoded = Cp936EncodeForFile(text, &bad);
        const auto it = table.find(unit);
        if (u < 0x80) {
            ASSERT_EQ(encoded, std::string("ab") + static_cast<char>(u)) << "unit " << std::hex << u;
        } else if (it != table.end()) {
            ASSERT_EQ(encoded, "ab" + it->second.bytes) << "unit " << std::hex << u;
        } else {
            ++failing;
            ASSERT_FALSE(encoded.has_value()) << "unit " << std::hex << u;
            ASSERT_EQ(bad, 2u) << "unit " << std::hex << u;
        }
    }
    EXPECT_GT(failing, 0);
}

TEST(Cp936, FileEncodingOfBestFitAndMissingCharacters)
{
    EXPECT_EQ(Cp936EncodeForFile(u"\u00A2"), "\xA1\xE9");
    EXPECT_EQ(Cp936EncodeForFile(u"?\u00B2"), "?2");
    size_t bad = 99;
    EXPECT_FALSE(Cp936EncodeForFile(u"\u00A2x\u0E01\u00A2", &bad).has_value());
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(Cp936EncodeForFile(u"\U0001F600", &bad).has_value());
    EXPECT_EQ(bad, 0u);
}

// Long texts mixing ASCII runs, two-byte characters, bad lead bytes and units without a form convert
// piece by piece as the tables say, wherever the pieces stand.
TEST(Cp936, LongMixedTextsConvertPieceByPiece)
{
    const auto& decodeTable = DecodeTable();
    std::vector<std::string> sequences;
    for (const auto& [bytes, unit] : decodeTable)
        sequences.push_back(bytes);
    std::uint32_t state = 12345;
    auto next = [&state](std::uint32_t bound) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % bound;
    };
    std::string bytes;
    std::u16string expected;
    for (int piece = 0; piece < 3000; ++piece) {
        switch (next(4)) {
        case 0: // an ASCII run
            for (std::uint32_t n = next(40); n > 0; --n) {
                const auto c = static_cast<char>(next(0x80));
                bytes += c;
                expected += static_cast<char16_t>(c);
            }
            break;
        case 1:
        case 2: {
            const std::string& sequence = sequences[next(static_cast<std::uint32_t>(sequences.size()))];
            bytes += sequence;
            expected += decodeTable.at(sequence);
            break;
        }
        default: // a lead byte that no trail byte follows: bad, and the next byte starts afresh
            bytes += "\xD6=";
            expected += u"\uFFFD=";
        }
    }
    EXPECT_EQ(Cp936Decode(bytes), expected);
    EXPECT_FALSE(Cp936DecodeExact(bytes).has_value());

    const auto& encodeTable = EncodeTable();
    std::u16string units;
    std::string encoded;
    size_t firstWithoutForm = std::u16string::npos;
    for (int i = 0; i < 20000; ++i) {
        // Now and then a run of ASCII as long as a name's, between other units.
        for (std::uint32_t n = i % 97 == 0 ? next(40) : 0; n > 0; --n) {
            const auto c = static_cast<char>(next(0x80));
            units += static_cast<char16_t>(c);
            encoded += c;
        }
        const auto unit = static_cast<char16_t>(i % 3 == 0 ? next(0x80) : next(0x10000));
        auto found = encodeTable.find(unit);
        if (unit >= 0x80 && found == encodeTable.end() && firstWithoutForm == std::u16string::npos)
            firstWithoutForm = units.size();
        units += unit;
        encoded += unit < 0x80 ? std::string(1, static_cast<char>(unit))
                               : (found == encodeTable.end() ? "?" : found->second.bytes);
    }
    EXPECT_EQ(Cp936EncodeBestFit(units), encoded);
    ASSERT_NE(firstWithoutForm, std::u16string::npos);
    size_t bad = 0;
    EXPECT_FALSE(Cp936EncodeForFile(units, &bad).has_value());
    EXPECT_EQ(bad, firstWithoutForm);
    EXPECT_EQ(Cp936EncodeForFile(units.substr(0, firstWithoutForm)), encoded.substr(0, encoded.find('?')));
}

} // namespace

TEST(Cp936, BestFitIntoABufferGivesTheSameBytes)
{
    const std::u16string texts[] = {u"", u"plain ASCII text longer than sixteen units",
                                    u"ASCII run of twenty!中文 then ASCII again", u"中文开头后面是ASCII",
                                    u"\u00A2 best fit, \u0E01 none, \xD800 lone"};
    for (const std::u16string& text : texts) {
        std::string into(2 * text.size(), '\0');
        into.resize(Cp936EncodeBestFitTo(text, into.data()));
        EXPECT_EQ(into, Cp936EncodeBestFit(text));
    }
}
