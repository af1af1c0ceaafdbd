#pragma once

#include "framework/Cp936.h"
#include "support/DiskText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

inline void WriteDiskText(const TempDir& dir, const std::string& name, std::u16string_view text)
{
    dir.Write(name, ToDiskText(text));
}

// The lines of a file written by the generators; fails the test on a lone LF, a BOM or bytes that are
// not code page 936. `endsWithBreak` tells whether the last line had its CR LF.
inline std::vector<std::u16string> DiskLines(const TempDir& dir, const std::string& name,
                                             bool* endsWithBreak = nullptr)
{
    std::string bytes = dir.Read(name);
    EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << name << " starts with a byte-order mark";
    std::vector<std::u16string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t lf = bytes.find('\n', pos);
        size_t end = lf == std::string::npos ? bytes.size() : lf;
        if (lf != std::string::npos) {
            EXPECT_TRUE(lf > 0 && bytes[lf - 1] == '\r') << name << ": LF without CR at byte " << lf;
            if (lf > pos && bytes[lf - 1] == '\r')
                --end;
        }
        std::optional<std::u16string> line = Cp936DecodeExact(std::string_view(bytes).substr(pos, end - pos));
        EXPECT_TRUE(line.has_value()) << name << ": not code page 936";
        lines.push_back(line.value_or(u"?"));
        pos = lf == std::string::npos ? bytes.size() : lf + 1;
    }
    if (endsWithBreak)
        *endsWithBreak = bytes.empty() || bytes.back() == '\n';
    return lines;
}

inline std::filesystem::path DiskPath(const TempDir& dir, const std::string& name)
{
    return std::filesystem::u8path(dir.File(name));
}

// A copy of the sample deployment folder "脚本代码" of the repository; the tests never touch the original.
inline void CopyDeployFolder(const TempDir& dir)
{
    std::filesystem::copy(std::filesystem::u8path(std::string(KORVANE_SOURCE_DIR) + "/deploy/脚本代码"),
                          DiskPath(dir, "脚本代码"), std::filesystem::copy_options::recursive);
}
