#include "create/GameList.h"

#include "framework/Path.h"
#include "framework/StdioFile.h"

#include "support/ReporterRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const std::u16string kExampleRow = u"INSERT [GameGameItem] VALUES ( 215, N'Mahjong', N'10.0.0.5', "
                                   u"N'MahjongScoreDB', N'SCMahjongServer.dll')";

TEST(ParseGameRow, WorkedExampleRow)
{
    tagServerInfo game = ParseGameRow(kExampleRow);
    EXPECT_EQ(game.strGameID, u"215");
    EXPECT_EQ(game.strGameName, u"Mahjong");
    EXPECT_EQ(game.strDatabaseName, u"MahjongScoreDB");
    EXPECT_EQ(game.strModuleName, u"SCMahjong");
}

TEST(ParseGameRow, BlankBeforeTheCommaStaysInTheNumber)
{
    EXPECT_EQ(ParseGameRow(u"INSERT [GameGameItem] VALUES ( 7 , N'A', N'B', N'C', N'DServer')").strGameID,
              u"7 ");
}

TEST(ParseGameRow, ModuleWithoutServerIsEmpty)
{
    EXPECT_EQ(ParseGameRow(u"INSERT [GameGameItem] VALUES ( 1, N'A', N'B', N'C', N'D.dll')").strModuleName,
              u"");
}

TEST(ExtractBetween, MissingOpeningParenthesisStartsAtTheSecondCharacter)
{
    // "( " is two units long: a failed search leaves the position at 1.
    EXPECT_EQ(ExtractBetween(u"INSERT x VALUES (215, N'A'", u"( ", 1, u",", 1), u"NSERT x VALUES (215");
}

TEST(ExtractBetween, MissingThirdQuotedValueSearchesAgainFromTheSecondCharacter)
{
    const std::u16string row = u"INSERT [GameGameItem] VALUES ( 3, N'Go', N'1.2.3.4')";
    EXPECT_EQ(ExtractBetween(row, u"N'", 3, u"'", 1), u"NSERT [GameGameItem] VALUES ( 3, N");
    EXPECT_EQ(ParseGameRow(row).strDatabaseName, u"NSERT [GameGameItem] VALUES ( 3, N");
}

TEST(ExtractBetween, MissingApostropheLeavesTheStartAtZero)
{
    EXPECT_EQ(ExtractBetween(u"abc,def", u"'", 1, u",", 1), u"abc");
}

TEST(ExtractBetween, MissingEndMarkGivesNothing)
{
    EXPECT_EQ(ExtractBetween(u"( 12 and no comma", u"( ", 1, u",", 1), u"");
}

TEST(ExtractBetween, CountsBelowOneSkipTheirStep)
{
    EXPECT_EQ(ExtractBetween(u"abc,def,ghi", u"x", 0, u",", 1), u"abc");
    EXPECT_EQ(ExtractBetween(u"abc,def,ghi", u",", 1, u",", 0), u"");
    EXPECT_EQ(ExtractBetween(u"abc,def,ghi", u",", -3, u",", 2), u"abc,def");
}

TEST(ExtractBetween, LaterOccurrencesAreCountedFromThePreviousOne)
{
    EXPECT_EQ(ExtractBetween(u"a|b|c|d|e", u"|", 2, u"|", 2), u"c|d");
}

TEST(ExtractBetween, StartAtTheEndGivesNothing)
{
    EXPECT_EQ(ExtractBetween(u"abcN'", u"N'", 1, u"'", 1), u"");
    EXPECT_EQ(ExtractBetween(u"", u"( ", 1, u",", 1), u"");
}

class ReadGameListTest : public ::testing::Test
{
protected:
    void WriteList(const std::string& bytes) { m_dir.Write("脚本代码/数据脚本/游戏列表.sql", bytes); }
    std::u16string ModuleDir() const { return WithTrailingSeparator(m_dir.PathW()); }

    TempDir m_dir;
    tagRunContext Context() { return tagRunContext{m_boxes, DiskStore()}; }

    ReporterRecorder m_boxes;
    CArray<tagServerInfo> m_list;
};

