#include "framework/FileLock.h"

#include "framework/FileSystem.h"
#include "framework/WideText.h"

#include <algorithm>
#include <cerrno>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kFirstPoll{5};
constexpr std::chrono::milliseconds kLongestPoll{50};

} // namespace

CFileLock::~CFileLock()
{
    Unlock();
}

// Polls, with a growing pause, until the lock is free or the wait is over.
int CFileLock::Lock(const std::u16string& path, std::chrono::milliseconds wait)
{
    Unlock();
    std::string target;
    if (int error = ResolveWriteTarget(ToUtf8(path), target))
        return error;
    if (target.empty())
        return ENOENT;
    const std::string folder = FolderOfPath(target);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + wait;
    std::chrono::milliseconds pause = kFirstPoll;
    for (;;) {
        int result = TryLock(folder);
        if (result == 0) {
            m_bLocked = true;
            return 0;
        }
        Clock::time_point now = Clock::now();
        if (result != EWOULDBLOCK || now >= deadline) {
            Close();
            return result == EWOULDBLOCK ? EBUSY : result;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, kLongestPoll);
    }
}

void CFileLock::Unlock()
{
    Close();
    m_bLocked = false;
}
