#include "cli/CliSupport.h"

#include "framework/WideText.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

void CCliReporter::Report(const MessageBoxRequest& message)
{
    m_bReported = true;
    std::fflush(stdout); // keeps the order of results and messages on a terminal
    std::string line = ToUtf8(message.text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void PrintLine(std::u16string_view text)
{
    std::string line = ToUtf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
}

void PrintError(const std::string& text)
{
    std::fflush(stdout);
    std::string line = "korvane-cli: " + text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

std::vector<std::u16string> ReadInputLines()
{
    std::vector<std::u16string> lines;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(FromUtf8(line));
    }
    return lines;
}

size_t CountLines(std::string_view bytes)
{
    size_t count = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return (!bytes.empty() && bytes.back() != '\n') ? count + 1 : count;
}
