#pragma once

#include <chrono>
#include <string>

// Holds an advisory lock around a read-change-write of a file that another process may change at the
// same time (two copies of the program saving the server list, say).
//
// The lock is taken with flock() on a companion file beside the file, ".<name>.lock", not on the file
// itself: each write renames a new file over the old one, so a lock on the old file's inode would
// guard nothing after the first write. A symbolic link is followed as the write follows it, so every
// path to the same file shares one lock. The companion file stays when the lock is released: removed,
// a process that had opened it just before and one creating it afresh could both hold "the" lock.
// flock() belongs to the open file, so two CFileLock objects exclude each other in one process too.
// During a dry run (CFileSandbox) nothing reaches the disk, so no lock is taken.
class CFileLock
{
public:
    static constexpr std::chrono::milliseconds kDefaultWait{5000};

    CFileLock() = default;
    ~CFileLock(); // releases the lock
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Takes the lock for the file, waiting up to `wait` for another holder to let go. Returns 0 when
    // held, EBUSY when another holder kept it the whole time (the platform's sharing violation), or
    // the errno value of opening the companion file (such as ENOENT for a missing folder).
    int Lock(const std::u16string& path, std::chrono::milliseconds wait = kDefaultWait);
    void Unlock();
    bool IsLocked() const { return m_bLocked; }

    // The companion file of a target: ".<name>.lock" in the target's folder.
    static std::string LockFilePath(const std::string& target);

private:
    int m_nFd = -1;
    bool m_bLocked = false;
};
