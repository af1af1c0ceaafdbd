#pragma once

#include "cli/CliSupport.h"

#include <CLI/CLI.hpp>

// "encode xor|md5|ip|version [TEXT]" and "decode xor|ip|version [TEXT]": the encryption page's
// "加密" and "解密" columns. Without TEXT every line of standard input is one text.
void AddEncodeCommands(CLI::App& app, CommandAction& action);
