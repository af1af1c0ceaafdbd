#include "framework/FileSync.h"

#include "framework/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// One open folder per file system: syncfs() needs a descriptor on it, and holding it keeps the file
// system from being unmounted before its flush.
struct tagNotedFileSystems
{
    std::mutex mutex;
    std::set<std::string> folders; // seen since the last flush, so that a folder costs one stat()
    std::map<dev_t, int> fileSystems;
    bool bSyncAll = false; // a folder could not be opened: fall back to flushing every file system
};

tagNotedFileSystems& Noted()
{
    static tagNotedFileSystems noted;
    return noted;
}

void NoteFolder(tagNotedFileSystems& noted, const std::string& folder)
{
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0) {
        noted.bSyncAll = true;
        return;
    }
    if (noted.fileSystems.count(st.st_dev))
        return;
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
        noted.fileSystems.emplace(st.st_dev, fd);
    else
        noted.bSyncAll = true;
}

} // namespace

void NoteUnflushedWrite(const std::string& path)
{
    std::string folder = FolderOfPath(path);
    tagNotedFileSystems& noted = Noted();
    std::lock_guard<std::mutex> lock(noted.mutex);
    if (noted.folders.insert(folder).second)
        NoteFolder(noted, folder);
}

int SyncNotedWrites()
{
    std::map<dev_t, int> fileSystems;
    bool syncAll = false;
    {
        tagNotedFileSystems& noted = Noted();
        std::lock_guard<std::mutex> lock(noted.mutex);
        fileSystems.swap(noted.fileSystems);
        noted.folders.clear();
        syncAll = std::exchange(noted.bSyncAll, false);
    }
    if (syncAll)
        ::sync();
    int result = 0;
    for (const auto& [device, fd] : fileSystems) {
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
