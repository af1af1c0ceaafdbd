#include "cli/CliSupport.h"
#include "cli/CreateCommands.h"
#include "cli/EncodeCommands.h"
#include "cli/ServerListCommands.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv)
{
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
        app.parse(argc, argv);
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
