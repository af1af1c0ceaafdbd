#include "create/DatabaseScripts.h"

#include "framework/Path.h"
#include "framework/StdioFile.h"
#include "create/ScriptFixture.h"
#include "framework/WideText.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::u16string>;

const std::vector<std::u16string> kProcedures = {u"标识登录", u"道具管理", u"道具配置", u"加载机器",
                                                 u"加载配置", u"加载消息", u"离开房间", u"列表描述",
                                                 u"列表配置", u"游戏记录", u"游戏写分"};

const std::u16string kWorkedBatch = u"Rem start\n"
                                    u"\n"
                                    u"osql -E -i \"%rootPath%2_1_用户库脚本.sql\"\n"
                                    u"\n"
                                    u"Rem 建连接服务和填充数据\n"
                                    u"\n"
                                    u"pause\n";

const std::string kBatch = "脚本代码/一键安装.bat";
const std::string kDrop = "脚本代码/数据库脚本/数据库删除.sql";

std::string ScoreScript(int part, int number, const std::string& name)
{
    return "脚本代码/数据库脚本/" + std::to_string(part) + "_" + std::to_string(number) + "_" + name +
           "积分库脚本.sql";
}

std::string ProcedureScript(const std::string& game, const std::u16string& procedure)
{
    return "脚本代码/存储过程/" + game + "积分数据库/" + ToUtf8(procedure) + ".sql";
}

Lines ProcedureBlockLines(const std::u16string& game)
{
    Lines lines = {u"set rootPath=存储过程\\" + game + u"积分数据库\\"};
    for (const auto& p : kProcedures)
        lines.push_back(u"osql -E  -i \"%rootPath%" + p + u".sql\"");
    return lines;
}

Lines DropLines(const std::u16string& database)
{
    return {u"IF EXISTS (SELECT name FROM master.dbo.sysdatabases WHERE name = N'" + database + u"')",
            u"DROP DATABASE [" + database + u"]", u"GO", u""};
}

Lines Join(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class DatabaseScriptsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteDiskText(m_dir, kBatch, kWorkedBatch);
        WriteDiskText(m_dir, kDrop, u"USE master\nGO\n\n");
        for (int part = 1; part <= 2; ++part)
            WriteDiskText(m_dir, "脚本代码/数据库脚本/" + std::to_string(part) + "_5_积分库脚本.sql",
                          u"-- 第" + std::u16string(1, u'0' + part) +
                              u"部分\nCREATE DATABASE [QPGameScoreDB]\nGO\nUSE [QPGameScoreDB]\n");
        for (const auto& p : kProcedures)
            WriteDiskText(m_dir, "脚本代码/存储过程/积分数据库/" + ToUtf8(p) + ".sql",
                          u"USE QPGameScoreDB\nGO\n-- " + p + u"\nEXEC QPGameScoreDB.dbo.x");
    }

    std::u16string ModuleDir() const { return WithTrailingSeparator(m_dir.PathW()); }
    bool Run(const CArray<tagServerInfo>& games)
    {
        return MakeDatabaseScripts(Context(), ModuleDir(), games);
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(DiskPath(m_dir, name)); }

    static CArray<tagServerInfo> WorkedGames()
    {
        return {{u"1", u"Mahjong", u"SCMahjong", u"MahjongDB"},
                {u"2", u"Coins", u"SCCoins", u"QPTreasureDB"},
                {u"3", u"Poker", u"SCPoker", u"PokerDB"}};
    }

    TempDir m_dir;
    tagRunContext Context() { return tagRunContext{m_boxes, DiskStore()}; }

    // The one message of the run: the file error as the framework's dispatcher shows it.
    void ExpectFileError(int cause, const std::string& file) const
    {
        ASSERT_EQ(m_boxes.Shown().size(), 1u);
        EXPECT_EQ(m_boxes.Shown()[0].text,
                  (tagFileError{cause, m_dir.FileW(FromUtf8(file)), 0}.GetErrorMessage()));
        EXPECT_EQ(m_boxes.Shown()[0].caption, u"Korvane");
        EXPECT_EQ(m_boxes.Shown()[0].type, MB_ICONSTOP);
        ASSERT_EQ(m_boxes.Details().size(), 1u) << "the file error's detail follows its message";
        EXPECT_EQ(m_boxes.Details()[0].nAfterMessages, 1u);
        EXPECT_EQ(m_boxes.Details()[0].error.m_cause, cause);
        EXPECT_EQ(m_boxes.Details()[0].error.m_strFileName, m_dir.FileW(FromUtf8(file)));
    }

    ReporterRecorder m_boxes;
};

