#pragma once

#include "CliRunner.h"

#include <cstdint>

// korvane-cli started without waiting for it, for runs side by side and runs ended midway. Its
// standard streams are files, so that no pipe can fill up while the test waits.
class CCliProcess
{
public:
    CCliProcess(const std::vector<std::string>& args, const std::string& input, const std::string& cwd,
                const std::string& program = KORVANE_CLI_PATH);
    ~CCliProcess();
    CCliProcess(const CCliProcess&) = delete;
    CCliProcess& operator=(const CCliProcess&) = delete;

    bool Started() const { return m_hProcess != 0; }
    CliResult Wait();
    void Kill(); // as a crash would end it: nothing of the program runs any more

private:
    TempDir m_io;
    std::intptr_t m_hProcess = 0;
    unsigned long m_nStartError = 0; // GetLastError of the last failed start
};
