#include "framework/CommandLine.h"

#include <cstdlib>

std::vector<std::string> CommandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

std::optional<std::string> EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void UseUtf8StandardStreams() {}