TEST_F(DatabaseScriptsTest, WorkedExampleGivesTheBatchFileLineForLine)
{
    ASSERT_TRUE(Run(WorkedGames()));
    Lines expected =
        Join({{u"Rem start", u"osql -E -i \"%rootPath%1_8_Mahjong积分库脚本.sql\"",
               u"osql -E -i \"%rootPath%1_9_Poker积分库脚本.sql\"", u"",
               u"osql -E -i \"%rootPath%2_1_用户库脚本.sql\"",
               u"osql -E -i \"%rootPath%2_8_Mahjong积分库脚本.sql\"",
               u"osql -E -i \"%rootPath%2_9_Poker积分库脚本.sql\"", u"", u"Rem 建连接服务和填充数据"},
              ProcedureBlockLines(u"Mahjong"),
              {u""},
              ProcedureBlockLines(u"Poker"),
              {u"", u"", u"pause"}});
    bool endsWithBreak = false;
    Lines batch = DiskLines(m_dir, kBatch, &endsWithBreak);
    ASSERT_EQ(batch.size(), 37u);
    EXPECT_EQ(batch, expected);
    EXPECT_TRUE(endsWithBreak);
    EXPECT_EQ(DiskLines(m_dir, kDrop),
              Join({{u"USE master", u"GO", u""}, DropLines(u"MahjongDB"), DropLines(u"PokerDB")}));
}

TEST_F(DatabaseScriptsTest, WorkedExampleWritesEachGamesScriptsFromTheTemplates)
{
    ASSERT_TRUE(Run(WorkedGames()));
    EXPECT_EQ(DiskLines(m_dir, ScoreScript(1, 8, "Mahjong")),
              (Lines{u"-- 第1部分", u"CREATE DATABASE [MahjongDB]", u"GO", u"USE [MahjongDB]"}));
    EXPECT_EQ(DiskLines(m_dir, ScoreScript(2, 9, "Poker"))[3], u"USE [PokerDB]");
    EXPECT_TRUE(Exists(ScoreScript(2, 8, "Mahjong")));
    EXPECT_TRUE(Exists(ScoreScript(1, 9, "Poker")));
    EXPECT_FALSE(Exists(ScoreScript(1, 10, "Poker")));
    EXPECT_FALSE(Exists("脚本代码/存储过程/Coins积分数据库"));
    for (const auto& p : kProcedures) {
        bool endsWithBreak = false;
        Lines lines = DiskLines(m_dir, ProcedureScript("Mahjong", p), &endsWithBreak);
        EXPECT_EQ(lines, (Lines{u"USE MahjongDB", u"GO", u"-- " + p, u"EXEC MahjongDB.dbo.x"}));
        EXPECT_TRUE(endsWithBreak) << "the template's last line gets its line break";
        EXPECT_EQ(DiskLines(m_dir, ProcedureScript("Poker", p))[0], u"USE PokerDB");
    }
}

TEST_F(DatabaseScriptsTest, GameNamesHoldingAMarkerDoNotMoveLaterGamesLines)
{
    ASSERT_TRUE(Run({{u"1", u"Applause", u"SCA", u"ADB"},
                     {u"2", u"pause局", u"SCP", u"PDB"},
                     {u"3", u"Rem 建连接服务和填充数据", u"SCR", u"RDB"},
                     {u"4", u"Poker", u"SCK", u"KDB"}}));
    Lines expected =
        Join({{u"Rem start", u"osql -E -i \"%rootPath%1_8_Applause积分库脚本.sql\"",
               u"osql -E -i \"%rootPath%1_9_pause局积分库脚本.sql\"",
               u"osql -E -i \"%rootPath%1_10_Rem 建连接服务和填充数据积分库脚本.sql\"",
               u"osql -E -i \"%rootPath%1_11_Poker积分库脚本.sql\"", u"",
               u"osql -E -i \"%rootPath%2_1_用户库脚本.sql\"",
               u"osql -E -i \"%rootPath%2_8_Applause积分库脚本.sql\"",
               u"osql -E -i \"%rootPath%2_9_pause局积分库脚本.sql\"",
               u"osql -E -i \"%rootPath%2_10_Rem 建连接服务和填充数据积分库脚本.sql\"",
               u"osql -E -i \"%rootPath%2_11_Poker积分库脚本.sql\"", u"", u"Rem 建连接服务和填充数据"},
              ProcedureBlockLines(u"Applause"),
              {u""},
              ProcedureBlockLines(u"pause局"),
              {u""},
              ProcedureBlockLines(u"Rem 建连接服务和填充数据"),
              {u""},
              ProcedureBlockLines(u"Poker"),
              {u"", u"", u"pause"}});
    EXPECT_EQ(DiskLines(m_dir, kBatch), expected);
}

