// The document's lookups and edits where its way of keeping a file shows: sections with many keys,
// code page 936 names whose bytes look like ASCII, edits made in place, and the comparison with bytes.
#include "framework/ProfileFile.h"

#include "framework/Cp936.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Names = std::vector<std::u16string>;

std::string Numbered(const std::string& prefix, int count)
{
    std::string lines;
    for (int i = 1; i <= count; ++i)
        lines += prefix + std::to_string(i) + "=" + std::to_string(i * 10) + "\r\n";
    return lines;
}

// A character whose two code page 936 bytes end with `trail`.
char16_t WithTrailByte(char trail)
{
    for (char16_t unit = 0x4E00; unit < 0x9FA5; ++unit) {
        const std::string bytes = Cp936EncodeBestFit(std::u16string_view(&unit, 1));
        if (bytes.size() == 2 && bytes[1] == trail)
            return unit;
    }
    ADD_FAILURE() << "no character ends with byte " << int(trail);
    return u'?';
}

TEST(ProfileDocument, ASectionWithManyKeysIsReadAndWrittenLikeOneWithFew)
{
    CProfileDocument document;
    document.LoadBytes("[Many]\r\n" + Numbered("Item", 30) + "ITEM7=again\r\n; end\r\n[Few]\r\nItem7=f\r\n");
    EXPECT_EQ(document.GetString(u"many", u"item7"), u"70");
    EXPECT_EQ(document.GetString(u"Few", u"ITEM7"), u"f");
    EXPECT_EQ(document.GetString(u"Many", u"Item31"), std::nullopt);
    ASSERT_EQ(document.KeyNames(u"Many").size(), 30u);
    EXPECT_EQ(document.CountKeyNames(u"Many", u"iTEM"), 30u);
    EXPECT_EQ(document.CountKeyNames(u"Many", u"Item3"), 2u); // Item3 and Item30
    EXPECT_EQ(document.CountKeyNames(u"Few", u"Item77"), 0u);
    EXPECT_EQ(document.CountKeyNames(u"None", u""), 0u);
    EXPECT_EQ(document.KeyNames(u"Many")[6], u"Item7");

    document.SetString(u"MANY", u"item7", u"7");
    document.SetString(u"Many", u"Item31", u"310");
    document.SetString(u"Many", u"ITEM31", u"311");
    EXPECT_EQ(document.GetString(u"Many", u"item31"), u"311");
    const std::string bytes = document.Bytes();
    EXPECT_NE(bytes.find("\r\nItem7=7\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("ITEM7=again\r\nItem31=311\r\n; end\r\n"), std::string::npos);
}

// A walk in file order tries the section or key after the last one found first; a later one of the same
// name standing there is never read in place of the first.
TEST(ProfileDocument, AWalkInFileOrderStillReadsTheFirstOfEachName)
{
    CProfileDocument document;
    document.LoadBytes("[A]\r\nk=a\r\n[B]\r\nk=b1\r\n[b]\r\nk=b2\r\n[C]\r\nk=c\r\n[Many]\r\nItem1=1\r\n"
                       "Item2=2\r\nITEM2=dup\r\n" +
                       Numbered("Key", 10));
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(document.GetString(u"A", u"k"), u"a");
        EXPECT_EQ(document.GetString(u"B", u"k"), u"b1");
        EXPECT_EQ(document.GetString(u"b", u"k"), u"b1"); // the second [b] stands after the first
        EXPECT_EQ(document.GetString(u"C", u"k"), u"c");
    }
    const std::optional<size_t> many = document.FindSection(u"many");
    ASSERT_TRUE(many.has_value());
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(document.GetString(*many, u"item1"), u"1");
        EXPECT_EQ(document.GetString(*many, u"Item2"), u"2");
        EXPECT_EQ(document.GetString(*many, u"item2"), u"2"); // "ITEM2=dup" follows the line found
        EXPECT_EQ(document.GetString(*many, u"Key1"), u"10");
        EXPECT_EQ(document.GetString(*many, u"Key3"), u"30"); // not the line after the last found
        EXPECT_EQ(document.GetString(*many, u"Key4"), u"40");
    }
    // A key inserted after the last key moves no key line; the next lookups find each one still.
    document.SetString(*many, u"Key11", u"110");
    document.SetString(*many, u"Key2", u"2b");
    EXPECT_EQ(document.GetString(*many, u"Key11"), u"110");
    EXPECT_EQ(document.GetString(*many, u"Key2"), u"2b");
    EXPECT_EQ(document.GetString(*many, u"Key3"), u"30");
    // A section added at the end is found after the last one, and the old ones stay first.
    document.SetString(u"D", u"k", u"d");
    EXPECT_EQ(document.GetString(u"C", u"k"), u"c");
    EXPECT_EQ(document.GetString(u"D", u"k"), u"d");
    document.SetString(u"b", u"k", u"B1");
    EXPECT_EQ(document.GetString(u"B", u"k"), u"B1");
    EXPECT_EQ(document.Bytes(),
              "[A]\r\nk=a\r\n[B]\r\nk=B1\r\n[b]\r\nk=b2\r\n[C]\r\nk=c\r\n[Many]\r\nItem1=1\r\n"
              "Item2=2\r\nITEM2=dup\r\nKey1=10\r\nKey2=2b\r\n" +
                  Numbered("Key", 10).substr(18) + "Key11=110\r\n[D]\r\nk=d\r\n");
}

