#include "framework/FileStore.h"

#include "framework/FileSystem.h"

namespace {

class CDiskStore : public CFileStore
{
public:
    tagFileBytes Read(const std::u16string& path) override
    {
        tagFileBytes result;
        int error = 0;
        if (std::optional<std::string> bytes = ReadFileBytes(path, &error))
            result.bytes = std::move(*bytes);
        else
            result.error = tagFileError::FromOsError(error, path);
        return result;
    }

    tagFileError Replace(const std::u16string& path, std::string_view bytes, Durability) override
    {
        return tagFileError::FromOsError(ReplaceFileContents(path, bytes), path);
    }

    tagFileError ReplaceTogether(const std::vector<tagFileWrite>& writes) override
    {
        for (const tagFileWrite& write : writes) {
            if (int error = ReplaceFileContents(write.path, write.bytes))
                return tagFileError::FromOsError(error, write.path);
        }
        return {};
    }

    bool CreateFolder(const std::u16string& path) override { return CreateDirectoryW(path); }

    bool Exists(const std::u16string& path) override { return PathFileExistsW(path); }

    void Sync() override {}
};

} // namespace

CFileStore& DiskStore()
{
    static CDiskStore disk;
    return disk;
}
