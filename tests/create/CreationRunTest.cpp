#include "create/CreationRun.h"

#include "ScriptFixture.h"
#include "framework/Path.h"
#include "framework/FileSandbox.h"
#include "serverlist/ServerList.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace {

// Runs in its temporary folder, where the installer scripts and the server list go.
class CreationRun : public testing::Test
{
protected:
    void SetUp() override
    {
        m_request.strModuleDir = WithTrailingSeparator(m_dir.PathW());
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    void ServerListInputs(const std::u16string& platform)
    {
        m_request.strPlatformName = platform;
        m_request.strPlatformDomain = u"www.example.com";
        m_request.strServerAddr = u"10.0.0.1";
    }

    TempDir m_dir;
    tagRunContext Context() { return tagRunContext{m_boxes, DiskStore()}; }

    ReporterRecorder m_boxes;
    tagCreateRequest m_request;
    std::filesystem::path m_previous;
};

TEST_F(CreationRun, TheServerListOptionAloneWritesOnlyTheServerList)
{
    ServerListInputs(u"星河");
    m_request.GameList = {tagServerInfo{u"1", u"kept", u"M", u"DB"}};
    EXPECT_TRUE(RunCreation(Context(), m_request, tagCreateOptions{false, false, true}));
    ASSERT_EQ(m_request.GameList.size(), 1u) << "the list is not read: that of an earlier run stays";
    EXPECT_TRUE(m_boxes.Shown().empty());
    CArray<tagServer> servers;
    LoadServerList(Context(), JoinPath(u"星河", u"ServerInfo.ini"), servers);
    EXPECT_EQ(servers, (CArray<tagServer>{{u"星河", u"10.0.0.1", u"www.example.com"}}));
    std::filesystem::recursive_directory_iterator entries(m_dir.Path());
    EXPECT_EQ(std::distance(entries, std::filesystem::recursive_directory_iterator()), 2)
        << "the folder and its one file";
}

TEST_F(CreationRun, TheServerListOfADryRunStaysInTheSandbox)
{
    ServerListInputs(u"星河");
    CFileSandbox sandbox;
    EXPECT_TRUE(
        RunCreation(tagRunContext{m_boxes, sandbox}, m_request, tagCreateOptions{false, false, true}));
    ASSERT_EQ(sandbox.Writes().size(), 1u);
    EXPECT_EQ(sandbox.Writes()[0].path, JoinPath(u"星河", u"ServerInfo.ini"));
    CArray<tagServer> servers;
    LoadServerList(tagRunContext{m_boxes, sandbox}, JoinPath(u"星河", u"ServerInfo.ini"), servers);
    EXPECT_EQ(servers, (CArray<tagServer>{{u"星河", u"10.0.0.1", u"www.example.com"}}));
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
}

TEST_F(CreationRun, AServerListThatCannotBeWrittenGetsTheSaveFailureMessage)
{
    ServerListInputs(u"星河 ");
    m_boxes.Expect();
    EXPECT_FALSE(RunCreation(Context(), m_request, tagCreateOptions{false, false, true}));
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_EQ(
        m_boxes.Shown()[0].text,
        u"无法写入 星河 \n原因：这个名称在Windows上不能用作文件夹名\n原来的文件没有改动，请检查后重新保存");
    EXPECT_EQ(m_boxes.Shown()[0].caption, u"ServerInfo.ini保存失败");
    ASSERT_EQ(m_boxes.Details().size(), 1u);
    EXPECT_EQ(m_boxes.Details()[0].error.m_cause, tagFileError::badName);
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));

    m_boxes.Clear();
    ServerListInputs(u"星河");
    m_dir.Write("星河", "a file where the folder should be");
    m_boxes.Expect();
    EXPECT_FALSE(RunCreation(Context(), m_request, tagCreateOptions{false, false, true}));
    ASSERT_EQ(m_boxes.Details().size(), 1u);
#if !defined(_WIN32) // Windows names a file in the way of a folder "path not found"
    EXPECT_EQ(m_boxes.Details()[0].error.m_lOsError, ENOTDIR);
#endif
    EXPECT_EQ(m_boxes.Details()[0].error.m_strFileName, JoinPath(u"星河", u"ServerInfo.ini"));
}

TEST_F(CreationRun, AGameListThatCannotBeReadOrIsEmptyStopsTheRun)
{
    m_boxes.Expect(IDOK, 2);
    EXPECT_FALSE(RunCreation(Context(), m_request, tagCreateOptions{true, false, false}));
    EXPECT_EQ(m_boxes.Texts(), (std::vector<std::u16string>{u"游戏列表.sql  打开失败!貌似没有这个文件",
                                                            u"游戏列表读取失败!"}));
    // The reader's message names no file; its detail, right after it, does.
    ASSERT_EQ(m_boxes.Details().size(), 1u);
    EXPECT_EQ(m_boxes.Details()[0].nAfterMessages, 1u);
    EXPECT_EQ(m_boxes.Details()[0].error.m_lOsError, ENOENT);
    EXPECT_EQ(m_boxes.Details()[0].error.m_strFileName, m_dir.FileW(u"脚本代码/数据脚本/游戏列表.sql"));

    m_boxes.Clear();
    WriteDiskText(m_dir, "脚本代码/数据脚本/游戏列表.sql", u"-- no games\n");
    m_boxes.Expect();
    EXPECT_FALSE(RunCreation(Context(), m_request, tagCreateOptions{true, false, false}));
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::u16string>{u"游戏列表读取成功,但是内容为空"});
    EXPECT_FALSE(std::filesystem::exists(DiskPath(m_dir, "脚本代码/数据库脚本")));
}

TEST_F(CreationRun, TheDatabaseStepRunsOnTheSampleFolder)
{
    CopyDeployFolder(m_dir);
    std::string batch = m_dir.Read("脚本代码/一键安装.bat");
    EXPECT_TRUE(RunCreation(Context(), m_request, tagCreateOptions{true, false, false}));
    EXPECT_FALSE(m_request.GameList.empty());
    EXPECT_NE(m_dir.Read("脚本代码/一键安装.bat"), batch);
    EXPECT_TRUE(std::filesystem::exists(DiskPath(m_dir, "脚本代码/数据库脚本/1_8_斗地主积分库脚本.sql")));
}

TEST_F(CreationRun, AFailedDatabaseStepEndsTheRunBeforeTheInstallerStep)
{
    CopyDeployFolder(m_dir);
    std::filesystem::remove(DiskPath(m_dir, "脚本代码/数据库脚本/1_5_积分库脚本.sql"));
    m_request.strCompanyName = u"C";
    m_request.strPlatformName = u"korvane-creation-run-test";
    m_request.strPlatformDomain = u"D";
    m_request.strServerAddr = u"S";
    m_request.strRegistryInfo = u"R";
    m_boxes.Expect();
    EXPECT_FALSE(RunCreation(Context(), m_request, tagCreateOptions{}));
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    EXPECT_EQ(m_boxes.Shown()[0].caption, u"数据库脚本生成错误");
    EXPECT_FALSE(std::filesystem::exists("korvane-creation-run-test"))
        << "neither the installer step nor the "
           "server list step runs";
}

} // namespace
