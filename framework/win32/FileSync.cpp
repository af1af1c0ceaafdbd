#include "framework/FileSync.h"

#include "framework/win32/Win32Error.h"
#include "framework/win32/Win32Text.h"

#include <mutex>
#include <set>
#include <utility>
#include <windows.h>

namespace {

// Windows flushes a whole volume only for administrators, so each file is flushed on its own.
struct tagNotedWrites
{
    std::mutex mutex;
    std::set<std::string> files;
};

tagNotedWrites& Noted()
{
    static tagNotedWrites noted;
    return noted;
}

// A file that is gone by now has nothing left to flush.
int FlushFile(const std::string& path)
{
    HANDLE file = ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : ErrnoFromWin32(error);
    }
    int result = ::FlushFileBuffers(file) ? 0 : LastErrno();
    ::CloseHandle(file);
    return result;
}

} // namespace

void NoteUnflushedWrite(const std::string& path)
{
    tagNotedWrites& noted = Noted();
    std::lock_guard<std::mutex> lock(noted.mutex);
    noted.files.insert(path);
}

int SyncNotedWrites()
{
    std::set<std::string> files;
    {
        tagNotedWrites& noted = Noted();
        std::lock_guard<std::mutex> lock(noted.mutex);
        files.swap(noted.files);
    }
    int result = 0;
    for (const std::string& path : files) {
        if (int error = FlushFile(path); error != 0 && result == 0)
            result = error;
    }
    return result;
}

// MOVEFILE_WRITE_THROUGH made each rename durable already.
int SyncFolder(const std::string&)
{
    return 0;
}
