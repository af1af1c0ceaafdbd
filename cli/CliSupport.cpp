#include "cli/CliSupport.h"

#include "cli/FileErrorCause.h"
#include "framework/WideText.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

// "is not UTF-8: byte 0xFF after "Vel"", with at most the last few characters before the bad byte,
// which are UTF-8 since the decoder stops at the first byte that is not.
std::string NotUtf8(std::string_view bytes, size_t bad)
{
    constexpr size_t kShown = 20;
    size_t start = bad;
    for (size_t characters = 0; start > 0 && characters < kShown;) {
        --start;
        if ((static_cast<unsigned char>(bytes[start]) & 0xC0) != 0x80)
            ++characters;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(bytes[bad]));
    if (bad == 0)
        return std::string("is not UTF-8: byte ") + hex + " at its start";
    return std::string("is not UTF-8: byte ") + hex + " after \"" + (start > 0 ? "…" : "") +
           std::string(bytes.substr(start, bad - start)) + "\"";
}

} // namespace

void CCliReporter::Report(const MessageBoxRequest& message)
{
    m_bReported = true;
    std::fflush(stdout); // keeps the order of results and messages on a terminal
    std::string line = ToUtf8(message.text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void CCliReporter::Detail(const tagFileError& error)
{
    if (error.Failed())
        PrintError(ToUtf8(error.m_strFileName) + ": " + FileErrorCause(error));
}

void PrintLine(std::u16string_view text)
{
    std::string line = ToUtf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
}

void PrintRawLine(std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

bool CheckPlainOutput(std::u16string_view text, const std::string& what, const std::string& json)
{
    const size_t at = FindLoneSurrogate(text);
    if (at == std::u16string_view::npos)
        return true;
    char unit[8];
    std::snprintf(unit, sizeof unit, "%04X", static_cast<unsigned>(text[at]));
    PrintError(what + " holds the lone surrogate " + unit + ", which UTF-8 cannot carry; " + json +
               " shows it as \\u" + unit);
    return false;
}

void PrintError(const std::string& text)
{
    std::fflush(stdout);
    std::string line = "korvane-cli: " + text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

bool CheckArgumentsAreUtf8(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        size_t bad = 0;
        if (!FromUtf8Strict(argv[i], &bad)) {
            PrintError("argument " + std::to_string(i) + " " + NotUtf8(argv[i], bad));
            return false;
        }
    }
    return true;
}

std::vector<std::string> ReadInputLines()
{
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::u16string> DecodeInputLine(std::string_view line, size_t number)
{
    size_t bad = 0;
    std::optional<std::u16string> text = FromUtf8Strict(line, &bad);
    if (!text)
        PrintError("standard input, line " + std::to_string(number) + " " + NotUtf8(line, bad));
    return text;
}

void CHeldReporter::PassOn(CReporter& reporter) const
{
    for (const auto& held : m_held) {
        if (const auto* message = std::get_if<MessageBoxRequest>(&held))
            reporter.Report(*message);
        else
            reporter.Detail(std::get<tagFileError>(held));
    }
}

bool CheckProfileReadable(const std::string& file, const std::vector<size_t>& unreadableLines)
{
    if (unreadableLines.empty())
        return true;
    PrintError(file + ", line " + std::to_string(unreadableLines.front()) + ": " + UnreadableLineProblem());
    return false;
}

std::string UnreadableLineProblem()
{
    return "not UTF-8, though the file starts with a UTF-8 byte-order mark";
}

size_t CountLines(std::string_view bytes)
{
    size_t count = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return (!bytes.empty() && bytes.back() != '\n') ? count + 1 : count;
}