TEST_F(DatabaseScriptsTest, CoinDatabaseOnlyRewritesBatchAndDropWithCrLf)
{
    m_dir.Write(kBatch, "Rem a\npause");
    m_dir.Write(kDrop, "GO");
    ASSERT_TRUE(Run({{u"2", u"Coins", u"SCCoins", u"QPTreasureDB"}}));
    EXPECT_EQ(m_dir.Read(kBatch), "Rem a\r\npause\r\n");
    EXPECT_EQ(m_dir.Read(kDrop), "GO\r\n");
    EXPECT_FALSE(Exists(ScoreScript(1, 8, "Coins")));
    EXPECT_FALSE(Exists("脚本代码/存储过程/Coins积分数据库"));
}

TEST_F(DatabaseScriptsTest, DuplicateGameGetsTwoNumbers)
{
    tagServerInfo game = {u"5", u"Go", u"SCGo", u"GoDB"};
    ASSERT_TRUE(Run({game, game}));
    Lines batch = DiskLines(m_dir, kBatch);
    EXPECT_EQ(batch[1], u"osql -E -i \"%rootPath%1_8_Go积分库脚本.sql\"");
    EXPECT_EQ(batch[2], u"osql -E -i \"%rootPath%1_9_Go积分库脚本.sql\"");
    EXPECT_TRUE(Exists(ScoreScript(2, 8, "Go")));
    EXPECT_TRUE(Exists(ScoreScript(2, 9, "Go")));
    EXPECT_EQ(DiskLines(m_dir, kDrop),
              Join({{u"USE master", u"GO", u""}, DropLines(u"GoDB"), DropLines(u"GoDB")}));
}

TEST_F(DatabaseScriptsTest, SecondRunExtendsBatchAndDropAgain)
{
    CArray<tagServerInfo> games = {{u"5", u"Go", u"SCGo", u"GoDB"}};
    ASSERT_TRUE(Run(games));
    ASSERT_TRUE(Run(games));
    Lines expected = Join(
        {{u"Rem start", u"osql -E -i \"%rootPath%1_8_Go积分库脚本.sql\"",
          u"osql -E -i \"%rootPath%1_8_Go积分库脚本.sql\"", u"",
          u"osql -E -i \"%rootPath%2_1_用户库脚本.sql\"", u"osql -E -i \"%rootPath%2_8_Go积分库脚本.sql\"",
          u"osql -E -i \"%rootPath%2_8_Go积分库脚本.sql\"", u"", u"Rem 建连接服务和填充数据"},
         ProcedureBlockLines(u"Go"),
         {u""},
         ProcedureBlockLines(u"Go"),
         {u"", u"", u"pause"}});
    EXPECT_EQ(DiskLines(m_dir, kBatch), expected);
    EXPECT_EQ(DiskLines(m_dir, kDrop),
              Join({{u"USE master", u"GO", u""}, DropLines(u"GoDB"), DropLines(u"GoDB")}));
}

TEST_F(DatabaseScriptsTest, PlaceholderIsReplacedEverywhereAndOnlyThere)
{
    WriteDiskText(m_dir, "脚本代码/数据库脚本/1_5_积分库脚本.sql",
                  u"QPGameScoreDBQPGameScoreDB xQPGameScoreDBy\nqpgamescoredb");
    WriteDiskText(m_dir, "脚本代码/数据库脚本/2_5_积分库脚本.sql", u"SELECT 1\n\nGO\n");
    ASSERT_TRUE(Run({{u"5", u"Go", u"SCGo", u"GoDB"}}));
    EXPECT_EQ(m_dir.Read(ScoreScript(1, 8, "Go")), "GoDBGoDB xGoDBy\r\nqpgamescoredb\r\n");
    EXPECT_EQ(m_dir.Read(ScoreScript(2, 8, "Go")), "SELECT 1\r\n\r\nGO\r\n");
}

