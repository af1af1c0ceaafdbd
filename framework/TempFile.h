#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

// A file being prepared beside the file it will replace, under a name that marks it as ours
// (".korvane-<pid>-XXXXXX"). The writer holds an exclusive flock() on it for its whole life, so another
// process can tell a live writer's file (lock taken) from one a killed process left (lock free).
// Destroying it removes the file unless it was renamed over its target.
class CTempFile
{
public:
    CTempFile() = default;
    ~CTempFile();
    CTempFile(CTempFile&& other) noexcept;
    CTempFile& operator=(CTempFile&& other) noexcept;
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Makes the file in the folder and locks it. Returns 0 or an errno value.
    int Create(const std::string& folder);

    // Each returns 0 or an errno value. A write the file-size limit stops gives EFBIG.
    int Write(std::string_view bytes);
    void TryKeepOwner(uid_t owner, gid_t group); // needs privileges for another user's file
    int SetMode(mode_t mode);
    int Flush();

    // Renames the file over the target; afterwards the name belongs to the target and is never removed
    // from here.
    int RenameOver(const std::string& target);

    const std::string& Path() const { return m_strPath; }
    dev_t Device() const { return m_device; }

private:
    void Discard();

    std::string m_strPath;
    int m_nFd = -1;
    dev_t m_device = 0;
    uid_t m_owner = 0; // of the file as made
    gid_t m_group = 0;
    bool m_bRenamed = false;
};

// Whether a folder entry has the name of a temporary file made by CTempFile.
bool IsTempFileName(std::string_view name);

// Removes the temporary files in the folder whose writer is gone: those whose lock can be taken.
// A live writer's file is left alone; errors are ignored (the sweep is housekeeping).
void SweepStaleTempFiles(const std::string& folder);
