#include "CliRunner.h"

#include "framework/FileLock.h"
#include "framework/Path.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// "create --serverinfo": the client's server list of the deployment, beside the installer scripts.
class ServerInfoStep : public testing::Test
{
protected:
    CliResult Create(const std::string& platform, std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = {"create",     "--deploy-dir", m_dir.Path(), "--serverinfo",
                                         "--platform", platform,       "--domain",   "www.example.com",
                                         "--server",   "10.0.0.1"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args, "", m_dir.Path());
    }

    std::string Show() { return RunCli({"serverlist", "show", m_file}).out; }

    TempDir m_dir;
    const std::string m_file = m_dir.File("Veldra/ServerInfo.ini");
};

// The file as the run names it: below the deployment folder, with the platform's separator.
const std::string kShown = ToUtf8(JoinPath(u"Veldra", u"ServerInfo.ini"));

TEST_F(ServerInfoStep, WritesTheOneEntryThatTheServerListLoadsBack)
{
    CliResult result = Create("Veldra");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "written\t8\t" + kShown + "\n");
    EXPECT_EQ(Show(), "Veldra\t10.0.0.1\twww.example.com\n");
}

TEST_F(ServerInfoStep, AnExistingListIsUpdatedAsThePagesSaveUpdatesIt)
{
    fs::create_directory(fs::u8path(m_dir.File("Veldra")));
    ASSERT_EQ(RunCli({"serverlist", "import", m_file}, "A\t1.1.1.1\ta\nB\t2.2.2.2\tb\n").status, 0);
    m_dir.Write("Veldra/ServerInfo.ini", m_dir.Read("Veldra/ServerInfo.ini") + "[Notes]\r\nkeep=1\r\n");
    CliResult result = Create("Veldra");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Show(), "Veldra\t10.0.0.1\twww.example.com\n");
    // The save removes nothing: the surplus item and the other sections stay.
    std::string bytes = m_dir.Read("Veldra/ServerInfo.ini");
    EXPECT_NE(bytes.find("ItemCount=1\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("ItemDescribe2="), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("[Notes]\r\nkeep=1\r\n"), std::string::npos) << bytes;
}

TEST_F(ServerInfoStep, TheDryRunListsTheFileAndWritesNothing)
{
    auto before = Snapshot(m_dir);
    CliResult result = Create("Veldra", {"--dry-run"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "new\t8\t" + kShown + "\n");
    EXPECT_EQ(Snapshot(m_dir), before) << "not even the folder";
}

TEST_F(ServerInfoStep, APlatformNameThatIsNoFolderNameIsRefused)
{
    auto before = Snapshot(m_dir);
    for (const std::string platform : {".", "Veldra ", " "}) {
        CliResult result = Create(platform);
        EXPECT_EQ(result.status, 1) << platform;
        EXPECT_EQ(result.err,
                  "无法写入 " + platform +
                      "\n原因：这个名称在Windows上不能用作文件夹名\n原来的文件没有改动，请检查后重新保存\n"
                      "korvane-cli: " +
                      platform + ": not a name that Windows can give a folder or file\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(Snapshot(m_dir), before);
}

TEST_F(ServerInfoStep, AFolderThatCannotBeMadeGetsTheSaveFailureMessage)
{
    // Windows calls a file in the way of a folder a missing path.
#if defined(_WIN32)
    const std::string kNotADirectory = "No such file or directory";
#else
    const std::string kNotADirectory = "Not a directory";
#endif
    m_dir.Write("Veldra", "a file where the folder should be");
    CliResult result = Create("Veldra");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "无法写入 " + kShown +
                              "\n原因：所在目录不存在\n原来的文件没有改动，请检查后重新保存\n" +
                              "korvane-cli: " + kShown + ": " + kNotADirectory + "\n");
}

// A real run waits for another writer of the folder; a dry run, which writes nothing, does not.
TEST_F(ServerInfoStep, TheRealRunHoldsTheFoldersLock)
{
    fs::create_directory(fs::u8path(m_dir.File("Veldra")));
    CFileLock other;
    ASSERT_EQ(other.Lock(FromUtf8(m_file)), 0);
    CliResult dry = Create("Veldra", {"--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    CliResult real = Create("Veldra");
    EXPECT_EQ(real.status, 1);
    EXPECT_EQ(real.err.rfind("无法写入 " + kShown + "\n原因：另一个程序正在保存这个文件，请稍后再试\n", 0),
              0u)
        << real.err;
    EXPECT_FALSE(fs::exists(fs::u8path(m_file)));
}

} // namespace
