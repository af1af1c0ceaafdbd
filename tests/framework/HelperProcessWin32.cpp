#include "HelperProcessWin32.h"

#include "framework/FileLock.h"
#include "framework/FileSystem.h"
#include "framework/TempFile.h"
#include "framework/WideText.h"

#include <cstdlib>
#include <windows.h>

namespace {

constexpr wchar_t kJobVariable[] = L"KORVANE_TEST_HELPER_JOB";
constexpr wchar_t kTargetVariable[] = L"KORVANE_TEST_HELPER_TARGET";

std::wstring Wide(const std::string& utf8)
{
    std::u16string text = FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string Variable(const wchar_t* name)
{
    wchar_t value[4096];
    DWORD n = ::GetEnvironmentVariableW(name, value, 4096);
    if (n == 0 || n >= 4096)
        return "";
    return ToUtf8(std::u16string(value, value + n));
}

bool DoJob(const std::string& job, const std::string& target)
{
    static CTempFile temp; // never destroyed: the helper is killed
    static CFileLock lock;
    if (job == "temp")
        return temp.Create(target) == 0 && temp.Write("half of it") == 0;
    if (job == "lock")
        return lock.Lock(FromUtf8(target)) == 0;
    return false;
}

// Runs before main() in the helper copy: does the job, reports on standard output, sleeps.
[[maybe_unused]] const bool kHelperRan = [] {
    std::string job = Variable(kJobVariable);
    if (job.empty())
        return false;
    char answer = DoJob(job, Variable(kTargetVariable)) ? 'r' : 'f';
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), &answer, 1, &written, nullptr);
    for (;;)
        ::Sleep(INFINITE);
}();

HANDLE Handle(std::intptr_t process)
{
    return reinterpret_cast<HANDLE>(process);
}

} // namespace

CHelperProcess::CHelperProcess(Job job, const std::string& target)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    ::SetEnvironmentVariableW(kJobVariable, job == Job::holdTempFile ? L"temp" : L"lock");
    ::SetEnvironmentVariableW(kTargetVariable, Wide(target).c_str());
    std::u16string program = GetModuleFileNameW();
    std::wstring programW(program.begin(), program.end());
    std::wstring line = L"\"" + programW + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    // Under Wine a start now and then fails while other tests start processes at the same moment; a
    // second try a little later starts it. A program that cannot start fails all tries.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0)
            ::Sleep(200);
        started = ::CreateProcessW(programW.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &process);
        if (!started)
            m_nStartError = ::GetLastError();
    }
    ::SetEnvironmentVariableW(kJobVariable, nullptr);
    ::SetEnvironmentVariableW(kTargetVariable, nullptr);
    ::CloseHandle(writeEnd);
    if (started) {
        ::CloseHandle(process.hThread);
        m_hProcess = reinterpret_cast<std::intptr_t>(process.hProcess);
        char answer = 0;
        DWORD read = 0;
        m_bReady = ::ReadFile(readEnd, &answer, 1, &read, nullptr) && read == 1 && answer == 'r';
    }
    ::CloseHandle(readEnd);
}

std::string CHelperProcess::Why() const
{
    if (m_bReady)
        return "ready";
    if (m_hProcess == 0)
        return "CreateProcessW failed, error " + std::to_string(m_nStartError);
    return "the helper ended before it was ready";
}

CHelperProcess::~CHelperProcess()
{
    Kill();
}

void CHelperProcess::Kill()
{
    if (m_hProcess == 0)
        return;
    ::TerminateProcess(Handle(m_hProcess), 137);
    ::WaitForSingleObject(Handle(m_hProcess), INFINITE);
    ::CloseHandle(Handle(m_hProcess));
    m_hProcess = 0;
}
