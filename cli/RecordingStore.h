#pragma once

#include "framework/FileStore.h"
#include "framework/WriteLog.h"

#include <vector>

// Passes every operation to another store and notes the replacements that succeeded, so that a real
// run can list the files it wrote as a dry run lists the files it would write.
class CRecordingStore : public CFileStore
{
public:
    explicit CRecordingStore(CFileStore& files) : m_files(files) {}

    // The files written, in the order of their first write, with their last content.
    std::vector<tagFileWrite> Writes() const { return m_written.Writes(); }

    tagFileBytes Read(const std::u16string& path) override { return m_files.Read(path); }
    tagFileMatch Compare(const std::u16string& path, std::string_view bytes) override
    {
        return m_files.Compare(path, bytes);
    }
    tagFileError Replace(const std::u16string& path, std::string_view bytes,
                         Durability durability = Durability::flushed) override;
    tagFileError ReplaceTogether(const std::vector<tagFileWrite>& writes) override;
    bool CreateFolder(const std::u16string& path) override { return m_files.CreateFolder(path); }
    bool Exists(const std::u16string& path) override { return m_files.Exists(path); }
    void Sync() override { m_files.Sync(); }
    tagFileError LockForChange(const std::u16string& path, CFileLock& lock) override
    {
        return m_files.LockForChange(path, lock);
    }

private:
    CFileStore& m_files;
    CWriteLog m_written;
};
