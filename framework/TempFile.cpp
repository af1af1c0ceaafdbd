#include "framework/TempFile.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::string_view kTempPrefix = ".korvane-";
constexpr size_t kRandomPartLength = 6; // mkostemp's "XXXXXX"
constexpr int kCreateAttempts = 8;

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

bool IsAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
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

} // namespace

CTempFile::~CTempFile()
{
    Discard();
}

CTempFile::CTempFile(CTempFile&& other) noexcept
    : m_strPath(std::move(other.m_strPath)), m_nFd(std::exchange(other.m_nFd, -1)), m_device(other.m_device),
      m_owner(other.m_owner), m_group(other.m_group), m_bRenamed(other.m_bRenamed)
{
    other.m_strPath.clear();
}

CTempFile& CTempFile::operator=(CTempFile&& other) noexcept
{
    if (this != &other) {
        Discard();
        m_strPath = std::exchange(other.m_strPath, std::string());
        m_nFd = std::exchange(other.m_nFd, -1);
        m_device = other.m_device;
        m_owner = other.m_owner;
        m_group = other.m_group;
        m_bRenamed = other.m_bRenamed;
    }
    return *this;
}

// The file is unlinked while its lock is still held, so no sweeper can have taken the name meanwhile.
void CTempFile::Discard()
{
    if (m_nFd >= 0 && !m_bRenamed && !m_strPath.empty())
        ::unlink(m_strPath.c_str());
    if (m_nFd >= 0)
        ::close(m_nFd);
    m_nFd = -1;
    m_strPath.clear();
}

// Between mkostemp and flock a sweeper may find the new file unlocked and remove it; the name then no
// longer refers to the file held, and another name is tried.
int CTempFile::Create(const std::string& folder)
{
    IgnoreFileSizeSignal();
    Discard();
    m_bRenamed = false;
    std::string pattern = folder + "/" + std::string(kTempPrefix) + std::to_string(::getpid()) + "-XXXXXX";
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string path = pattern;
        int fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0)
            return errno;
        // A file system without flock() cannot mark the file live, but its sweepers cannot take the lock
        // either, so the file is safe from them.
        bool locked = LockExclusive(fd) == 0;
        struct stat held;
        struct stat named;
        if (::fstat(fd, &held) != 0) {
            int error = errno;
            ::unlink(path.c_str());
            ::close(fd);
            return error;
        }
        if (!locked || (::stat(path.c_str(), &named) == 0 && SameFile(held, named))) {
            m_strPath = std::move(path);
            m_nFd = fd;
            m_device = held.st_dev;
            m_owner = held.st_uid;
            m_group = held.st_gid;
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
        ssize_t n = ::write(m_nFd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

void CTempFile::TryKeepOwner(uid_t owner, gid_t group)
{
    // A file made by the user who owns the target, in a folder that gives it the target's group, has
    // both already: the call would change nothing.
    if (owner == m_owner && group == m_group)
        return;
    if (::fchown(m_nFd, owner, group) != 0) {
        // An ordinary user may still keep the group when a member of it.
        (void)::fchown(m_nFd, static_cast<uid_t>(-1), group);
    }
}

int CTempFile::SetMode(mode_t mode)
{
    return ::fchmod(m_nFd, mode) == 0 ? 0 : errno;
}

int CTempFile::Flush()
{
    return ::fsync(m_nFd) == 0 ? 0 : errno;
}

int CTempFile::RenameOver(const std::string& target)
{
    if (::rename(m_strPath.c_str(), target.c_str()) != 0)
        return errno;
    m_bRenamed = true;
    return 0;
}

bool IsTempFileName(std::string_view name)
{
    if (name.substr(0, kTempPrefix.size()) != kTempPrefix)
        return false;
    std::string_view rest = name.substr(kTempPrefix.size());
    size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
        ++digits;
    if (digits == 0 || digits >= rest.size() || rest[digits] != '-')
        return false;
    std::string_view random = rest.substr(digits + 1);
    if (random.size() != kRandomPartLength)
        return false;
    for (char c : random) {
        if (!IsAsciiAlnum(c))
            return false;
    }
    return true;
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
