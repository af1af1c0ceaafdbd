#pragma once

#include "framework/FileError.h"

#include <string>
#include <string_view>
#include <vector>

class CFileLock;

// A file's bytes, or why they could not be read.
struct tagFileBytes
{
    std::string bytes;
    tagFileError error;
};

// Whether a file holds exactly some bytes, or why it could not be read.
struct tagFileMatch
{
    bool bSame = false;
    tagFileError error;
};

// One file of a group that is replaced together.
struct tagFileWrite
{
    std::u16string path;
    std::string bytes;
};

// How soon a replaced file must be on the disk.
enum class Durability {
    flushed,  // before the call returns: the file's old content matters
    deferred, // by the next Sync(): files that every run makes afresh
};

// The files that domain code reads and writes: the disk, or a dry run's sandbox. Every replacement is
// whole or nothing: a failure leaves the old file as it was.
class CFileStore
{
public:
    virtual ~CFileStore() = default;

    virtual tagFileBytes Read(const std::u16string& path) = 0;
    // Read into `buffer`, whose memory a store may reuse: a large file then costs no fresh memory that
    // is cleared before the read fills it.
    virtual tagFileBytes ReadInto(const std::u16string& path, std::string /*buffer*/) { return Read(path); }
    // Read and compared with `bytes`, without holding the whole file: the disk stops at the first
    // difference.
    virtual tagFileMatch Compare(const std::u16string& path, std::string_view bytes) = 0;
    virtual tagFileError Replace(const std::u16string& path, std::string_view bytes,
                                 Durability durability = Durability::flushed) = 0;
    // All files or none: each is prepared completely before the first takes its new content.
    virtual tagFileError ReplaceTogether(const std::vector<tagFileWrite>& writes) = 0;
    // False when the folder exists already or cannot be made.
    virtual bool CreateFolder(const std::u16string& path) = 0;
    virtual bool Exists(const std::u16string& path) = 0;
    // Puts the deferred replacements on the disk.
    virtual void Sync() = 0;
    // Holds `lock` around a read-change-write of `path` that another process may do at the same time
    // (the server list); the error when it cannot be had. A store that writes nothing to the disk
    // leaves `lock` free.
    virtual tagFileError LockForChange(const std::u16string& path, CFileLock& lock) = 0;
};

// The real file system.
CFileStore& DiskStore();
