#include "cli/CliSupport.h"
#include "cli/CreateCommands.h"
#include "cli/EncodeCommands.h"
#include "cli/ServerListCommands.h"
#include "framework/CommandLine.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    UseUtf8StandardStreams();
    std::vector<std::string> arguments = CommandLineArguments(argc, argv);
    std::vector<const char*> utf8Argv;
    for (const std::string& argument : arguments)
        utf8Argv.push_back(argument.c_str());
    CLI::App app{"Korvane without a window: the encodings, the server list file and the script generators.",
                 "korvane-cli"};
    app.set_version_flag("--version", std::string("korvane-cli ") + KORVANE_VERSION);
    app.require_subcommand(1, 1);
    app.failure_message(CLI::FailureMessage::help);
    CommandAction action;
    AddEncodeCommands(app, action);
    AddServerListCommands(app, action);
    AddCreateCommand(app, action);
    if (!CheckArgumentsAreUtf8(argc, argv))
        return kExitRefused;
    try {
        app.parse(static_cast<int>(utf8Argv.size()), utf8Argv.data());
    } catch (const CLI::CallForHelp& e) {
        app.exit(e);
        return kExitSuccess;
    } catch (const CLI::CallForAllHelp& e) {
        app.exit(e);
        return kExitSuccess;
    } catch (const CLI::CallForVersion& e) {
        app.exit(e);
        return kExitSuccess;
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    return action ? action() : kExitUsage;
}
