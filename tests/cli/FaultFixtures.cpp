#include "FaultFixtures.h"

#include "framework/WideText.h"

#include <algorithm>
#include <filesystem>

std::vector<std::string> LeftoverTemps(const TempDir& dir)
{
    std::vector<std::string> temps;
    for (const auto& [path, bytes] : Snapshot(dir)) {
        if (std::filesystem::path(path).filename().string().rfind(".korvane-", 0) == 0)
            temps.push_back(path);
    }
    return temps;
}

void ExpectEveryParallelEntry(std::vector<std::string> lines, int count)
{
    std::sort(lines.begin(), lines.end());
    ASSERT_EQ(lines.size(), static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        const std::string line = "n" + n + "\t10.0.0." + n + "\td" + n;
        EXPECT_TRUE(std::binary_search(lines.begin(), lines.end(), line)) << line;
    }
}

void CreationFaults::Deploy(int games)
{
    std::vector<std::u16string> rows;
    for (int i = 1; i <= games; ++i) {
        const std::u16string n = FromUtf8(std::to_string(i));
        rows.push_back(GameRow(i, u"游戏" + n, u"DB" + n, u"M" + n));
    }
    WriteDeployment(m_dir, rows);
}

std::vector<std::string> CreationFaults::CreateArgs() const
{
    return {"create", "--database", "--deploy-dir", m_dir.Path()};
}
