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

} // namespace