// Names go into the indexes after the whole file is read; a long file with names repeated in other
// spellings, near and far, still reads the first of each, as a plain walk through the lines finds it.
TEST(ProfileDocument, ALongFileReadsTheFirstOfEachNameAsAWalkFindsIt)
{
    std::string file;
    std::vector<std::pair<std::string, std::vector<std::string>>> walk; // sections and their key lines
    for (int s = 0; s < 300; ++s) {
        const std::string name = (s % 7 == 3 ? "SEC" : "Sec") + std::to_string(s % 120);
        file += "[" + name + "]\r\n";
        walk.push_back({name, {}});
        const int keys = s % 5 == 0 ? 40 : s % 3;
        for (int k = 0; k < keys; ++k) {
            const std::string key = (k % 4 == 1 ? "KEY" : "key") + std::to_string(k % 17);
            const std::string line = key + "=" + std::to_string(s) + "." + std::to_string(k);
            file += line + "\r\n";
            walk.back().second.push_back(line);
        }
    }
    auto folded = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    // The value a walk finds: the first section of the name, then its first key of the name.
    auto walkFinds = [&](const std::string& section,
                         const std::string& key) -> std::optional<std::u16string> {
        for (const auto& [name, lines] : walk) {
            if (folded(name) != folded(section))
                continue;
            for (const std::string& line : lines) {
                const size_t equals = line.find('=');
                if (folded(line.substr(0, equals)) == folded(key))
                    return std::u16string(line.begin() + static_cast<std::ptrdiff_t>(equals) + 1, line.end());
            }
            return std::nullopt;
        }
        return std::nullopt;
    };
    CProfileDocument document;
    document.LoadBytes(file);
    for (int s = 0; s < 121; ++s) {
        for (int k = 0; k < 18; ++k) {
            const std::string section = "sec" + std::to_string(s);
            const std::string key = "Key" + std::to_string(k);
            const std::optional<std::u16string> read = document.GetString(
                std::u16string(section.begin(), section.end()), std::u16string(key.begin(), key.end()));
            EXPECT_EQ(read, walkFinds(section, key)) << section << " " << key;
        }
    }
    EXPECT_EQ(document.SectionNames().size(), 300u);
    EXPECT_EQ(document.KeyNames(u"sec0").size(), 17u);
    EXPECT_EQ(document.Bytes(), file);
}

TEST(ProfileDocument, KeysAddedUntilASectionHasManyStayFound)
{
    CProfileDocument document;
    for (int i = 1; i <= 20; ++i)
        document.SetString(u"S", u"k" + std::u16string(1, char16_t(u'a' + i)), u"v");
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(document.GetString(u"s", u"K" + std::u16string(1, char16_t(u'A' + i))), u"v") << i;
    EXPECT_EQ(document.KeyNames(u"S").size(), 20u);
}

// In code page 936 a trail byte may be "]" or a capital letter; neither makes a header nor matches
// another character's name.
TEST(ProfileDocument, Cp936NamesAreComparedAsCharacters)
{
    const char16_t bracket = WithTrailByte(']');
    const char16_t capital = WithTrailByte('A');
    const std::string bracketBytes = Cp936EncodeBestFit(std::u16string(1, bracket));
    const std::string capitalBytes = Cp936EncodeBestFit(std::u16string(1, capital));
    std::string small = capitalBytes;
    small[1] = 'a';

    CProfileDocument document;
    document.LoadBytes("[S]\r\n[" + bracketBytes + "=x\r\n" + capitalBytes + "=1\r\n" + small + "=2\r\n");
    EXPECT_EQ(document.SectionNames(), Names{u"S"});
    EXPECT_EQ(document.GetString(u"S", u"[" + std::u16string(1, bracket)), u"x");
    EXPECT_EQ(document.GetString(u"S", std::u16string(1, capital)), u"1");
    const std::u16string smallName = Cp936Decode(small);
    ASSERT_EQ(smallName.size(), 1u);
    EXPECT_EQ(document.GetString(u"S", smallName), u"2");
    EXPECT_EQ(document.CountKeyNames(u"S", u"["), 1u);
}

