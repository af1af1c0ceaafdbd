#include "app/CommandLine.h"
#include "app/KorvaneApp.h"
#include "framework/CommandLine.h"
#include "framework/DeploymentDirectory.h"
#include "framework/WideText.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitUsage = 2;

int Refuse(const std::string& error)
{
    std::fprintf(stderr, "Korvane: %s\nTry 'Korvane --help'.\n", error.c_str());
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    // UTF-8 on every platform: Windows hands the arguments over as UTF-16.
    std::vector<std::string> arguments = CommandLineArguments(argc, argv);
    if (!arguments.empty())
        arguments.erase(arguments.begin());
    tagCommandLine commandLine = ParseCommandLine(arguments);
    switch (commandLine.action) {
    case ECommandLineAction::showHelp:
        std::fputs(UsageText().c_str(), stdout);
        return EXIT_SUCCESS;
    case ECommandLineAction::showVersion:
        std::printf("Korvane %s\n", KORVANE_VERSION);
        return EXIT_SUCCESS;
    case ECommandLineAction::refuse:
        return Refuse(commandLine.strError);
    case ECommandLineAction::run:
        break;
    }
    std::optional<std::string> environmentDir = EnvironmentValue("KORVANE_DEPLOY_DIR");
    std::string deployDir = ChosenDeployDir(commandLine, environmentDir ? environmentDir->c_str() : nullptr);
    if (!deployDir.empty()) {
        std::error_code error;
        if (!std::filesystem::is_directory(std::filesystem::u8path(deployDir), error)) {
            const char* source = commandLine.strDeployDir.empty() ? "KORVANE_DEPLOY_DIR" : "--deploy-dir";
            return Refuse(std::string(source) + ": no such folder: " + deployDir);
        }
        SetDeploymentDirectory(FromUtf8(deployDir));
    }
    // Qt sees no argument: every one of them was ours.
    int qtArgc = 1;
    return theApp.Run(qtArgc, argv);
}
