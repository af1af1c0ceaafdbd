#include "framework/FileLock.h"

#include "framework/FileSystem.h"
#include "framework/WideText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds kFirstPoll{5};
constexpr std::chrono::milliseconds kLongestPoll{50};

// Read-only is enough for flock(), and any user who may write into the folder can open it.
int OpenFolder(const std::string& path)
{
    for (;;) {
        int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0 || errno != EINTR)
            return fd;
    }
}

// Polls, with a growing pause, until the lock is free or the wait is over.
int WaitForLock(int fd, std::chrono::milliseconds wait)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + wait;
    std::chrono::milliseconds pause = kFirstPoll;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return errno;
        Clock::time_point now = Clock::now();
        if (now >= deadline)
            return EBUSY;
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, kLongestPoll);
    }
}

} // namespace

CFileLock::~CFileLock()
{
    Unlock();
}

int CFileLock::Lock(const std::u16string& path, std::chrono::milliseconds wait)
{
    Unlock();
    std::string target;
    if (int error = ResolveWriteTarget(ToUtf8(path), target))
        return error;
    if (target.empty())
        return ENOENT;
    int fd = OpenFolder(FolderOfPath(target));
    if (fd < 0)
        return errno;
    if (int error = WaitForLock(fd, wait)) {
        ::close(fd);
        return error;
    }
    m_nFd = fd;
    m_bLocked = true;
    return 0;
}

void CFileLock::Unlock()
{
    if (m_nFd >= 0)
        ::close(m_nFd);
    m_nFd = -1;
    m_bLocked = false;
}
