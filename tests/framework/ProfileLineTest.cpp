#include "framework/ProfileLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::uint32_t HashOfLineName(const std::string& name)
{
    const std::string line = name + "=value"; // the name read points into it
    const tagLineName read = ReadLineName(line, ProfileEncoding::Ansi);
    EXPECT_TRUE(read.bAscii);
    return read.FoldedHash();
}

} // namespace

// Names are found through their hash: a name read from a file's bytes and the same name asked for as
// text, in any case of its ASCII letters, must hash alike, whatever place of a group of four a letter has.
TEST(ProfileLine, NamesHashAlikeFromBytesAndTextInEveryCase)
{
    for (size_t place = 0; place < 9; ++place) {
        for (int c = 0x20; c < 0x7F; ++c) {
            if (c == '=' || c == ';' || c == '[' || c == ' ')
                continue;
            std::string name = "abcdefghi";
            name[place] = static_cast<char>(c);
            std::u16string text(name.begin(), name.end());
            const std::uint32_t hash = FoldedHash(text);
            ASSERT_EQ(HashOfLineName(name), hash) << name;
            std::string lower = name;
            for (char& l : lower)
                l = l >= 'A' && l <= 'Z' ? static_cast<char>(l + 0x20) : l;
            ASSERT_EQ(FoldedHash(std::u16string(lower.begin(), lower.end())), hash) << name;
        }
    }
}

TEST(ProfileLine, OnlyAsciiCapitalsAreFolded)
{
    // Neighbours of the capitals, and units whose low byte or low fifteen bits look like a capital.
    const std::u16string others[] = {u"@", u"[", u"`", u"{", u"\u0141", u"\u8041", u"\uFF21", u"\u00C1"};
    for (const std::u16string& other : others) {
        for (size_t place = 0; place < 4; ++place) {
            std::u16string name = u"wxyz";
            name[place] = other[0];
            std::u16string folded = name; // the unit with the bit that folding would set changed
            folded[place] = static_cast<char16_t>(other[0] ^ 0x20);
            EXPECT_NE(FoldedHash(name), FoldedHash(folded))
                << static_cast<unsigned>(other[0]) << " at " << place;
        }
    }
    EXPECT_EQ(FoldedHash(u"SERVERADDR"), FoldedHash(u"serveraddr"));
    EXPECT_EQ(FoldedHash(u"中文KEY"), FoldedHash(u"中文key"));
}

// A name with a byte beyond ASCII anywhere, in a key or a header, is read as its text; one without is
// read as its bytes.
TEST(ProfileLine, ANameWithAByteBeyondAsciiAnywhereIsReadAsText)
{
    const std::string name = "abcdefghijklmnopqrs"; // longer than two words of bytes
    for (size_t place = 0; place <= name.size(); ++place) {
        std::string marked = name;
        if (place < name.size())
            marked.replace(place, 1, "\xD6\xD0"); // 中 in code page 936
        for (const std::string& line : {marked + "=v", "[" + marked + "]"}) {
            const tagLineName read = ReadLineName(line, ProfileEncoding::Ansi);
            EXPECT_EQ(read.bAscii, place == name.size()) << line;
            EXPECT_EQ(read.Text().size(), name.size()) << line;
        }
    }
}

// An ASCII name and a text match when they differ in nothing but the case of ASCII letters, at any
// place; a unit beyond ASCII never matches the byte of its low half.
TEST(ProfileLine, AsciiNamesMatchTextsAtEveryPlace)
{
    const std::string name = "ServerDomain9";
    const std::u16string text(name.begin(), name.end());
    EXPECT_TRUE(AsciiNameMatches(name, text));
    EXPECT_FALSE(AsciiNameMatches(name, text.substr(1)));
    for (size_t place = 0; place < name.size(); ++place) {
        std::u16string other = text;
        other[place] = static_cast<char16_t>(text[place] ^ 0x20);
        const bool letter = (text[place] | 0x20) >= u'a' && (text[place] | 0x20) <= u'z';
        EXPECT_EQ(AsciiNameMatches(name, other), letter) << place;
        other[place] = static_cast<char16_t>(text[place] + 0x100);
        EXPECT_FALSE(AsciiNameMatches(name, other)) << place;
        other[place] = static_cast<char16_t>(text[place] + 1);
        EXPECT_FALSE(AsciiNameMatches(name, other)) << place;
    }
}
