#include "app/CommandLine.h"
#include "app/KorvaneApp.h"
#include "framework/DeploymentDirectory.h"
#include "framework/WideText.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
    tagCommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
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
    std::string deployDir = ChosenDeployDir(commandLine, std::getenv("KORVANE_DEPLOY_DIR"));
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
