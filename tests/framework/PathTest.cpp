#include "framework/Path.h"

#include "framework/FileSystem.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The expected text with "/" standing for the platform's separator.
std::u16string Native(std::u16string text)
{
    for (char16_t& c : text) {
        if (c == u'/')
            c = kPathSeparator;
    }
    return text;
}

TEST(JoinPath, OneNativeSeparatorBetweenFolderAndRelativePath)
{
    EXPECT_EQ(JoinPath(u"deploy", u"脚本代码/数据库脚本/数据库删除.sql"),
              Native(u"deploy/脚本代码/数据库脚本/数据库删除.sql"));
    EXPECT_EQ(JoinPath(Native(u"deploy/"), u"ServerInfo.ini"), Native(u"deploy/ServerInfo.ini"));
    EXPECT_EQ(JoinPath(Native(u"deploy/"), u"/ServerInfo.ini"), Native(u"deploy/ServerInfo.ini"));
    EXPECT_EQ(JoinPath(u"", u"a/b.sql"), Native(u"a/b.sql"));
    EXPECT_EQ(JoinPath(u"/", u"b.sql"), u"/b.sql");
}

TEST(JoinPath, TrailingSeparatorIsAddedOnce)
{
    EXPECT_EQ(WithTrailingSeparator(u"deploy"), Native(u"deploy/"));
    EXPECT_EQ(WithTrailingSeparator(u"deploy/"), u"deploy/");
    EXPECT_EQ(WithTrailingSeparator(u""), u"");
    EXPECT_TRUE(IsPathSeparator(u'/'));
    EXPECT_EQ(IsPathSeparator(u'\\'), kPathSeparator == u'\\');
    EXPECT_FALSE(IsPathSeparator(u'a'));
}

TEST(FolderOfPath, FolderPartOfAPath)
{
    EXPECT_EQ(FolderOfPath("a/b/list.ini"), "a/b");
    EXPECT_EQ(FolderOfPath("list.ini"), ".");
    EXPECT_EQ(FolderOfPath("/list.ini"), "/");
    EXPECT_EQ(FolderOfPath("a/"), "a");
}

} // namespace
