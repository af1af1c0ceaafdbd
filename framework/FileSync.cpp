#include "framework/FileSync.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <unistd.h>
#include <utility>

namespace {

// One open folder per file system: syncfs() needs a descriptor on it, and holding it keeps the file
// system from being unmounted before its flush.
struct tagNotedFileSystems
{
    std::mutex mutex;
    std::map<dev_t, int> folders;
    bool bSyncAll = false; // a folder could not be opened: fall back to flushing every file system
};

tagNotedFileSystems& Noted()
{
    static tagNotedFileSystems noted;
    return noted;
}

} // namespace

void NoteUnflushedWrite(dev_t device, const std::string& folder)
{
    tagNotedFileSystems& noted = Noted();
    std::lock_guard<std::mutex> lock(noted.mutex);
    if (noted.folders.count(device))
        return;
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
        noted.folders.emplace(device, fd);
    else
        noted.bSyncAll = true;
}

int SyncNotedFileSystems()
{
    std::map<dev_t, int> folders;
    bool syncAll = false;
    {
        tagNotedFileSystems& noted = Noted();
        std::lock_guard<std::mutex> lock(noted.mutex);
        folders.swap(noted.folders);
        syncAll = std::exchange(noted.bSyncAll, false);
    }
    if (syncAll)
        ::sync();
    int result = 0;
    for (const auto& [device, fd] : folders) {
        if (::syncfs(fd) != 0 && result == 0)
            result = errno;
        ::close(fd);
    }
    return result;
}

int SyncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int result = 0;
    // Some file systems cannot flush a folder and say so with EINVAL; there is nothing more to do.
    if (::fsync(fd) != 0 && errno != EINVAL)
        result = errno;
    ::close(fd);
    return result;
}
