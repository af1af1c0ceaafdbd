#include "FaultFixtures.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Runs a shell line with "$0" standing for korvane-cli, for faults that need a shell: a file-size
// limit, a kill, parallel runs.
CliResult RunShell(const std::string& script, const std::string& cwd)
{
    return RunCli({"-c", script, KORVANE_CLI_PATH}, "", cwd, "/bin/sh");
}

class BadServerLists : public testing::Test
{
protected:
    CliResult Run(const std::vector<std::string>& args)
    {
        std::vector<std::string> all = {"serverlist"};
        all.insert(all.end(), args.begin(), args.end());
        return RunCli(all, "", m_dir.Path());
    }

    TempDir m_dir;
    std::string m_file = m_dir.File("ServerInfo.ini");
};

TEST_F(BadServerLists, AHugeCountInATinyFileIsCutAndSaidOnce)
{
    m_dir.Write("ServerInfo.ini", "[ServerInfo]\r\nItemCount=2000000000\r\n");
    auto start = std::chrono::steady_clock::now();
    CliResult shown = Run({"show", m_file});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.err, "ItemCount=2000000000 远多于文件中保存的服务器，只加载了 10000 项\n");
    EXPECT_EQ(Lines(shown.out).size(), 10000u) << "the missing entries load empty, up to the bound";

    m_dir.Write("ServerInfo.ini", "[ServerInfo]\r\nItemCount=2000000000\r\nItemDescribe2000000000=x\r\n");
    CliResult check = Run({"check", m_file});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("[ServerInfo] ItemCount: is 2000000000, far more than the file stores: the load "
                             "makes 10001 entries of it"),
              std::string::npos)
        << check.out;
}

TEST_F(BadServerLists, CountsThatWrapToNegativeMeanNoEntries)
{
    for (const char* count : {"4294967295", "3000000000", "-1"}) {
        m_dir.Write("ServerInfo.ini", std::string("[ServerInfo]\r\nItemCount=") + count + "\r\n");
        CliResult shown = Run({"show", m_file});
        EXPECT_EQ(shown.status, 0) << count;
        EXPECT_EQ(shown.out, "") << count;
        EXPECT_EQ(shown.err, "") << count;
    }
}

TEST_F(BadServerLists, ABigEndianFileStaysBigEndian)
{
    std::u16string text = u"[Other]\r\nKey=值\r\n";
    std::string bytes = "\xFE\xFF";
    for (char16_t c : text) {
        bytes.push_back(char(c >> 8));
        bytes.push_back(char(c & 0xFF));
    }
    m_dir.Write("ServerInfo.ini", bytes);
    ASSERT_EQ(Run({"add", m_file, "--name", "北京", "--addr", "1.2.3.4", "--domain", "bj.example"}).status,
              0);
    std::string after = m_dir.Read("ServerInfo.ini");
    ASSERT_GE(after.size(), bytes.size());
    EXPECT_EQ(after.substr(0, bytes.size()), bytes) << "the old text stays as it was";
    EXPECT_EQ(after.size() % 2, 0u);
    for (size_t i = bytes.size(); i + 1 < after.size(); i += 2)
        EXPECT_EQ(after[i], '\0') << "the added lines are ASCII in UTF-16BE, byte " << i;
    EXPECT_EQ(Run({"show", m_file}).out, "北京\t1.2.3.4\tbj.example\n");
}

TEST_F(BadServerLists, AFileBeyondTheReadLimitIsRefused)
{
    {
        std::FILE* file = std::fopen(m_file.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    fs::resize_file(m_file, (std::uintmax_t(1) << 30) + 1); // sparse: nothing is really written
    CliResult shown = Run({"show", m_file});
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.err, m_file + " 太大，超过 1 GiB，无法读取。\nkorvane-cli: " + m_file +
                             ": larger than 1 GiB, the most the program reads\n");
}

TEST_F(BadServerLists, ParallelWritersKeepEveryChange)
{
    CliResult result = RunShell("for i in $(seq 1 20); do \"$0\" serverlist add ServerInfo.ini --name n$i "
                                "--addr 10.0.0.$i --domain d$i & done; wait",
                                m_dir.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    ExpectEveryParallelEntry(Lines(Run({"show", m_file}).out), 20);
}

// A creation run as a shell line, for a shell to limit or kill.
std::string CreateLine(const TempDir& dir)
{
    return "\"$0\" create --database --deploy-dir '" + dir.Path() + "'";
}

TEST_F(CreationFaults, AReadOnlyDropScriptLeavesTheBatchFileAsWell)
{
    Deploy(2);
    const std::string batch = m_dir.Read(m_batch);
    const std::string drop = m_dir.Read(m_drop);
    ::chmod(m_dir.File(m_drop).c_str(), 0444);
    CliResult failed = RunCli(CreateArgs(), "", m_dir.Path());
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "拒绝访问 " + m_dir.File(m_drop) + "。\nkorvane-cli: " + m_dir.File(m_drop) +
                              ": Permission denied\n");
    EXPECT_EQ(m_dir.Read(m_batch), batch) << "the batch file changes only with the drop script";
    EXPECT_EQ(m_dir.Read(m_drop), drop);

    ::chmod(m_dir.File(m_drop).c_str(), 0644);
    ASSERT_EQ(RunCli(CreateArgs(), "", m_dir.Path()).status, 0);
    std::string once = m_dir.Read(m_batch);
    EXPECT_EQ(std::count(once.begin(), once.end(), '\n') - std::count(batch.begin(), batch.end(), '\n'),
              2 * 2 + 2 * 13)
        << "the games' lines go in once: two score commands and a procedure block of 13 lines each";
    EXPECT_TRUE(LeftoverTemps(m_dir).empty());
}

TEST_F(CreationFaults, AWriteStoppedByTheFileSizeLimitIsADiskFullError)
{
    Deploy(3);
    const std::string batch = m_dir.Read(m_batch);
    CliResult result = RunShell("ulimit -f 1; exec " + CreateLine(m_dir), m_dir.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("时磁盘已满。"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(m_dir.Path()), std::string::npos) << "the message names the file";
    EXPECT_TRUE(LeftoverTemps(m_dir).empty());
    EXPECT_EQ(m_dir.Read(m_batch), batch);
}

TEST_F(CreationFaults, ACleanRunAfterAKillLeavesNoTemporaryFile)
{
    Deploy(300);
    for (int delayMs : {20, 60, 150}) {
        RunShell(CreateLine(m_dir) + " & pid=$!; sleep " + std::to_string(delayMs / 1000.0) +
                     "; kill -9 $pid; wait",
                 m_dir.Path());
        ASSERT_EQ(RunCli(CreateArgs(), "", m_dir.Path()).status, 0);
        EXPECT_TRUE(LeftoverTemps(m_dir).empty()) << testing::PrintToString(LeftoverTemps(m_dir));
    }
}

} // namespace
