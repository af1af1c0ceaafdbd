#pragma once

#include <optional>
#include <string>
#include <vector>

// The program's arguments as UTF-8, its own name first. Linux passes them so already; Windows has them
// as UTF-16 (argv would hold the ANSI code page's lossy forms) and they are converted.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// An environment variable's value as UTF-8; nothing when it is not set.
std::optional<std::string> EnvironmentValue(const char* name);

// Sets up standard input, output and error for UTF-8 text with LF line ends: on Windows the streams
// pass bytes unchanged (no LF to CR LF), and a console shows output as UTF-8. Nothing to do on Linux.
void UseUtf8StandardStreams();