TEST_F(DatabaseScriptsTest, EmptyDatabaseNameRemovesThePlaceholder)
{
    ASSERT_TRUE(Run({{u"5", u"Go", u"SCGo", u""}}));
    EXPECT_EQ(DiskLines(m_dir, ScoreScript(1, 8, "Go"))[1], u"CREATE DATABASE []");
}

TEST_F(DatabaseScriptsTest, MissingProcedureTemplateStopsTheCommandAfterItsMessage)
{
    const std::string missing = "脚本代码/存储过程/积分数据库/游戏写分.sql";
    std::filesystem::remove(DiskPath(m_dir, missing));
    const std::string batchBefore = m_dir.Read(kBatch);
    const std::string dropBefore = m_dir.Read(kDrop);
    m_boxes.Expect();
    EXPECT_FALSE(Run(WorkedGames()));
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_EQ(m_boxes.Shown()[0].text, m_dir.FileW(FromUtf8(missing)) + u"读取失败!");
    EXPECT_EQ(m_boxes.Shown()[0].caption, u"数据库脚本生成错误");
    EXPECT_EQ(m_boxes.Shown()[0].type, MB_OK);
    EXPECT_TRUE(Exists(ScoreScript(1, 8, "Mahjong")));
    EXPECT_TRUE(Exists(ScoreScript(2, 8, "Mahjong")));
    for (size_t i = 0; i < 10; ++i)
        EXPECT_TRUE(Exists(ProcedureScript("Mahjong", kProcedures[i]))) << i;
    EXPECT_FALSE(Exists(ProcedureScript("Mahjong", kProcedures[10])));
    EXPECT_FALSE(Exists(ScoreScript(1, 9, "Poker")));
    EXPECT_EQ(m_dir.Read(kBatch), batchBefore);
    EXPECT_EQ(m_dir.Read(kDrop), dropBefore);
}

TEST_F(DatabaseScriptsTest, MissingDropScriptStopsBeforeAnyWrite)
{
    std::filesystem::remove(DiskPath(m_dir, kDrop));
    m_boxes.Expect();
    EXPECT_FALSE(Run(WorkedGames()));
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::u16string>{m_dir.FileW(FromUtf8(kDrop)) + u"读取失败!"});
    // Its text gives no cause; the detail does.
    ASSERT_EQ(m_boxes.Details().size(), 1u);
    EXPECT_EQ(m_boxes.Details()[0].nAfterMessages, 1u);
    EXPECT_EQ(m_boxes.Details()[0].error.m_lOsError, ENOENT);
    EXPECT_EQ(m_boxes.Details()[0].error.m_strFileName, m_dir.FileW(FromUtf8(kDrop)));
    EXPECT_FALSE(Exists(ScoreScript(1, 8, "Mahjong")));
    EXPECT_EQ(DiskLines(m_dir, kBatch)[0], u"Rem start");
}

TEST_F(DatabaseScriptsTest, UnusableGameNameIsRefusedBeforeAnythingIsWritten)
{
    for (const std::u16string& name :
         {std::u16string(u""), std::u16string(u"."), std::u16string(u"../x"), std::u16string(u"a\\b"),
          std::u16string(u"a:b"), std::u16string(u"a?")}) {
        m_boxes.Clear();
        m_boxes.Expect();
        const std::string batchBefore = m_dir.Read(kBatch);
        CArray<tagServerInfo> games = {{u"1", u"Mahjong", u"SCMahjong", u"MahjongDB"},
                                       {u"7", name, u"M", u"XDB"}};
        EXPECT_FALSE(Run(games));
        ASSERT_EQ(m_boxes.Shown().size(), 1u);
        EXPECT_EQ(m_boxes.Shown()[0].text, u"游戏名称“" + name + u"”(编号 7)不能用作文件名!");
        EXPECT_EQ(m_boxes.Shown()[0].caption, u"数据库脚本生成错误");
        EXPECT_FALSE(Exists(ScoreScript(1, 8, "Mahjong")));
        EXPECT_FALSE(Exists("脚本代码/存储过程/Mahjong积分数据库"));
        EXPECT_EQ(m_dir.Read(kBatch), batchBefore);
    }
}

