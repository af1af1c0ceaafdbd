#include "framework/ProfileFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::u16string>;

TEST(ProfileSections, SectionsAndKeysInFileOrderAsSpelled)
{
    TempDir dir;
    dir.Write("a.ini",
              "top=1\r\n[ ServerInfo ] tail\r\nItemCount=2\r\n; c=3\r\nitemdescribe2 = x\r\n"
              "ItemDescribe1=y\r\nITEMCOUNT=9\r\nnot a key\r\n[Other]\r\n[serverinfo]\r\nLate=1\r\n[]\r\n");
    CProfileDocument document;
    ASSERT_FALSE(document.Load(dir.FileW(u"a.ini")).Failed());
    EXPECT_EQ(document.SectionNames(), (Names{u"ServerInfo", u"Other", u"serverinfo", u""}));
    // The second "[serverinfo]" is never read, and neither is the second ItemCount.
    EXPECT_EQ(document.KeyNames(u"SERVERINFO"), (Names{u"ItemCount", u"itemdescribe2", u"ItemDescribe1"}));
    EXPECT_EQ(document.KeyNames(u"Other"), Names{});
    EXPECT_EQ(document.KeyNames(u"Missing"), Names{});
}

TEST(ProfileSections, KeysAndSectionsAddedBySetAreListed)
{
    CProfileDocument document;
    document.SetString(u"B", u"k1", u"v");
    document.SetString(u"A", u"k", u"v");
    document.SetString(u"B", u"k2", u"v");
    EXPECT_EQ(document.SectionNames(), (Names{u"B", u"A"}));
    EXPECT_EQ(document.KeyNames(u"b"), (Names{u"k1", u"k2"}));
}

// A "[" line without "]" opens no section: the keys after it stay in the section before it.
TEST(ProfileSections, BracketLineWithoutCloseOpensNoSection)
{
    TempDir dir;
    dir.Write("a.ini", "[B\r\ntop=0\r\n[A]\r\na=1\r\n  [B  \r\nb=2\r\n[C=x\r\n; note\r\n");
    CProfileDocument document;
    ASSERT_FALSE(document.Load(dir.FileW(u"a.ini")).Failed());
    EXPECT_EQ(document.SectionNames(), Names{u"A"});
    EXPECT_EQ(document.KeyNames(u"A"), (Names{u"a", u"b", u"[C"}));
    EXPECT_EQ(document.GetString(u"A", u"b"), u"2");
    EXPECT_EQ(document.GetString(u"A", u"[C"), u"x");
    EXPECT_EQ(document.GetString(u"B", u"b"), std::nullopt);
    EXPECT_EQ(document.GetString(u"B", u"top"), std::nullopt);
}

// Writes around such lines leave what the one-by-one writes would: a new key follows the "[C=x" key
// line, the "[B" key is changed in place, and section B is new, at the end.
TEST(ProfileSections, WritesTreatABracketLineWithoutCloseAsAnyOtherLine)
{
    TempDir dir;
    dir.Write("a.ini", "[A]\r\na=1\r\n[B\r\n[C=x\r\n; note\r\n");
    CProfileDocument document;
    ASSERT_FALSE(document.Load(dir.FileW(u"a.ini")).Failed());
    document.SetString(u"A", u"new", u"n");
    document.SetString(u"a", u"[c", u"y");
    document.SetString(u"B", u"k", u"v");
    EXPECT_EQ(document.Bytes(), "[A]\r\na=1\r\n[B\r\n[C=y\r\nnew=n\r\n; note\r\n[B]\r\nk=v\r\n");
    EXPECT_EQ(document.SectionNames(), (Names{u"A", u"B"}));
    EXPECT_EQ(document.GetString(u"B", u"k"), u"v");
}

} // namespace
