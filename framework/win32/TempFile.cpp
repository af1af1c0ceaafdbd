#include "framework/TempFile.h"

#include "framework/FileSystem.h"
#include "framework/Path.h"
#include "framework/WideText.h"
#include "framework/win32/Win32Error.h"
#include "framework/win32/Win32Text.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <windows.h>

namespace {

constexpr int kCreateAttempts = 8;
constexpr DWORD kLargestWrite = DWORD{1} << 30;
constexpr std::string_view kNameLetters = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

HANDLE Handle(std::intptr_t file)
{
    return reinterpret_cast<HANDLE>(file);
}

// Six letters that differ from call to call and from process to process; CREATE_NEW catches the rare
// name that is taken.
std::string RandomPart()
{
    static std::atomic<unsigned long long> calls{0};
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    unsigned long long x = static_cast<unsigned long long>(now.QuadPart) ^ (calls.fetch_add(1) << 40) ^
                           (static_cast<unsigned long long>(::GetCurrentProcessId()) << 20);
    // splitmix64's finaliser spreads the bits over the letters.
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    x ^= x >> 31;
    std::string part;
    for (int i = 0; i < 6; ++i, x /= kNameLetters.size())
        part += kNameLetters[x % kNameLetters.size()];
    return part;
}

std::string TempFileName()
{
    return std::string(kTempFilePrefix) + std::to_string(::GetCurrentProcessId()) + "-" + RandomPart();
}

bool LockWhole(HANDLE file, DWORD flags)
{
    OVERLAPPED at = {};
    return ::LockFileEx(file, flags, 0, MAXDWORD, MAXDWORD, &at) != 0;
}

bool IsDeletePending(HANDLE file)
{
    FILE_STANDARD_INFO info = {};
    return ::GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info) && info.DeletePending;
}

bool DeleteByHandle(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// Others may open the file to read it or to delete it, which is how a sweeper tries its lock.
HANDLE CreateLockedFile(const std::wstring& path, DWORD& error)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return file;
    }
    error = ERROR_SUCCESS;
    // A sweeper may have found the new file unlocked and marked it for deletion before the lock.
    if (!LockWhole(file, LOCKFILE_EXCLUSIVE_LOCK) || IsDeletePending(file)) {
        ::CloseHandle(file);
        error = ERROR_FILE_EXISTS;
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// A file whose lock can be taken has no live writer; it is deleted through the handle that holds the
// lock, so the name cannot have changed hands meanwhile. Folders and links that look like ours stay.
void RemoveIfStale(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION info = {};
    const DWORD notAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if (::GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & notAFile) == 0 &&
        LockWhole(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY))
        (void)DeleteByHandle(file);
    ::CloseHandle(file);
}

} // namespace

void CTempFile::Discard()
{
    if (m_hFile != kNoFile) {
        if (!m_bRenamed)
            (void)DeleteByHandle(Handle(m_hFile));
        ::CloseHandle(Handle(m_hFile));
    }
    m_hFile = kNoFile;
    m_strPath.clear();
}

int CTempFile::Create(const std::string& folder)
{
    Discard();
    m_bRenamed = false;
    std::u16string folderW = WithTrailingSeparator(FromUtf8(folder));
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string path = ToUtf8(folderW) + TempFileName();
        DWORD error = ERROR_SUCCESS;
        HANDLE file = CreateLockedFile(Utf8ToWide(path), error);
        if (file != INVALID_HANDLE_VALUE) {
            m_strPath = std::move(path);
            m_hFile = reinterpret_cast<std::intptr_t>(file);
            return 0;
        }
        if (error != ERROR_FILE_EXISTS)
            return ErrnoFromWin32(error);
    }
    return EEXIST;
}

int CTempFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), kLargestWrite));
        if (!::WriteFile(Handle(m_hFile), bytes.data(), chunk, &written, nullptr))
            return LastErrno();
        bytes.remove_prefix(written);
    }
    return 0;
}

// The new file's security comes from the folder, as a new file's would; the attributes that hide a
// file are carried over. A missing target leaves the defaults.
int CTempFile::KeepAttributesOf(const tagTargetState& target)
{
    if (!target.bExists)
        return 0;
    DWORD kept = target.nMode & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (kept == 0)
        return 0;
    FILE_BASIC_INFO info = {}; // times of 0 stay as they are
    info.FileAttributes = kept | FILE_ATTRIBUTE_ARCHIVE;
    return ::SetFileInformationByHandle(Handle(m_hFile), FileBasicInfo, &info, sizeof info) ? 0 : LastErrno();
}

int CTempFile::Flush()
{
    return ::FlushFileBuffers(Handle(m_hFile)) ? 0 : LastErrno();
}

// The handle shares deletion, so the file can be renamed while it is open and locked; closing it right
// after lets go of the lock, which would otherwise keep readers of the target out.
int CTempFile::RenameOver(const std::string& target, bool writeThrough)
{
    DWORD flags = MOVEFILE_REPLACE_EXISTING | (writeThrough ? MOVEFILE_WRITE_THROUGH : 0);
    if (!::MoveFileExW(Utf8ToWide(m_strPath).c_str(), Utf8ToWide(target).c_str(), flags))
        return LastErrno();
    m_bRenamed = true;
    ::CloseHandle(Handle(m_hFile));
    m_hFile = kNoFile;
    return 0;
}

// A new file's security comes from its folder: there is no umask to read.
void ReadUmaskAgainForTests() {}

void SweepStaleTempFiles(const std::string& folder)
{
    std::wstring folderW = ToWide(WithTrailingSeparator(FromUtf8(folder)));
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((folderW + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsTempFileName(WideToUtf8(entry.cFileName)))
            RemoveIfStale(folderW + entry.cFileName);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
}