TEST_F(DatabaseScriptsTest, LinesAboveMarkersWithTextAreNeverJoined)
{
    WriteDiskText(
        m_dir, kBatch,
        u"Rem start\nosql -E -i \"%rootPath%2_1_用户库脚本.sql\"\nRem 建连接服务和填充数据\npause\n");
    ASSERT_TRUE(Run({{u"1", u"A", u"SCA", u"ADB"}, {u"2", u"B", u"SCB", u"BDB"}}));
    Lines expected = Join(
        {{u"Rem start", u"osql -E -i \"%rootPath%1_8_A积分库脚本.sql\"",
          u"osql -E -i \"%rootPath%1_9_B积分库脚本.sql\"", u"osql -E -i \"%rootPath%2_1_用户库脚本.sql\"",
          u"osql -E -i \"%rootPath%2_8_A积分库脚本.sql\"", u"osql -E -i \"%rootPath%2_9_B积分库脚本.sql\"",
          u"Rem 建连接服务和填充数据"},
         ProcedureBlockLines(u"A"),
         ProcedureBlockLines(u"B"),
         {u"", u"", u"pause"}});
    EXPECT_EQ(DiskLines(m_dir, kBatch), expected);
}

TEST_F(DatabaseScriptsTest, MissingMarkerPutsTheLinesAtTheStart)
{
    WriteDiskText(m_dir, kBatch, u"Rem nothing here\n");
    ASSERT_TRUE(Run({{u"1", u"A", u"SCA", u"ADB"}}));
    Lines expected = Join({ProcedureBlockLines(u"A"),
                           {u"", u"osql -E -i \"%rootPath%2_8_A积分库脚本.sql\"",
                            u"osql -E -i \"%rootPath%1_8_A积分库脚本.sql\"", u"Rem nothing here"}});
    EXPECT_EQ(DiskLines(m_dir, kBatch), expected);
}

TEST_F(DatabaseScriptsTest, UnwritableBatchFileIsAFileErrorAndStaysWhole)
{
    const std::string batchBefore = m_dir.Read(kBatch);
    const std::string dropBefore = m_dir.Read(kDrop);
    std::filesystem::permissions(DiskPath(m_dir, kBatch), std::filesystem::perms::owner_read);
    m_boxes.Expect();
    EXPECT_FALSE(Run(WorkedGames()));
    ExpectFileError(tagFileError::accessDenied, kBatch);
    EXPECT_EQ(m_dir.Read(kBatch), batchBefore);
    EXPECT_EQ(m_dir.Read(kDrop), dropBefore);
    EXPECT_TRUE(Exists(ProcedureScript("Poker", kProcedures[10])));
}

TEST_F(DatabaseScriptsTest, UnwritableGameScriptKeepsItsOldContentAndStopsTheRun)
{
    const std::string blocked = ScoreScript(2, 8, "Mahjong");
    m_dir.Write(blocked, "old\r\n");
    std::filesystem::permissions(DiskPath(m_dir, blocked), std::filesystem::perms::owner_read);
    const std::string batchBefore = m_dir.Read(kBatch);
    m_boxes.Expect();
    EXPECT_FALSE(Run(WorkedGames()));
    ExpectFileError(tagFileError::accessDenied, blocked);
    EXPECT_EQ(m_dir.Read(blocked), "old\r\n");
    EXPECT_TRUE(Exists(ScoreScript(1, 8, "Mahjong")));
    EXPECT_FALSE(Exists("脚本代码/存储过程/Mahjong积分数据库"));
    EXPECT_EQ(m_dir.Read(kBatch), batchBefore);
}

TEST_F(DatabaseScriptsTest, CharacterWithoutCodePage936FormFailsTheScript)
{
    const std::string batchBefore = m_dir.Read(kBatch);
    m_boxes.Expect();
    EXPECT_FALSE(Run({{u"1", u"Thai", u"SCThai", u"\u0E01DB"}}));
    ExpectFileError(tagFileError::badCodePage, ScoreScript(1, 8, "Thai"));
    EXPECT_FALSE(Exists(ScoreScript(1, 8, "Thai")));
    EXPECT_EQ(m_dir.Read(kBatch), batchBefore);
}

} // namespace
