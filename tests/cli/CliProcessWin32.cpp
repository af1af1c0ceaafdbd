#include "CliProcessWin32.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::wstring Wide(const std::string& utf8)
{
    std::u16string text = FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

// Quotes an argument so that CommandLineToArgvW and the C runtime give it back unchanged: backslashes
// count only before a quote, where they are doubled.
void AppendQuoted(std::wstring& line, const std::wstring& argument)
{
    line += L'"';
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

HANDLE OpenInherited(const std::string& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE Handle(std::intptr_t process)
{
    return reinterpret_cast<HANDLE>(process);
}

} // namespace

CCliProcess::CCliProcess(const std::vector<std::string>& args, const std::string& input,
                         const std::string& cwd, const std::string& program)
{
    m_io.Write("in", input);
    std::wstring line;
    AppendQuoted(line, Wide(program));
    for (const std::string& arg : args) {
        line += L' ';
        AppendQuoted(line, Wide(arg));
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = OpenInherited(m_io.File("in"), GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = OpenInherited(m_io.File("out"), GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = OpenInherited(m_io.File("err"), GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process = {};
    std::wstring folder = Wide(cwd);
    // Under Wine a start now and then fails while other tests start processes at the same moment; a
    // second try a little later starts it. A program that cannot start fails all tries.
    for (int attempt = 0; attempt < 3 && !Started(); ++attempt) {
        if (attempt > 0)
            ::Sleep(200);
        if (::CreateProcessW(Wide(program).c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             cwd.empty() ? nullptr : folder.c_str(), &startup, &process)) {
            ::CloseHandle(process.hThread);
            m_hProcess = reinterpret_cast<std::intptr_t>(process.hProcess);
        } else {
            m_nStartError = ::GetLastError();
        }
    }
    for (HANDLE stream : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        ::CloseHandle(stream);
}

CCliProcess::~CCliProcess()
{
    Kill();
}

CliResult CCliProcess::Wait()
{
    CliResult result;
    EXPECT_TRUE(Started()) << "CreateProcessW failed, error " << m_nStartError;
    if (!Started())
        return result;
    ::WaitForSingleObject(Handle(m_hProcess), INFINITE);
    DWORD status = 0;
    ::GetExitCodeProcess(Handle(m_hProcess), &status);
    ::CloseHandle(Handle(m_hProcess));
    m_hProcess = 0;
    result.status = static_cast<int>(status);
    result.out = ReadWhole(std::filesystem::u8path(m_io.File("out")));
    result.err = ReadWhole(std::filesystem::u8path(m_io.File("err")));
    return result;
}

void CCliProcess::Kill()
{
    if (!Started())
        return;
    ::TerminateProcess(Handle(m_hProcess), 137);
    ::WaitForSingleObject(Handle(m_hProcess), INFINITE);
    ::CloseHandle(Handle(m_hProcess));
    m_hProcess = 0;
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& input, const std::string& cwd,
                 const std::string& program)
{
    return CCliProcess(args, input, cwd, program).Wait();
}
