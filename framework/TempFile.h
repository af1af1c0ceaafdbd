#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct tagTargetState;

// A file being prepared beside the file it will replace, under a name that marks it as ours
// (".korvane-<pid>-XXXXXX"). The writer holds an exclusive lock on it for its whole life (flock() on
// Linux, LockFileEx() on Windows), so another process can tell a live writer's file (lock taken) from
// one a killed process left (lock free). Destroying it removes the file unless it was renamed over its
// target. Paths are UTF-8.
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
    // Gives the file what the target keeps across the replacement (Linux: permission bits, and owner
    // and group where the user may set them; Windows: hidden and system attributes), or a new file's
    // defaults when there is no target yet. `target` is the state of the target as found before.
    int KeepAttributesOf(const tagTargetState& target);
    int Flush();

    // Renames the file over the target; afterwards the name belongs to the target and is never removed
    // from here. With writeThrough the rename is on the disk when the call returns, where the platform
    // can do that for one rename (Windows); Linux flushes the folder afterwards instead.
    int RenameOver(const std::string& target, bool writeThrough);

    const std::string& Path() const { return m_strPath; }

private:
    void Discard();

    static constexpr std::intptr_t kNoFile = -1;

    std::string m_strPath;
    std::intptr_t m_hFile = kNoFile; // a descriptor on Linux, a HANDLE on Windows
    unsigned m_nOwner = 0; // of the file as made (Linux), so that an owner already right is not set again
    unsigned m_nGroup = 0;
    bool m_bRenamed = false;
};

// The start of every temporary file's name.
inline constexpr std::string_view kTempFilePrefix = ".korvane-";

// Whether a folder entry has the name of a temporary file made by CTempFile.
bool IsTempFileName(std::string_view name);

// Removes the temporary files in the folder whose writer is gone: those whose lock can be taken.
// A live writer's file is left alone; errors are ignored (the sweep is housekeeping).
void SweepStaleTempFiles(const std::string& folder);
