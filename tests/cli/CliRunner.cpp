#include "CliRunner.h"

#include "framework/Cp936.h"
#include "framework/Format.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The child's standard streams are files, so that no pipe can fill up while the test waits.
[[noreturn]] void RunChild(const std::vector<std::string>& args, const std::string& cwd, const TempDir& io,
                           const std::string& program)
{
    int in = ::open(io.File("in").c_str(), O_RDONLY);
    int out = ::open(io.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open(io.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0)
        ::_exit(127);
    if (!cwd.empty() && ::chdir(cwd.c_str()) != 0)
        ::_exit(127);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input, const std::string& cwd,
                 const std::string& program)
{
    TempDir io;
    io.Write("in", input);
    CliResult result;
    pid_t pid = ::fork();
    if (pid < 0) {
        ADD_FAILURE() << "fork failed";
        return result;
    }
    if (pid == 0)
        RunChild(args, cwd, io, program);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadWhole(io.File("out"));
    result.err = ReadWhole(io.File("err"));
    return result;
}

std::map<std::string, std::string> Snapshot(const TempDir& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
        std::string relative = std::filesystem::relative(entry.path(), dir.Path()).string();
        files[relative] = entry.is_regular_file() ? ReadWhole(entry.path()) : "<folder>";
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
