#include "create/GameNames.h"

#include "framework/WideText.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

namespace {

TEST(IsUsableFileName, RefusesNamesThatLeaveTheirFolder)
{
    EXPECT_TRUE(IsUsableFileName(u"斗地主"));
    EXPECT_TRUE(IsUsableFileName(u"Texas Hold'em.v2"));
    EXPECT_FALSE(IsUsableFileName(u""));
    EXPECT_FALSE(IsUsableFileName(u"a/b"));
    EXPECT_FALSE(IsUsableFileName(u"a\\b"));
    EXPECT_FALSE(IsUsableFileName(u"."));
    EXPECT_FALSE(IsUsableFileName(u".."));
    EXPECT_FALSE(IsUsableFileName(u"x..y"));
    EXPECT_TRUE(IsUsableFileName(u".x"));
    EXPECT_TRUE(IsUsableFileName(u"Poker. "));
}

TEST(IsUsableFileName, RefusesWindowsDeviceNamesWhateverFollowsThem)
{
    for (std::u16string name : {u"CON", u"con", u"Nul", u"aux.txt", u"PRN .x", u"com1", u"LPT9", u"Com7.v2"})
        EXPECT_FALSE(IsUsableFileName(name)) << ToUtf8(name);
    for (std::u16string name : {u"CONSOLE", u"xcon", u"com0", u"COM10", u"lpt", u"LPT1x", u"NUL_", u"中NUL"})
        EXPECT_TRUE(IsUsableFileName(name)) << ToUtf8(name);
    EXPECT_FALSE(IsUsableFolderName(u"AUX")) << "a platform folder named so could not be made";
}

TEST(IsUsableFolderName, RefusesNamesWindowsMakesAndWritesIntoDifferently)
{
    EXPECT_TRUE(IsUsableFolderName(u"星河棋牌"));
    EXPECT_TRUE(IsUsableFolderName(u"Stars Co."));
    EXPECT_TRUE(IsUsableFolderName(u" Stars"));
    EXPECT_FALSE(IsUsableFolderName(u"Stars "));
    EXPECT_FALSE(IsUsableFolderName(u"Stars ."));
    EXPECT_FALSE(IsUsableFolderName(u" "));
    EXPECT_FALSE(IsUsableFolderName(u"."));
    EXPECT_FALSE(IsUsableFolderName(u"a/b"));
}

TEST(IsUsableFileName, RefusesCharactersWindowsNamesCannotHold)
{
    for (char16_t c : std::u16string(u"<>:\"|?*\t\x01\x1F"))
        EXPECT_FALSE(IsUsableFileName(std::u16string(u"a") + c + u"b")) << static_cast<int>(c);
}

TEST(CheckGameNames, NamesTheFirstUnusableGame)
{
    ReporterRecorder boxes;
    boxes.Expect();
    CArray<tagServerInfo> games = {
        {u"1", u"好", u"M", u"D"}, {u"2", u"坏/名", u"M", u"D"}, {u"3", u"", u"M", u"D"}};
    EXPECT_FALSE(CheckGameNames(boxes, games, u"标题"));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"游戏名称“坏/名”(编号 2)不能用作文件名!");
    EXPECT_EQ(boxes.Shown()[0].caption, u"标题");
}

TEST(CheckGameNames, QuietWhenAllNamesAreUsable)
{
    ReporterRecorder boxes;
    CArray<tagServerInfo> games = {{u"1", u"好", u"M", u"D"}};
    EXPECT_TRUE(CheckGameNames(boxes, games, u"标题"));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(IsUsableDatabaseName, RefusesWhatCouldCloseTheSqlQuotesOrBrackets)
{
    EXPECT_TRUE(IsUsableDatabaseName(u"LandScoreDB"));
    EXPECT_TRUE(IsUsableDatabaseName(u"斗地主 积分-DB.2"));
    EXPECT_TRUE(IsUsableDatabaseName(u"")) << "an empty name leaves \"[]\", as it always has";
    for (char16_t c : std::u16string(u"[]'\";\t\n\r\x01\x1F\x7F"))
        EXPECT_FALSE(IsUsableDatabaseName(std::u16string(u"DB") + c + u"x")) << static_cast<int>(c);
}

TEST(CheckDatabaseNames, NamesTheGameNumberAndDatabaseOfTheFirstUnusableOne)
{
    ReporterRecorder boxes;
    boxes.Expect();
    CArray<tagServerInfo> games = {{u"1", u"好", u"M", u"GoodDB"},
                                   {u"2", u"坏", u"M", u"A]; DROP DATABASE [QPPlatformDB"},
                                   {u"3", u"也坏", u"M", u"B'"}};
    EXPECT_FALSE(CheckDatabaseNames(boxes, games, u"标题"));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              u"游戏“坏”(编号 2)的数据库名称“A]; DROP DATABASE [QPPlatformDB”不能用在SQL脚本中!");
    EXPECT_EQ(boxes.Shown()[0].caption, u"标题");

    ReporterRecorder quiet;
    EXPECT_TRUE(CheckDatabaseNames(quiet, {games[0]}, u"标题"));
    EXPECT_TRUE(quiet.Shown().empty());
}

} // namespace
