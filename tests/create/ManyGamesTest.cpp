// A whole creation run over the sample deployment folder with many games, pinned file by file against a
// reference kept under tests/data/: every path the run leaves, its size and a digest of its bytes.
#include "create/CreationRun.h"

#include "ScriptFixture.h"
#include "framework/Path.h"
#include "framework/Random.h"
#include "framework/WideText.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kGames = 40;

// FNV-1a, 64 bits: enough to tell any changed byte of a file from the pinned one.
std::string Digest(const std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// "path<TAB>size<TAB>digest" for every file under `root`, sorted by path.
std::vector<std::string> Manifest(const fs::path& root)
{
    std::vector<std::string> lines;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::string bytes = ReadBytes(entry.path());
        lines.push_back(fs::relative(entry.path(), root).generic_string() + "\t" +
                        std::to_string(bytes.size()) + "\t" + Digest(bytes));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> PinnedManifest()
{
    std::ifstream in(TestDataPath("create/many-games.manifest"));
    EXPECT_TRUE(in.good()) << "missing reference manifest";
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Games with Chinese and Latin names, the coin database among them, a game listed twice and a database
// name that holds the placeholder itself.
std::u16string GameList()
{
    std::u16string list = u"-- 游戏列表\nUSE QPPlatformDB\nGO\n\n";
    for (int i = 0; i < kGames; ++i) {
        std::u16string n = FromUtf8(std::to_string(i));
        std::u16string name = i % 2 == 0 ? u"游戏" + n : u"Game" + n;
        std::u16string database = u"Game" + n + u"ScoreDB";
        if (i == 5)
            database = u"QPTreasureDB";
        if (i == 9)
            database = u"QPGameScoreDB_" + n;
        if (i == 12)
            name = u"游戏10";
        list += u"INSERT [GameGameItem] VALUES ( " + n + u", N'" + name + u"', N'10.0.0." + n + u"', N'" +
                database + u"', N'Module" + n + u"Server.dll')\n";
    }
    return list + u"GO\n";
}

class ManyGamesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The server list's XOR texts take their keys from the generator: a fresh run's keys are pinned.
        CrtResetRandom();
        CopyDeployFolder(m_dir);
        WriteDiskText(m_dir, "脚本代码/数据脚本/游戏列表.sql", GameList());
        m_request = {u"星河网络", u"XingHe",     u"www.xinghe.example",
                     u"10.0.0.1", u"XingHeGame", WithTrailingSeparator(m_dir.PathW()),
                     {}};
    }

    TempDir m_dir;
    ReporterRecorder m_boxes;
    tagCreateRequest m_request;
};

} // namespace

TEST_F(ManyGamesTest, EveryFileOfTheRunMatchesTheReference)
{
    // The installer scripts go into the working folder, as the page writes them.
    const fs::path previous = fs::current_path();
    fs::current_path(DiskPath(m_dir, ""));
    const bool done = RunCreation(tagRunContext{m_boxes, DiskStore()}, m_request, tagCreateOptions{});
    fs::current_path(previous);
    ASSERT_TRUE(done);
    EXPECT_TRUE(m_boxes.Shown().empty());
    ASSERT_EQ(m_request.GameList.size(), static_cast<size_t>(kGames));

    std::vector<std::string> actual = Manifest(DiskPath(m_dir, ""));
    std::vector<std::string> expected = PinnedManifest();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]);
}
