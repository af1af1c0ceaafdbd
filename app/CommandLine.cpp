#include "app/CommandLine.h"

#include <string_view>

namespace {

constexpr std::string_view kDeployDirOption = "--deploy-dir";

tagCommandLine Refused(std::string error)
{
    tagCommandLine commandLine;
    commandLine.action = ECommandLineAction::refuse;
    commandLine.strError = std::move(error);
    return commandLine;
}

} // namespace

tagCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    tagCommandLine commandLine;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            commandLine.action = ECommandLineAction::showHelp;
            return commandLine;
        }
        if (argument == "--version") {
            commandLine.action = ECommandLineAction::showVersion;
            return commandLine;
        }
        if (argument == kDeployDirOption) {
            if (i + 1 == arguments.size())
                return Refused("--deploy-dir needs a folder");
            commandLine.strDeployDir = arguments[++i];
        } else if (argument.starts_with(std::string(kDeployDirOption) + "=")) {
            commandLine.strDeployDir = argument.substr(kDeployDirOption.size() + 1);
        } else {
            return Refused("unknown argument: " + argument);
        }
        if (commandLine.strDeployDir.empty())
            return Refused("--deploy-dir needs a folder");
    }
    return commandLine;
}

std::string ChosenDeployDir(const tagCommandLine& commandLine, const char* environmentValue)
{
    if (!commandLine.strDeployDir.empty())
        return commandLine.strDeployDir;
    return environmentValue != nullptr ? environmentValue : "";
}

std::string UsageText()
{
    return "Usage: Korvane [--deploy-dir DIR]\n"
           "\n"
           "The operators' tool of the game platform: the window \"Talmir工具\".\n"
           "\n"
           "  --deploy-dir DIR  the folder that holds the deployment folder \"脚本代码\" for the\n"
           "                    script creation page (default: $KORVANE_DEPLOY_DIR, else the\n"
           "                    program's own folder)\n"
           "  -h, --help        print this text and end\n"
           "  --version         print the version and end\n"
           "\n"
           "The server list page loads ServerInfo.ini from the program's own folder.\n";
}
