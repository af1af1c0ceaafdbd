#include "CliRunner.h"

#include "framework/Cp936.h"
#include "framework/Format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::map<std::string, std::string> Snapshot(const TempDir& dir)
{
    std::map<std::string, std::string> files;
    const std::filesystem::path root = std::filesystem::u8path(dir.Path());
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::u8string relative = std::filesystem::relative(entry.path(), root).generic_u8string();
        files[std::string(relative.begin(), relative.end())] =
            entry.is_regular_file() ? ReadWhole(entry.path()) : "<folder>";
    }
    return files;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::u16string GameRow(int id, const std::u16string& name, const std::u16string& database,
                       const std::u16string& module)
{
    return FormatW(u"INSERT [GameGameItem] VALUES ( %d, N'%s', N'127.0.0.1', N'%s', N'%sServer.dll')\n",
                   {id, name, database, module});
}

void WriteDeployment(const TempDir& dir, const std::vector<std::u16string>& gameRows)
{
    std::u16string list = u"USE QPPlatformDB\nGO\n";
    for (const std::u16string& row : gameRows)
        list += row;
    dir.Write("脚本代码/数据脚本/游戏列表.sql", ToDiskText(list));
    dir.Write("脚本代码/一键安装.bat",
              ToDiskText(u"Rem 安装\n\nosql -E -i \"%rootPath%2_1_用户库脚本.sql\"\n\nRem "
                         u"建连接服务和填充数据\n\npause\n"));
    dir.Write("脚本代码/数据库脚本/数据库删除.sql", ToDiskText(u"USE master\nGO\n\n"));
    for (int part = 1; part <= 2; ++part) {
        dir.Write("脚本代码/数据库脚本/" + std::to_string(part) + "_5_积分库脚本.sql",
                  ToDiskText(u"CREATE DATABASE [QPGameScoreDB]\nGO\n"));
    }
    for (const char* procedure : {"标识登录", "道具管理", "道具配置", "加载机器", "加载配置", "加载消息",
                                  "离开房间", "列表描述", "列表配置", "游戏记录", "游戏写分"}) {
        dir.Write(std::string("脚本代码/存储过程/积分数据库/") + procedure + ".sql",
                  ToDiskText(u"USE [QPGameScoreDB]\nGO\n"));
    }
}
