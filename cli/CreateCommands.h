#pragma once

#include "cli/CliSupport.h"

#include <CLI/CLI.hpp>

// "create": the creation page's OK command with its five inputs and three options from the command line
// or a profile's section "Deployment"; "--dry-run" lists the files it would write instead of writing.
void AddCreateCommand(CLI::App& app, CommandAction& action);