TEST_F(ReadGameListTest, TakesOnlyRowsOfTheGameTable)
{
    WriteList("USE QPPlatformDB\r\nGO\r\n"
              "INSERT [GameGameItem] VALUES ( 1, N'A', N'x', N'ADB', N'AAServer.dll')\r\n"
              "  -- INSERT [GameGameItem] VALUES ( 2, N'B', N'x', N'BDB', N'BBServer.dll')\n"
              "insert [GameGameItem] VALUES ( 3, N'C', N'x', N'CDB', N'CCServer.dll')\r\n"
              "INSERT [dbo].[GameGameItem] VALUES ( 4, N'D', N'x', N'DDB', N'DDServer.dll')\r\n"
              "\r\n"
              "INSERT [GameGameItem] VALUES ( 5, N'E', N'x', N'EDB', N'EEServer.dll')");
    ASSERT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::read);
    ASSERT_EQ(m_list.size(), 3u);
    EXPECT_EQ(m_list[0].strGameID, u"1");
    EXPECT_EQ(m_list[1].strGameName, u"B");
    EXPECT_EQ(m_list[2].strModuleName, u"EE");
    EXPECT_TRUE(m_boxes.Shown().empty());
}

TEST_F(ReadGameListTest, ReadsChineseNamesAndKeepsDuplicates)
{
    const std::string row = "INSERT [GameGameItem] VALUES ( 9, N'\xB6\xB7\xB5\xD8\xD6\xF7', N'x', "
                            "N'LandDB', N'LandServer.dll')\r\n";
    WriteList(row + row);
    ASSERT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::read);
    ASSERT_EQ(m_list.size(), 2u);
    EXPECT_EQ(m_list[0].strGameName, u"斗地主");
    EXPECT_EQ(m_list[1].strGameName, u"斗地主");
    EXPECT_EQ(m_list[1].strDatabaseName, u"LandDB");
}

TEST_F(ReadGameListTest, LongLineIsReadWhole)
{
    std::string padding(5000, 'x');
    WriteList("INSERT [GameGameItem] VALUES ( 1, N'" + padding + "', N'x', N'DB', N'MServer.dll')\r\n");
    ASSERT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::read);
    ASSERT_EQ(m_list.size(), 1u);
    EXPECT_EQ(m_list[0].strGameName.size(), 5000u);
    EXPECT_EQ(m_list[0].strModuleName, u"M");
}

TEST_F(ReadGameListTest, SecondReadReplacesTheList)
{
    WriteList("INSERT [GameGameItem] VALUES ( 1, N'A', N'x', N'ADB', N'AServer.dll')\n");
    ASSERT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::read);
    ASSERT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::read);
    EXPECT_EQ(m_list.size(), 1u);
}

TEST_F(ReadGameListTest, ScriptWithoutGamesGivesAnEmptyList)
{
    WriteList("GO\r\n");
    EXPECT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::read);
    EXPECT_TRUE(m_list.empty());
}

TEST_F(ReadGameListTest, MissingScriptShowsItsMessageAndEmptiesTheList)
{
    WriteList("INSERT [GameGameItem] VALUES ( 1, N'A', N'x', N'ADB', N'AServer.dll')\n");
    ASSERT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::read);
    std::filesystem::remove(std::filesystem::u8path(m_dir.File("脚本代码/数据脚本/游戏列表.sql")));
    m_boxes.Expect();
    EXPECT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::notOpened);
    EXPECT_TRUE(m_list.empty());
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_EQ(m_boxes.Shown()[0].text, u"游戏列表.sql  打开失败!貌似没有这个文件");
    EXPECT_EQ(m_boxes.Shown()[0].caption, AfxGetAppName());
    EXPECT_EQ(m_boxes.Shown()[0].type, MB_OK);
}

TEST_F(ReadGameListTest, UndecodableLineIsAFileErrorAfterTheGamesBeforeIt)
{
    WriteList("INSERT [GameGameItem] VALUES ( 1, N'A', N'x', N'ADB', N'AServer.dll')\r\n\xFF\xFF\r\n");
    m_boxes.Expect();
    EXPECT_EQ(ReadGameList(Context(), ModuleDir(), m_list), GameListRead::stopped);
    EXPECT_EQ(m_list.size(), 1u);
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_EQ(m_boxes.Shown()[0].text, JoinPath(ModuleDir(), u"脚本代码/数据脚本/游戏列表.sql") +
                                           u" 中有无法转换为代码页 936 的字符。");
    EXPECT_EQ(m_boxes.Shown()[0].type, MB_ICONSTOP);
}

} // namespace
