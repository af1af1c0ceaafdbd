#include "framework/CommandLine.h"

#include "framework/win32/Win32Text.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

std::vector<std::string> CommandLineArguments(int argc, char** argv)
{
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        arguments.push_back(WideToUtf8(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

std::optional<std::string> EnvironmentValue(const char* name)
{
    // The wide environment: the narrow one holds the ANSI code page's lossy forms.
    const wchar_t* value = ::_wgetenv(Utf8ToWide(name).c_str());
    return value ? std::optional<std::string>(WideToUtf8(value)) : std::nullopt;
}

namespace {

UINT g_consoleCodePage = 0;

// The console belongs to whoever started the program; it gets its code page back.
void RestoreConsoleCodePage()
{
    ::SetConsoleOutputCP(g_consoleCodePage);
}

} // namespace

// Pipes and files get the same bytes as on Linux; a console window takes them as UTF-8.
void UseUtf8StandardStreams()
{
    for (FILE* stream : {stdin, stdout, stderr})
        (void)::_setmode(::_fileno(stream), _O_BINARY);
    DWORD mode = 0;
    if (!::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) &&
        !::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode))
        return;
    g_consoleCodePage = ::GetConsoleOutputCP();
    if (g_consoleCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8))
        std::atexit(RestoreConsoleCodePage);
}
