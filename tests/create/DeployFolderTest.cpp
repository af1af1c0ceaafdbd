#include "create/DatabaseScripts.h"
#include "create/GameList.h"
#include "create/InstallerScripts.h"

#include "create/ScriptFixture.h"
#include "framework/Path.h"
#include "framework/FileSystem.h"
#include "framework/WideText.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::u16string>;

const std::filesystem::path kDeploy =
    std::filesystem::u8path(std::string(KORVANE_SOURCE_DIR) + "/deploy/脚本代码");

TEST(DeployFolder, EveryFileIsCodePage936WithCrLf)
{
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kDeploy)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const std::string path = entry.path().string();
        std::string bytes = ReadFileBytes(FromUtf8(path)).value_or("");
        SCOPED_TRACE(path);
        ASSERT_FALSE(bytes.empty());
        EXPECT_TRUE(Cp936DecodeExact(bytes).has_value());
        EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u);
        EXPECT_TRUE(bytes.ends_with("\r\n"));
        for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
            ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "LF without CR at byte " << at;
    }
    EXPECT_EQ(files, 16u);
}

TEST(DeployFolder, BatchFileHasItsMarkersUnderEmptyLines)
{
    TempDir dir;
    CopyDeployFolder(dir);
    Lines batch = DiskLines(dir, "脚本代码/一键安装.bat");
    for (std::u16string marker :
         {u"osql -E -i \"%rootPath%2_1_用户库脚本.sql\"", u"Rem 建连接服务和填充数据", u"pause"}) {
        auto it = std::find(batch.begin(), batch.end(), marker);
        ASSERT_NE(it, batch.end()) << ToUtf8(marker);
        ASSERT_NE(it, batch.begin());
        EXPECT_EQ(*(it - 1), u"");
    }
}

class DeployRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyDeployFolder(m_dir);
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    TempDir m_dir;
    tagRunContext Context() { return tagRunContext{m_boxes, DiskStore()}; }

    ReporterRecorder m_boxes;
    std::filesystem::path m_previous;
};

TEST_F(DeployRunTest, WholeRunOnTheSampleFolder)
{
    tagCreateRequest request{u"星河网络", u"星河棋牌", u"www.xinghe.example",
                             u"10.0.0.1", u"XingHe",   WithTrailingSeparator(m_dir.PathW()),
                             {}};
    ASSERT_EQ(ReadGameList(Context(), request.strModuleDir, request.GameList), GameListRead::read);
    ASSERT_EQ(request.GameList.size(), 6u);
    EXPECT_EQ(request.GameList[1].strGameName, u"四川麻将");
    EXPECT_EQ(request.GameList[1].strModuleName, u"SCMahjong");
    EXPECT_EQ(request.GameList[2].strDatabaseName, u"QPTreasureDB");

    ASSERT_TRUE(MakeDatabaseScripts(Context(), request.strModuleDir, request.GameList));
    Lines batch = DiskLines(m_dir, "脚本代码/一键安装.bat");
    auto line = [&](const std::u16string& text) {
        return std::find(batch.begin(), batch.end(), text) - batch.begin();
    };
    // The treasure game gets no number: 斗地主 8, 四川麻将 9, 中国象棋 10, 升级 11, 梭哈 12.
    EXPECT_EQ(line(u"osql -E -i \"%rootPath%1_4_记录库脚本.sql\"") + 1,
              line(u"osql -E -i \"%rootPath%1_8_斗地主积分库脚本.sql\""));
    EXPECT_EQ(line(u"osql -E -i \"%rootPath%2_4_记录库脚本.sql\"") + 5,
              line(u"osql -E -i \"%rootPath%2_12_梭哈积分库脚本.sql\""));
    EXPECT_LT(line(u"set rootPath=存储过程\\梭哈积分数据库\\"), line(u"pause"));
    ASSERT_FALSE(batch.empty());
    EXPECT_EQ(batch.back(), u"pause");
    EXPECT_FALSE(std::filesystem::exists(DiskPath(m_dir, "脚本代码/存储过程/欢乐斗牛积分数据库")));
    Lines score = DiskLines(m_dir, "脚本代码/数据库脚本/2_10_中国象棋积分库脚本.sql");
    ASSERT_GE(score.size(), 2u);
    EXPECT_EQ(score[1], u"USE ChessScoreDB");
    for (const auto& text : DiskLines(m_dir, "脚本代码/存储过程/升级积分数据库/游戏写分.sql"))
        EXPECT_EQ(text.find(u"QPGameScoreDB"), std::u16string::npos) << ToUtf8(text);

    ASSERT_TRUE(MakeInstallerScripts(Context(), request));
    size_t scripts = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DiskPath(m_dir, "星河棋牌")))
        scripts += entry.path().extension() == ".iss";
    EXPECT_EQ(scripts, 8u);
    EXPECT_TRUE(m_boxes.Shown().empty());
}

} // namespace
