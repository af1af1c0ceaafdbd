#include "framework/FileLock.h"

#include "framework/Path.h"
#include "framework/WideText.h"
#include "framework/win32/Win32Error.h"
#include "framework/win32/Win32Text.h"

#include <cerrno>
#include <windows.h>

namespace {

constexpr char16_t kLockFileName[] = u".korvane-lock";

HANDLE Handle(std::intptr_t lock)
{
    return reinterpret_cast<HANDLE>(lock);
}

// Every holder and waiter shares the file and its deletion; the last handle to close takes it away.
// A file that is being deleted cannot be opened for a moment: that is a holder letting go.
int OpenLockFile(const std::string& folder, HANDLE& file)
{
    std::wstring path = ToWide(JoinPath(FromUtf8(folder), kLockFileName));
    file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        return 0;
    DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return EWOULDBLOCK;
    return ErrnoFromWin32(error);
}

} // namespace

int CFileLock::TryLock(const std::string& folder)
{
    if (m_hLock == kNoHandle) {
        HANDLE file = INVALID_HANDLE_VALUE;
        if (int error = OpenLockFile(folder, file))
            return error;
        m_hLock = reinterpret_cast<std::intptr_t>(file);
    }
    OVERLAPPED at = {};
    if (::LockFileEx(Handle(m_hLock), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return 0;
    DWORD error = ::GetLastError();
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? EWOULDBLOCK : ErrnoFromWin32(error);
}

// Closing the handle releases its lock.
void CFileLock::Close()
{
    if (m_hLock != kNoHandle)
        ::CloseHandle(Handle(m_hLock));
    m_hLock = kNoHandle;
}