TEST(ProfileDocument, SectionNumbersStayValidAcrossWrites)
{
    CProfileDocument document;
    document.LoadBytes("[A]\r\na=1\r\n[B]\r\nb=2");
    const std::optional<size_t> b = document.FindSection(u"b");
    ASSERT_TRUE(b.has_value());
    const size_t c = document.FindOrAddSection(u"C");
    document.SetString(u"A", u"new", u"n");
    document.SetString(*b, u"b2", u"3");
    document.SetString(c, u"c", u"4");
    EXPECT_EQ(document.FindOrAddSection(u"c"), c);
    EXPECT_EQ(document.GetString(*b, u"B2"), u"3");
    EXPECT_EQ(document.Bytes(), "[A]\r\na=1\r\nnew=n\r\n[B]\r\nb=2\r\nb2=3\r\n[C]\r\nc=4\r\n");
}

TEST(ProfileDocument, HoldsBytesComparesWithWhatASaveWouldWrite)
{
    const std::string file = "; c\r\n[A]\r\n  key = old \r\nz=1";
    CProfileDocument document;
    document.LoadBytes(file);
    EXPECT_TRUE(document.HoldsBytes(file));
    EXPECT_FALSE(document.HoldsBytes(file + "\r\n"));

    document.SetString(u"A", u"KEY", u"newvalue"); // as long as the old line: written in its place
    EXPECT_EQ(document.Bytes(), "; c\r\n[A]\r\nkey=newvalue\r\nz=1");
    EXPECT_TRUE(document.HoldsBytes(document.Bytes()));
    EXPECT_FALSE(document.HoldsBytes(file));

    document.SetString(u"B", u"b", u"2"); // the last line gets its break, the section follows
    EXPECT_EQ(document.Bytes(), "; c\r\n[A]\r\nkey=newvalue\r\nz=1\r\n[B]\r\nb=2\r\n");
    EXPECT_TRUE(document.HoldsBytes(document.Bytes()));
    EXPECT_FALSE(document.HoldsBytes("; c\r\n[A]\r\nkey=newvalue\r\nz=1\r\n[B]\r\nb=3\r\n"));
}

TEST(ProfileDocument, Utf8NamesAndValuesAreReadAndWritten)
{
    CProfileDocument document;
    document.LoadBytes("\xEF\xBB\xBF[\xE4\xB8\xAD]\r\n\xE5\x90\x8D = \"\xE5\x80\xBC\" \r\n");
    EXPECT_EQ(document.GetString(u"中", u"名"), u"值");
    document.SetString(u"中", u"名", u"新");
    EXPECT_EQ(document.Bytes(), "\xEF\xBB\xBF[\xE4\xB8\xAD]\r\n\xE5\x90\x8D=\xE6\x96\xB0\r\n");
}

TEST(ProfileDocument, AKeySetAgainAndAgainStaysOneLine)
{
    CProfileDocument document;
    document.LoadBytes("[S]\r\n  Key = 1 \r\nother=x\r\n");
    for (const char16_t* value : {u"22", u"ab", u"4444", u""}) {
        document.SetString(u"s", u"KEY", value);
        EXPECT_EQ(document.GetString(u"S", u"key"), value);
    }
    document.SetString(u"S", u"other", u"y");
    EXPECT_EQ(document.Bytes(), "[S]\r\nKey=\r\nother=y\r\n");
    EXPECT_EQ(document.KeyNames(u"S"), (Names{u"Key", u"other"}));
}

TEST(ProfileDocument, AsciiValuesAreGivenAsTheirBytes)
{
    CProfileDocument document;
    document.LoadBytes("[S]\r\nPlain = \"abc\" \r\nWide=" + Cp936EncodeBestFit(u"中") + "\r\nEmpty=\r\n");
    const std::optional<size_t> section = document.FindSection(u"s");
    ASSERT_TRUE(section);
    EXPECT_EQ(document.GetAsciiString(*section, u"PLAIN"), "abc");
    EXPECT_EQ(document.GetAsciiString(*section, u"Empty"), "");
    EXPECT_EQ(document.GetAsciiString(*section, u"Missing"), std::nullopt);
    // Not ASCII: only the text read gives it.
    EXPECT_EQ(document.GetAsciiString(*section, u"Wide"), std::nullopt);
    EXPECT_EQ(document.GetString(*section, u"Wide"), u"中");

    const std::u16string text = u"[S]\r\nK=v\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char16_t unit : text)
        utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    document.LoadBytes(utf16);
    const std::optional<size_t> wide = document.FindSection(u"S");
    ASSERT_TRUE(wide);
    EXPECT_EQ(document.GetAsciiString(*wide, u"K"), std::nullopt);
    EXPECT_EQ(document.GetString(*wide, u"K"), u"v");
}

