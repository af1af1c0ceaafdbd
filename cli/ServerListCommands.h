#pragma once

#include "cli/CliSupport.h"

#include <CLI/CLI.hpp>

// "serverlist show|add|edit|remove|move|import|export|check FILE …": the server list page's commands on
// a file. Each change loads the file, changes the array as the page and the entry dialog do, and saves
// it as the page's Save does. Indexes count from 0, as the list's lines do.
void AddServerListCommands(CLI::App& app, CommandAction& action);
