#include "framework/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Read-only is enough for flock(), and any user who may write into the folder can open it.
int OpenFolder(const std::string& path)
{
    for (;;) {
        int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0 || errno != EINTR)
            return fd;
    }
}

} // namespace

int CFileLock::TryLock(const std::string& folder)
{
    if (m_hLock == kNoHandle) {
        int fd = OpenFolder(folder);
        if (fd < 0)
            return errno;
        m_hLock = fd;
    }
    for (;;) {
        if (::flock(static_cast<int>(m_hLock), LOCK_EX | LOCK_NB) == 0)
            return 0;
        if (errno != EINTR)
            return errno;
    }
}

void CFileLock::Close()
{
    if (m_hLock != kNoHandle)
        ::close(static_cast<int>(m_hLock));
    m_hLock = kNoHandle;
}
