#include "CliRunner.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

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
