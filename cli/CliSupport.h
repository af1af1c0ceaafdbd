#pragma once

#include "framework/Reporter.h"

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <string_view>
#include <vector>

// Exit statuses of korvane-cli.
constexpr int kExitSuccess = 0;
constexpr int kExitRefused = 1; // the system refused an input, or a file could not be read or written
constexpr int kExitUsage = 2;   // a wrong command line

// What a parsed command runs; it returns the exit status.
using CommandAction = std::function<int()>;

// The command-line tool's reporter: each of the system's messages is one line on standard error, and
// any message makes the command fail.
class CCliReporter : public CReporter
{
public:
    void Report(const MessageBoxRequest& message) override;
    // A diagnostic line after the message: the path and what made it fail.
    void Detail(const tagFileError& error) override;

    bool Reported() const { return m_bReported; }

    // kExitRefused once a message was reported, else kExitSuccess.
    int ExitStatus() const { return m_bReported ? kExitRefused : kExitSuccess; }

private:
    bool m_bReported = false;
};

// Holds the messages of a step, in order, until its outcome decides whether they are shown.
class CHeldReporter : public CReporter
{
public:
    void Report(const MessageBoxRequest& message) override { m_held.emplace_back(message); }
    void Detail(const tagFileError& error) override { m_held.emplace_back(error); }

    // Reports the held messages to `reporter`, as they came.
    void PassOn(CReporter& reporter) const;

private:
    std::vector<std::variant<MessageBoxRequest, tagFileError>> m_held;
};

// One line of UTF-8 on standard output.
void PrintLine(std::u16string_view text);

// One line on standard output that is UTF-8 already, such as JSON.
void PrintRawLine(std::string_view line);

// Plain output is UTF-8, which has no form for a surrogate that is not half of a pair: false, after a
// diagnostic that names `what` and the option (`json`) that shows the text as JSON, when `text` holds
// one.
bool CheckPlainOutput(std::u16string_view text, const std::string& what, const std::string& json);

// A diagnostic of the tool itself (not one of the system's messages) on standard error.
void PrintError(const std::string& text);

// Text from outside must be UTF-8: a diagnostic that names the first command-line argument that is
// not, and false.
bool CheckArgumentsAreUtf8(int argc, const char* const* argv);

// The lines of standard input, each without its LF or CR LF; a last line without a break counts.
std::vector<std::string> ReadInputLines();

// Line `number` (counting from 1) of standard input as text; nothing, after a diagnostic that names
// the line, when it is not UTF-8.
std::optional<std::u16string> DecodeInputLine(std::string_view line, size_t number);

// For a file whose profile document could not read some lines: a diagnostic that names the file and
// the first of them, and false.
bool CheckProfileReadable(const std::string& file, const std::vector<size_t>& unreadableLines);

// What is wrong with a line of a profile file that could not be read.
std::string UnreadableLineProblem();

// The count of lines of a file's bytes: every LF ends one, and a last line without a break counts.
size_t CountLines(std::string_view bytes);
