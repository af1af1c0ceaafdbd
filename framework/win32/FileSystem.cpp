#include "framework/FileSystem.h"

#include "framework/FileReading.h"
#include "framework/Path.h"
#include "framework/WideText.h"
#include "framework/win32/Win32Error.h"
#include "framework/win32/Win32Text.h"

#include <algorithm>
#include <cerrno>
#include <windows.h>

namespace {

constexpr DWORD kLongestPath = 32768; // the longest path Win32 takes

constexpr DWORD kLargestRead = DWORD{1} << 30;

long long ReadSomeFrom(HANDLE file, char* buffer, size_t size)
{
    DWORD read = 0;
    if (::ReadFile(file, buffer, static_cast<DWORD>(std::min<size_t>(size, kLargestRead)), &read, nullptr))
        return read;
    DWORD error = ::GetLastError();
    if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) // the writer of a pipe is done
        return 0;
    return -static_cast<long long>(ErrnoFromWin32(error));
}

// A file's size when it is a file on a disk; 0 for a pipe or a device, which are read to their end.
int SizeOfFile(HANDLE file, unsigned long long& size)
{
    size = 0;
    if (::GetFileType(file) != FILE_TYPE_DISK)
        return 0;
    LARGE_INTEGER length;
    if (!::GetFileSizeEx(file, &length))
        return LastErrno();
    size = static_cast<unsigned long long>(length.QuadPart);
    return 0;
}

int ReadOpenFile(HANDLE file, std::string& bytes)
{
    unsigned long long size = 0;
    if (int error = SizeOfFile(file, size))
        return error;
    if (size > ReadFileLimit())
        return EFBIG;
    return ReadToEnd([file](char* buffer, size_t count) { return ReadSomeFrom(file, buffer, count); },
                     static_cast<size_t>(size), bytes);
}

// Others may read, write, rename or delete the file meanwhile, as they may on Linux.
HANDLE OpenForReading(const std::u16string& path)
{
    return ::CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

} // namespace

std::u16string GetModuleFileNameW()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return u"";
        if (n < buffer.size()) {
            buffer.resize(n);
            return FromWide(buffer);
        }
        if (buffer.size() >= kLongestPath) // cut off even at the longest path
            return u"";
        buffer.resize(buffer.size() * 2);
    }
}

bool PathFileExistsW(const std::u16string& path)
{
    return ::GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateDirectoryW(const std::u16string& path)
{
    return ::CreateDirectoryW(ToWide(path).c_str(), nullptr) != 0;
}

// The file system itself ignores case; the name is given back as the folder holds it. A name with
// wildcards names no file.
std::optional<std::u16string> FindFileNoCase(const std::u16string& directory, const std::u16string& name)
{
    if (name.find_first_of(u"*?") != std::u16string::npos)
        return std::nullopt;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(ToWide(JoinPath(directory, name)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    ::FindClose(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::nullopt;
    return JoinPath(directory, FromWide(found.cFileName));
}

int ReadFileInto(const std::u16string& path, std::string& bytes)
{
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return LastErrno();
    const int result = ReadOpenFile(file, bytes);
    ::CloseHandle(file);
    return result;
}

int CompareFileBytes(const std::u16string& path, std::string_view bytes, bool& same)
{
    same = false;
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return LastErrno();
    unsigned long long size = 0;
    int result = SizeOfFile(file, size);
    // A pipe or a device has no size and is read to its end.
    if (result == 0 && (size == 0 || size == bytes.size()))
        result = CompareToEnd(
            [file](char* buffer, size_t count) { return ReadSomeFrom(file, buffer, count); }, bytes, same);
    ::CloseHandle(file);
    return result;
}

int ResolveWriteTarget(const std::string& path, std::string& target)
{
    target = path;
    return 0;
}

int ResolveWriteTarget(const std::string& path, std::string& target, tagTargetState& state)
{
    target = path;
    state = tagTargetState();
    if (target.empty())
        return 0;
    DWORD attributes = ::GetFileAttributesW(Utf8ToWide(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        int error = LastErrno();
        state.nLookError = error == ENOENT ? 0 : error; // nothing there yet, or a missing folder
        return 0;
    }
    state.bExists = true;
    state.nMode = attributes;
    return 0;
}

int CheckReplaceTarget(const std::string& target)
{
    std::string same;
    tagTargetState state;
    (void)ResolveWriteTarget(target, same, state);
    return CheckReplaceTarget(target, state);
}

// Opening the file for writing finds what the replacement would meet: access denied, or another
// program that holds the file without letting others write it (a sharing violation).
int CheckReplaceTarget(const std::string& target, const tagTargetState& state)
{
    if (target.empty())
        return ENOENT;
    if (!state.bExists)
        return state.nLookError; // 0 when nothing is there yet
    if (state.nMode & FILE_ATTRIBUTE_DIRECTORY)
        return EISDIR;
    if (state.nMode & FILE_ATTRIBUTE_READONLY)
        return EACCES;
    HANDLE file = ::CreateFileW(Utf8ToWide(target).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastErrno();
    ::CloseHandle(file);
    return 0;
}

// Whether the user may make files in the folder shows only when one is made; the write reports it.
int CheckFolderWritable(const std::string& folder)
{
    DWORD attributes = ::GetFileAttributesW(Utf8ToWide(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LastErrno();
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ENOTDIR;
}
