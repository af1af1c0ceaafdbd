#include "create/DLGCreate.h"

#include "framework/DeploymentDirectory.h"
#include "framework/FileSystem.h"
#include "res/Resource.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"
#include "framework/TestDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace TestDriver;

namespace {

namespace fs = std::filesystem;

const std::string kDrop = "脚本代码/数据库脚本/数据库删除.sql";

// The creation page of an installed program: the sample beside it is not the operator's to write, so he
// names a folder of his own at start.
class DeploymentDirPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Create(IDD_DLG_CREATE, &host));
        SetModuleDirectoryForTests(program.PathW());
        fs::copy(fs::u8path(std::string(KORVANE_SOURCE_DIR) + "/deploy/脚本代码"),
                 fs::u8path(operatorDir.File("脚本代码")), fs::copy_options::recursive);
    }

    void TearDown() override
    {
        SetDeploymentDirectory(u"");
        SetModuleDirectoryForTests(u"");
    }

    // The database scripts only: they are written into the deployment folder, nothing into the working one.
    void RunDatabaseScripts()
    {
        Click(page, IDC_CHECK_INSTALLER);
        Click(page, IDC_CHECK_SERVERINFO);
        Click(page, IDC_BTN_CREATE_OK);
    }

    CHostWnd host;
    CDLGCreate page;
    MessageBoxRecorder boxes;
    TempDir program;
    TempDir operatorDir;
};

TEST_F(DeploymentDirPageTest, TheRunReadsAndWritesTheNamedFolderAndLeavesTheProgramsFolderAlone)
{
    const std::string sampleDrop = operatorDir.Read(kDrop);
    SetDeploymentDirectory(operatorDir.PathW());
    RunDatabaseScripts();

    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(page.m_szModuleDir, operatorDir.PathW() + u"/");
    EXPECT_GT(operatorDir.Read(kDrop).size(), sampleDrop.size()) << "no game was added to the drop script";
    EXPECT_TRUE(fs::is_empty(fs::u8path(program.Path())));
}

TEST_F(DeploymentDirPageTest, WithoutANamedFolderTheRunLooksBesideTheProgram)
{
    // The program's folder has no "脚本代码": the run stops at the game list and writes nothing anywhere.
    const std::string sampleDrop = operatorDir.Read(kDrop);
    boxes.Expect(IDOK, 2);
    RunDatabaseScripts();

    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, u"游戏列表.sql  打开失败!貌似没有这个文件");
    EXPECT_EQ(page.m_szModuleDir, program.PathW() + u"/");
    EXPECT_EQ(operatorDir.Read(kDrop), sampleDrop);
    EXPECT_TRUE(fs::is_empty(fs::u8path(program.Path())));
}

} // namespace