TEST(ProfileDocument, AsciiWritesLeaveWhatTextWritesLeave)
{
    const std::string file = "[S]\r\n  Key = 1 \r\nother=x\r\n;c\r\n[T]\r\nK=1";
    CProfileDocument text;
    CProfileDocument ascii;
    text.LoadBytes(file);
    ascii.LoadBytes(file);
    // In place ("Key=" and six characters fill the line), longer, shorter, empty, a new key, and a key of
    // a section whose last line has no break.
    const std::vector<std::pair<std::u16string, std::string>> writes = {
        {u"Key", "abcdef"}, {u"KEY", "12345678"}, {u"key", "2"}, {u"Key", ""}, {u"New", "v"}};
    for (const auto& [key, value] : writes) {
        text.SetString(1, key, std::u16string(value.begin(), value.end()));
        ascii.SetAsciiString(1, key, value);
        EXPECT_EQ(ascii.Bytes(), text.Bytes()) << value;
    }
    text.SetString(2, u"k", u"22");
    ascii.SetAsciiString(2, u"k", "22");
    EXPECT_EQ(ascii.Bytes(), text.Bytes());
    EXPECT_EQ(ascii.Bytes(), "[S]\r\nKey=\r\nother=x\r\nNew=v\r\n;c\r\n[T]\r\nK=22");
}

} // namespace

TEST(ProfileDocument, KeysHashedOnceFindWhatTheirTextFinds)
{
    CProfileDocument document;
    document.LoadBytes("[Few]\r\nServerAddr=1\r\nserveraddr=dup\r\n[Many]\r\nItem2=2\r\nITEM2=dup\r\n" +
                       Numbered("Key", 10));
    const std::optional<size_t> few = document.FindSection(u"few");
    const std::optional<size_t> many = document.FindSection(u"MANY");
    ASSERT_TRUE(few.has_value());
    ASSERT_TRUE(many.has_value());
    const tagProfileKey addr(u"SERVERADDR");
    const tagProfileKey item(u"item2");
    const tagProfileKey missing(u"Key99");
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(document.GetString(*few, addr), document.GetString(*few, u"SERVERADDR"));
        EXPECT_EQ(document.GetString(*few, addr), u"1");
        EXPECT_EQ(document.GetAsciiString(*many, item), std::optional<std::string_view>("2"));
        EXPECT_EQ(document.GetString(*many, missing), std::nullopt);
    }
    document.SetString(*few, addr, u"3");
    document.SetAsciiString(*many, item, "4");
    document.SetAsciiString(*many, missing, "99");
    EXPECT_EQ(document.Bytes(),
              "[Few]\r\nServerAddr=3\r\nserveraddr=dup\r\n[Many]\r\nItem2=4\r\nITEM2=dup\r\n" +
                  Numbered("Key", 10) + "Key99=99\r\n");
}

TEST(ProfileDocument, AValuePlacedInTheFileLeavesWhatSettingItLeaves)
{
    const std::string file = "[S]\r\n  Key =old\r\nOther=xy\r\n\xD6\xD0=ab\r\n";
    CProfileDocument placed;
    placed.LoadBytes(file);
    CProfileDocument set;
    set.LoadBytes(file);
    const std::optional<size_t> found = placed.FindSection(u"S");
    ASSERT_TRUE(found.has_value());
    const size_t section = *found;
    // "  Key =old" has room for the name, "=" and six bytes.
    char* out = placed.PlaceAsciiValue(section, tagProfileKey(u"key"), 6);
    ASSERT_NE(out, nullptr);
    std::memcpy(out, "123456", 6);
    set.SetAsciiString(section, u"key", "123456");
    EXPECT_EQ(placed.Bytes(), set.Bytes());
    EXPECT_EQ(placed.Bytes(), "[S]\r\nKey=123456\r\nOther=xy\r\n\xD6\xD0=ab\r\n");
    // No place: a missing key, another length, a name that is not ASCII, a file in UTF-16.
    EXPECT_EQ(placed.PlaceAsciiValue(section, tagProfileKey(u"Missing"), 2), nullptr);
    EXPECT_EQ(placed.PlaceAsciiValue(section, tagProfileKey(u"Other"), 3), nullptr);
    EXPECT_EQ(placed.PlaceAsciiValue(section, tagProfileKey(u"中"), 2), nullptr);
    EXPECT_EQ(placed.Bytes(), set.Bytes());
    static const char kWide[] = "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0v\0";
    CProfileDocument wide;
    wide.LoadBytes(std::string(kWide, sizeof kWide - 1));
    const std::optional<size_t> wideSection = wide.FindSection(u"S");
    ASSERT_TRUE(wideSection.has_value());
    EXPECT_EQ(wide.GetString(*wideSection, u"k"), u"v");
    EXPECT_EQ(wide.PlaceAsciiValue(*wideSection, tagProfileKey(u"k"), 1), nullptr);
}
