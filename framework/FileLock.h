#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// Holds an advisory lock around a read-change-write of a file that another process may change at the
// same time (two copies of the program saving the server list, say).
//
// The lock belongs to the file's folder, not to the file itself: each write renames a new file over the
// old one, so a lock on the old file would guard nothing after the first write. Writers of other files
// in the same folder wait too, for the moment of a save. A symbolic link is followed as the write
// follows it, so every path to the same file shares one lock, and two CFileLock objects exclude each
// other in one process too.
//
// Linux takes flock() on the folder itself, so nothing is left beside the operator's files. Windows
// cannot lock a folder: it takes LockFileEx() on a hidden file ".korvane-lock" in it, which is deleted
// when its last handle closes (a crashed holder's too).
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
    static constexpr std::intptr_t kNoHandle = -1;

    // The platform's part: opens what the lock is taken on for the folder (UTF-8), once; then one
    // attempt at the lock: 0 when held, EWOULDBLOCK while another holder keeps it, or an errno value.
    int TryLock(const std::string& folder);
    void Close();

    std::intptr_t m_hLock = kNoHandle; // a descriptor on Linux, a HANDLE on Windows
    bool m_bLocked = false;
};
