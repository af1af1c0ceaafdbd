#pragma once

#include "framework/FileStore.h"
#include "framework/WriteLog.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Keeps a run's file writes in memory, for a dry run: reads see what the run wrote, else the disk, and
// nothing reaches the disk. A write is refused for the reasons the disk would refuse it (missing or
// read-only folder, read-only file), so the run takes the same course as a real one.
class CFileSandbox : public CFileStore
{
public:
    // A file written: its path as the writer named it, and the last content written.
    using Write = tagFileWrite;

    // The files written, in the order of their first write.
    std::vector<Write> Writes() const { return m_written.Writes(); }

    tagFileBytes Read(const std::u16string& path) override;
    tagFileMatch Compare(const std::u16string& path, std::string_view bytes) override;
    tagFileError Replace(const std::u16string& path, std::string_view bytes,
                         Durability durability = Durability::flushed) override;
    tagFileError ReplaceTogether(const std::vector<tagFileWrite>& writes) override;
    bool CreateFolder(const std::u16string& path) override;
    bool Exists(const std::u16string& path) override;
    void Sync() override {}
    // Nothing reaches the disk, so there is no change for another process to lose.
    tagFileError LockForChange(const std::u16string&, CFileLock&) override { return {}; }

private:
    int CheckFolderWritable(const std::string& folder) const;
    int CheckWritable(const std::u16string& path) const;

    CWriteLog m_written;
    std::set<std::string> m_folders; // UTF-8, as the disk names them
};
