#pragma once

#include <chrono>
#include <string>

// Holds an advisory lock around a read-change-write of a file that another process may change at the
// same time (two copies of the program saving the server list, say).
//
// The lock is taken with flock() on the file's folder, not on the file itself: each write renames a new
// file over the old one, so a lock on the old file's inode would guard nothing after the first write,
// and a companion lock file would stay beside the operator's files (and be shipped with them). Writers
// of other files in the same folder wait too, for the moment of a save. A symbolic link is followed as
// the write follows it, so every path to the same file shares one lock. flock() belongs to the open
// file, so two CFileLock objects exclude each other in one process too.
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
    // the errno value of opening the folder (such as ENOENT for a missing one).
    int Lock(const std::u16string& path, std::chrono::milliseconds wait = kDefaultWait);
    void Unlock();
    bool IsLocked() const { return m_bLocked; }

private:
    int m_nFd = -1;
    bool m_bLocked = false;
};
