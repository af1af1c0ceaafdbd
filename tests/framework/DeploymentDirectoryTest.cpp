#include "framework/DeploymentDirectory.h"

#include "framework/FileSystem.h"
#include "framework/Path.h"

#include <gtest/gtest.h>

namespace {

class DeploymentDirectoryTest : public ::testing::Test
{
protected:
    void SetUp() override { SetModuleDirectoryForTests(u"/opt/program"); }
    void TearDown() override
    {
        SetDeploymentDirectory(u"");
        SetModuleDirectoryForTests(u"");
    }
};

TEST_F(DeploymentDirectoryTest, IsTheProgramsFolderUntilAnotherIsNamed)
{
    // The program's folder ends with the platform's separator.
    const std::u16string program = u"/opt/program" + std::u16string(1, kPathSeparator);
    EXPECT_EQ(GetDeploymentDirectory(), program);
    SetDeploymentDirectory(u"/home/op/部署");
    EXPECT_EQ(GetDeploymentDirectory(), u"/home/op/部署" + std::u16string(1, kPathSeparator));
    // The program's own folder is still where it was: only the deployment folder moved.
    EXPECT_EQ(GetModuleDirectory(), program);
    SetDeploymentDirectory(u"");
    EXPECT_EQ(GetDeploymentDirectory(), program);
}

TEST_F(DeploymentDirectoryTest, ANamedFolderEndsWithOneSeparator)
{
    SetDeploymentDirectory(u"deploy/");
    EXPECT_EQ(GetDeploymentDirectory(), u"deploy/");
    SetDeploymentDirectory(u"/");
    EXPECT_EQ(GetDeploymentDirectory(), u"/");
#if defined(_WIN32)
    SetDeploymentDirectory(u"D:\\部署\\");
    EXPECT_EQ(GetDeploymentDirectory(), u"D:\\部署\\");
    SetDeploymentDirectory(u"D:\\部署");
    EXPECT_EQ(GetDeploymentDirectory(), u"D:\\部署\\");
#endif
}

} // namespace
