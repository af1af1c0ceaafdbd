#include "framework/TempFile.h"

#include "framework/FileSystem.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kCreateAttempts = 8;

int Fd(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

// A write past RLIMIT_FSIZE raises SIGXFSZ, whose default action ends the process without a word.
// Ignored, the write returns EFBIG and the caller reports a full disk. A handler the program installed
// itself is left in place: write() returns EFBIG after it too.
void IgnoreFileSizeSignal()
{
    static const bool done = [] {
        struct sigaction current = {};
        if (::sigaction(SIGXFSZ, nullptr, &current) != 0)
            return false;
        if ((current.sa_flags & SA_SIGINFO) || current.sa_handler != SIG_DFL)
            return true;
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        return ::sigaction(SIGXFSZ, &ignore, nullptr) == 0;
    }();
    (void)done;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int LockExclusive(int fd)
{
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

// Reading the umask means setting it twice, which would also give a file another thread makes meanwhile
// the wrong mode: it is read once, at the first new file. The program never changes it.
std::atomic<int>& KnownUmask()
{
    static std::atomic<int> mask{-1}; // not read yet
    return mask;
}

mode_t ProcessUmask()
{
    int mask = KnownUmask().load();
    if (mask < 0) {
        static std::mutex mutex;
        std::lock_guard<std::mutex> lock(mutex);
        mask = KnownUmask().load();
        if (mask < 0) {
            mode_t current = ::umask(0);
            ::umask(current);
            mask = static_cast<int>(current);
            KnownUmask().store(mask);
        }
    }
    return static_cast<mode_t>(mask);
}

// Opens a candidate without following links or blocking on a FIFO someone named like ours; removes it
// when its lock is free and the name still refers to the file locked.
void RemoveIfStale(int folderFd, const char* name)
{
    int fd = ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat held;
    struct stat named;
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named))
        ::unlinkat(folderFd, name, 0);
    ::close(fd);
}

// The number in the names, taken once: a run writes thousands of files. A child of a fork keeps its
// parent's, which only names its files; what makes each name its own is the random part.
const std::string& ProcessId()
{
    static const std::string id = std::to_string(::getpid());
    return id;
}

} // namespace

// The file is unlinked while its lock is still held, so no sweeper can have taken the name meanwhile.
void CTempFile::Discard()
{
    if (m_hFile != kNoFile && !m_bRenamed && !m_strPath.empty())
        ::unlink(m_strPath.c_str());
    if (m_hFile != kNoFile)
        ::close(Fd(m_hFile));
    m_hFile = kNoFile;
    m_strPath.clear();
}

// Between mkostemp and flock a sweeper may find the new file unlocked and remove it; the name then no
// longer refers to the file held, and another name is tried.
int CTempFile::Create(const std::string& folder)
{
    IgnoreFileSizeSignal();
    Discard();
    m_bRenamed = false;
    std::string pattern = folder + "/" + std::string(kTempFilePrefix) + ProcessId() + "-XXXXXX";
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string path = pattern;
        int fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0)
            return errno;
        // A file system without flock() cannot mark the file live, but its sweepers cannot take the lock
        // either, so the file is safe from them.
        bool locked = LockExclusive(fd) == 0;
        struct stat held;
        if (::fstat(fd, &held) != 0) {
            int error = errno;
            ::unlink(path.c_str());
            ::close(fd);
            return error;
        }
        // A sweeper only ever unlinks: a file that still has a link still has its name. A file system
        // that counts no links gets the name looked at.
        struct stat named;
        if (!locked || held.st_nlink > 0 || (::stat(path.c_str(), &named) == 0 && SameFile(held, named))) {
            m_strPath = std::move(path);
            m_hFile = fd;
            m_nOwner = held.st_uid;
            m_nGroup = held.st_gid;
            return 0;
        }
        ::close(fd);
    }
    return EEXIST;
}

int CTempFile::Write(std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(Fd(m_hFile), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

// The owner first: changing it clears the set-user-ID and set-group-ID bits. A file made by the user
// who owns the target, in a folder that gives it the target's group, has both already.
int CTempFile::KeepAttributesOf(const tagTargetState& target)
{
    if (!target.bExists)
        return ::fchmod(Fd(m_hFile), 0666 & ~ProcessUmask()) == 0 ? 0 : errno;
    if ((target.nOwner != m_nOwner || target.nGroup != m_nGroup) &&
        ::fchown(Fd(m_hFile), target.nOwner, target.nGroup) != 0) {
        // An ordinary user may still keep the group when a member of it.
        (void)::fchown(Fd(m_hFile), static_cast<uid_t>(-1), target.nGroup);
    }
    return ::fchmod(Fd(m_hFile), target.nMode & 07777) == 0 ? 0 : errno;
}

int CTempFile::Flush()
{
    return ::fsync(Fd(m_hFile)) == 0 ? 0 : errno;
}

int CTempFile::RenameOver(const std::string& target, bool)
{
    if (::rename(m_strPath.c_str(), target.c_str()) != 0)
        return errno;
    m_bRenamed = true;
    return 0;
}

void ReadUmaskAgainForTests()
{
    KnownUmask().store(-1);
}

void SweepStaleTempFiles(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    int folderFd = ::dirfd(dir);
    while (dirent* entry = ::readdir(dir)) {
        if (IsTempFileName(entry->d_name))
            RemoveIfStale(folderFd, entry->d_name);
    }
    ::closedir(dir);
}
