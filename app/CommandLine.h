#pragma once

#include <string>
#include <vector>

// What the window's command line asks for. Everything is read before the window system starts, so
// that --help and --version need no display.
enum class ECommandLineAction { run, showHelp, showVersion, refuse };

struct tagCommandLine
{
    ECommandLineAction action = ECommandLineAction::run;
    std::string strDeployDir; // --deploy-dir, empty when not given
    std::string strError;     // why the line is refused
};

// Reads the arguments after the program's name.
tagCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The folder that holds "脚本代码": the argument wins over the environment's KORVANE_DEPLOY_DIR
// (nullptr when unset); empty for the program's own folder.
std::string ChosenDeployDir(const tagCommandLine& commandLine, const char* environmentValue);

std::string UsageText();
