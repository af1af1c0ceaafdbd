#include "CliProcessWin32.h"
#include "FaultFixtures.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <windows.h>

// The process faults of the POSIX suite (FaultsTest.cpp) with Windows' means: processes side by side,
// a process ended midway, the read-only attribute.

namespace fs = std::filesystem;

namespace {

bool SetReadOnly(const TempDir& dir, const std::u16string& name, bool readOnly)
{
    std::u16string path = dir.FileW(name);
    return ::SetFileAttributesW(std::wstring(path.begin(), path.end()).c_str(),
                                readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

TEST(ServerListFaults, ParallelWritersKeepEveryChange)
{
    TempDir dir;
    std::vector<std::unique_ptr<CCliProcess>> writers;
    for (int i = 1; i <= 20; ++i) {
        const std::string n = std::to_string(i);
        writers.push_back(std::make_unique<CCliProcess>(
            std::vector<std::string>{"serverlist", "add", "ServerInfo.ini", "--name", "n" + n, "--addr",
                                     "10.0.0." + n, "--domain", "d" + n},
            "", dir.Path()));
    }
    for (const auto& writer : writers) {
        CliResult result = writer->Wait();
        EXPECT_EQ(result.status, 0) << result.err;
    }
    ExpectEveryParallelEntry(Lines(RunCli({"serverlist", "show", "ServerInfo.ini"}, "", dir.Path()).out), 20);
    EXPECT_TRUE(LeftoverTemps(dir).empty());
}

TEST_F(CreationFaults, AReadOnlyDropScriptLeavesTheBatchFileAsWell)
{
    Deploy(2);
    const std::string batch = m_dir.Read(m_batch);
    ASSERT_TRUE(SetReadOnly(m_dir, FromUtf8(m_drop), true));
    CliResult failed = RunCli(CreateArgs(), "", m_dir.Path());
    EXPECT_EQ(failed.status, 1);
    const std::string drop = ToUtf8(m_dir.FileW(FromUtf8(m_drop)));
    EXPECT_EQ(failed.err, "拒绝访问 " + drop + "。\nkorvane-cli: " + drop + ": Permission denied\n");
    // The script's path as Windows spells paths, the deployment folder's part and the joined one alike.
    EXPECT_EQ(failed.err.find('/'), std::string::npos) << failed.err;
    EXPECT_NE(failed.err.find("\\脚本代码\\数据库脚本\\数据库删除.sql"), std::string::npos) << failed.err;
    EXPECT_EQ(m_dir.Read(m_batch), batch) << "the batch file changes only with the drop script";

    ASSERT_TRUE(SetReadOnly(m_dir, FromUtf8(m_drop), false));
    EXPECT_EQ(RunCli(CreateArgs(), "", m_dir.Path()).status, 0);
    EXPECT_NE(m_dir.Read(m_batch), batch);
    EXPECT_TRUE(LeftoverTemps(m_dir).empty());
}

bool HasTempFile(const TempDir& dir)
{
    std::error_code error;
    for (fs::recursive_directory_iterator entry(fs::u8path(dir.Path()), error), end; entry != end;
         entry.increment(error)) {
        if (entry->path().filename().string().rfind(".korvane-", 0) == 0)
            return true;
    }
    return false;
}

// A run ended while it writes leaves a temporary file that nobody holds; the next run sweeps it.
TEST_F(CreationFaults, ACleanRunAfterAKillLeavesNoTemporaryFile)
{
    Deploy(30);
    for (int round = 0; round < 3; ++round) {
        CCliProcess run(CreateArgs(), "", m_dir.Path());
        ASSERT_TRUE(run.Started());
        for (int poll = 0; poll < 2000 && !HasTempFile(m_dir); ++poll)
            ::Sleep(1);
        run.Kill();
        CliResult clean = RunCli(CreateArgs(), "", m_dir.Path());
        EXPECT_EQ(clean.status, 0) << clean.err;
        EXPECT_TRUE(LeftoverTemps(m_dir).empty()) << testing::PrintToString(LeftoverTemps(m_dir));
    }
}

} // namespace
