#pragma once

#include "support/DiskText.h"

#include "support/TempDir.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// What one run of the built korvane-cli gave.
struct CliResult
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs korvane-cli with `args` (UTF-8), `input` on its standard input, in the folder `cwd` (the test's
// own working directory when empty).
CliResult RunCli(const std::vector<std::string>& args, const std::string& input = "",
                 const std::string& cwd = "", const std::string& program = KORVANE_CLI_PATH);

// A file's bytes; empty when it cannot be read.
std::string ReadWhole(const std::filesystem::path& path);

// Every file under a folder, by path relative to it, with its bytes: to see what a run wrote.
std::map<std::string, std::string> Snapshot(const TempDir& dir);

// The lines of a text, without their LF.
std::vector<std::string> Lines(const std::string& text);

// A small deployment folder "脚本代码" under `dir`, in code page 936 with CR LF: a game list of the given
// rows, the batch file and drop script with their markers, the two score templates and the eleven
// procedure templates.
void WriteDeployment(const TempDir& dir, const std::vector<std::u16string>& gameRows);

// A game list row in the platform's layout.
std::u16string GameRow(int id, const std::u16string& name, const std::u16string& database,
                       const std::u16string& module);
