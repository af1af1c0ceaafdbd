#pragma once

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What the fault tests of both platforms share: the deployment they run on and what they look for
// afterwards. Only the means of causing the fault differ (a shell on POSIX, Windows' own calls).

// The temporary files of interrupted or failed writes anywhere under a folder.
std::vector<std::string> LeftoverTemps(const TempDir& dir);

// Checks that `lines` of "serverlist show" hold the `count` entries "n<i> 10.0.0.<i> d<i>" that as many
// parallel "serverlist add" runs wrote, in whatever order.
void ExpectEveryParallelEntry(std::vector<std::string> lines, int count);

class CreationFaults : public testing::Test
{
protected:
    // A deployment folder whose game list holds `games` games.
    void Deploy(int games);
    std::vector<std::string> CreateArgs() const;

    TempDir m_dir;
    const std::string m_batch = "脚本代码/一键安装.bat";
    const std::string m_drop = "脚本代码/数据库脚本/数据库删除.sql";
};
