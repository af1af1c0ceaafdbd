#include "framework/FileStore.h"

#include "framework/FileLock.h"
#include "framework/FileSystem.h"

#include <cerrno>

namespace {

EWriteDurability ToDiskDurability(Durability durability)
{
    return durability == Durability::deferred ? EWriteDurability::flushLater : EWriteDurability::flushNow;
}

class CDiskStore : public CFileStore
{
public:
    tagFileBytes Read(const std::u16string& path) override { return ReadInto(path, std::string()); }

    tagFileBytes ReadInto(const std::u16string& path, std::string buffer) override
    {
        tagFileBytes result;
        int error = 0;
        if (std::optional<std::string> bytes = ReadFileBytes(path, &error, std::move(buffer)))
            result.bytes = std::move(*bytes);
        else if (error == EFBIG) // past the read limit: not a full disk
            result.error = tagFileError{tagFileError::tooLarge, path, error};
        else
            result.error = tagFileError::FromOsError(error, path);
        return result;
    }

    tagFileMatch Compare(const std::u16string& path, std::string_view bytes) override
    {
        tagFileMatch result;
        if (int error = CompareFileBytes(path, bytes, result.bSame))
            result.error = tagFileError::FromOsError(error, path);
        return result;
    }

    tagFileError Replace(const std::u16string& path, std::string_view bytes, Durability durability) override
    {
        return tagFileError::FromOsError(ReplaceFileContents(path, bytes, ToDiskDurability(durability)),
                                         path);
    }

    tagFileError ReplaceTogether(const std::vector<tagFileWrite>& writes) override
    {
        std::vector<tagFileReplacement> files;
        files.reserve(writes.size());
        for (const tagFileWrite& write : writes)
            files.push_back({write.path, write.bytes});
        size_t failed = 0;
        int error = ReplaceFilesTogether(files, EWriteDurability::flushNow, &failed);
        if (error == 0)
            return {};
        return tagFileError::FromOsError(error,
                                         failed < writes.size() ? writes[failed].path : std::u16string());
    }

    bool CreateFolder(const std::u16string& path) override { return CreateDirectoryW(path); }

    bool Exists(const std::u16string& path) override { return PathFileExistsW(path); }

    void Sync() override { SyncWrittenFiles(); }

    tagFileError LockForChange(const std::u16string& path, CFileLock& lock) override
    {
        return tagFileError::FromOsError(lock.Lock(path), path);
    }
};

} // namespace

CFileStore& DiskStore()
{
    static CDiskStore disk;
    return disk;
}
