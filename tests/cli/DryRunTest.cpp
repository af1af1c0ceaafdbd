#include "CliRunner.h"

#include "framework/Cp936.h"
#include "framework/Path.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

namespace {

struct Listed
{
    std::string state;
    size_t lines = 0;
};

// path → state and line count, from the dry run's listing.
std::map<std::string, Listed> ParseListing(const std::string& out)
{
    std::map<std::string, Listed> listed;
    for (const std::string& line : Lines(out)) {
        size_t first = line.find('\t');
        size_t second = line.find('\t', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue; // diff lines
        std::string state = line.substr(0, first);
        if (state != "new" && state != "changed" && state != "unchanged")
            continue;
        listed[line.substr(second + 1)] = {state, std::stoul(line.substr(first + 1, second - first - 1))};
    }
    return listed;
}

// A path below the deployment folder with the platform's separators, as the listing names it.
std::string Shown(const std::string& relative)
{
    return ToUtf8(JoinPath(u"", FromUtf8(relative)));
}

size_t LineCount(const std::string& bytes)
{
    size_t count = 0;
    for (char c : bytes)
        count += c == '\n';
    return !bytes.empty() && bytes.back() != '\n' ? count + 1 : count;
}

// The sample deployment folder of the repository, run from a temporary copy.
class DryRun : public testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::copy(std::filesystem::u8path(std::string(KORVANE_SOURCE_DIR) + "/deploy/脚本代码"),
                              std::filesystem::u8path(m_dir.File("脚本代码")),
                              std::filesystem::copy_options::recursive);
    }

    CliResult Create(const std::vector<std::string>& extra)
    {
        std::vector<std::string> args = {
            "create",   "--deploy-dir",    m_dir.Path(), "--company", "星辰网络",   "--platform", "Veldra",
            "--domain", "www.example.com", "--server",   "10.0.0.1",  "--registry", "VeldraGame"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args, "", m_dir.Path());
    }

    // The absolute path of a file in the deployment folder, as the listing names it.
    std::string Deployed(const std::string& name) const
    {
        return ToUtf8(m_dir.FileW(FromUtf8("脚本代码/" + name)));
    }

    // A listed path as Snapshot() names it: relative to the folder, with "/".
    std::string SnapshotName(const std::string& listed) const
    {
        const std::string folder = ToUtf8(WithTrailingSeparator(m_dir.PathW()));
        const std::string relative = listed.rfind(folder, 0) == 0 ? listed.substr(folder.size()) : listed;
        const std::u8string generic = std::filesystem::u8path(relative).generic_u8string();
        return std::string(generic.begin(), generic.end());
    }

    TempDir m_dir;
};

TEST_F(DryRun, ListsEveryFileTheRunWritesAndWritesNothing)
{
    auto before = Snapshot(m_dir);
    CliResult dry = Create({"--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.err, "");
    EXPECT_EQ(Snapshot(m_dir), before) << "a dry run writes nothing and makes no folder";
    std::map<std::string, Listed> listed = ParseListing(dry.out);
    EXPECT_EQ(Lines(dry.out).size(), listed.size()) << "one line per file, each listed once";

    EXPECT_EQ(listed[Deployed("一键安装.bat")].state, "changed");
    EXPECT_EQ(listed[Deployed("数据库脚本/数据库删除.sql")].state, "changed");
    EXPECT_EQ(listed[Deployed("数据库脚本/1_8_斗地主积分库脚本.sql")].state, "new");
    EXPECT_EQ(listed[Deployed("存储过程/斗地主积分数据库/游戏写分.sql")].state, "new");
    EXPECT_EQ(listed[Shown("Veldra/Veldra-all.iss")].state, "new");

    // The real run writes exactly the listed files, with the listed line counts, and lists them so.
    CliResult real = Create({});
    ASSERT_EQ(real.status, 0) << real.err;
    std::vector<std::string> dryLines = Lines(dry.out);
    std::vector<std::string> realLines = Lines(real.out);
    ASSERT_EQ(realLines.size(), dryLines.size());
    for (size_t i = 0; i < dryLines.size(); ++i)
        EXPECT_EQ(realLines[i], "written" + dryLines[i].substr(dryLines[i].find('\t')));
    EXPECT_EQ(listed[Shown("Veldra/ServerInfo.ini")].state, "new");
    auto after = Snapshot(m_dir);
    std::set<std::string> written;
    for (const auto& [path, bytes] : after) {
        if (bytes != "<folder>" && (!before.count(path) || before.at(path) != bytes))
            written.insert(path);
    }
    std::set<std::string> expected;
    for (const auto& [path, entry] : listed) {
        std::string relative = SnapshotName(path);
        expected.insert(relative);
        EXPECT_EQ(entry.lines, LineCount(after[relative])) << relative;
    }
    EXPECT_EQ(written, expected);
}

TEST_F(DryRun, AfterARealRunOnlyTheBatchFileAndDropScriptWouldChange)
{
    ASSERT_EQ(Create({}).status, 0);
    auto before = Snapshot(m_dir);
    CliResult dry = Create({"--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(Snapshot(m_dir), before);
    std::map<std::string, Listed> listed = ParseListing(dry.out);
    ASSERT_FALSE(listed.empty());
    for (const auto& [path, entry] : listed) {
        bool extended = path == Deployed("一键安装.bat") || path == Deployed("数据库脚本/数据库删除.sql");
        EXPECT_EQ(entry.state, extended ? "changed" : "unchanged") << path;
    }
}

TEST_F(DryRun, DiffShowsTheChangesOfChangedFiles)
{
    CliResult dry = Create({"--dry-run", "--diff", "--database"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    const std::string& out = dry.out;
    std::string batch = Deployed("一键安装.bat");
    EXPECT_NE(out.find("changed\t"), std::string::npos);
    EXPECT_NE(out.find("--- " + batch + "\n+++ " + batch + " (dry run)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n+osql -E -i \"%rootPath%1_8_斗地主积分库脚本.sql\"\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n+set rootPath=存储过程\\斗地主积分数据库\\\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n+DROP DATABASE [LandScoreDB]\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n@@ -"), std::string::npos);
    for (const std::string& line : Lines(out))
        EXPECT_TRUE(line.rfind("-", 0) != 0 || line.rfind("--- ", 0) == 0) << "the generator only adds lines";
    // New files get no diff.
    EXPECT_EQ(out.find("+++ " + Deployed("数据库脚本/1_8_斗地主积分库脚本.sql")), std::string::npos);

    CliResult withoutDryRun = Create({"--diff"});
    EXPECT_EQ(withoutDryRun.status, 2);
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::u8path(Deployed("数据库脚本/1_8_斗地主积分库脚本.sql"))));
}

TEST_F(DryRun, FailuresOfTheRunShowAsInARealRun)
{
    std::filesystem::remove(std::filesystem::u8path(Deployed("数据库脚本/2_5_积分库脚本.sql")));
    auto before = Snapshot(m_dir);
    CliResult dry = Create({"--dry-run"});
    EXPECT_EQ(dry.status, 1);
    const std::string missing = Deployed("数据库脚本/2_5_积分库脚本.sql");
    EXPECT_EQ(dry.err, missing + "读取失败!\nkorvane-cli: " + missing + ": No such file or directory\n");
    // The first game's first script was written before the failure.
    EXPECT_EQ(Lines(dry.out).size(), 1u) << dry.out;
    EXPECT_EQ(Snapshot(m_dir), before);
}

} // namespace
