#pragma once

#include <cstdint>
#include <string>

// Another process that holds something and then waits to be ended, as CWaitingChild does with fork()
// on Linux: a copy of this test program, started with the job in its environment, which does the job
// before any test runs and then sleeps.
class CHelperProcess
{
public:
    enum class Job {
        holdTempFile, // a CTempFile with some bytes in the folder `target`
        holdLock,     // a CFileLock for the file `target`
    };

    CHelperProcess(Job job, const std::string& target);
    ~CHelperProcess();
    CHelperProcess(const CHelperProcess&) = delete;
    CHelperProcess& operator=(const CHelperProcess&) = delete;

    bool Ready() const { return m_bReady; } // the job is done and held
    std::string Why() const;                // what Ready() says, for a failing test's message
    void Kill();                            // as a crash would end it: no destructor, no cleanup

private:
    std::intptr_t m_hProcess = 0;
    bool m_bReady = false;
    unsigned long m_nStartError = 0; // GetLastError() of the last failed start
};
