#include "framework/FileSandbox.h"

#include "framework/FileSystem.h"
#include "framework/Path.h"
#include "framework/WideText.h"

#include <cerrno>

namespace {

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && IsPathSeparator(static_cast<unsigned char>(path.back())))
        path.pop_back();
    return path;
}

} // namespace

tagFileBytes CFileSandbox::Read(const std::u16string& path)
{
    const std::string* written = m_written.Find(path);
    if (!written)
        return DiskStore().Read(path);
    return tagFileBytes{*written, {}};
}

tagFileMatch CFileSandbox::Compare(const std::u16string& path, std::string_view bytes)
{
    const std::string* written = m_written.Find(path);
    if (!written)
        return DiskStore().Compare(path, bytes);
    return tagFileMatch{*written == bytes, {}};
}

int CFileSandbox::CheckFolderWritable(const std::string& folder) const
{
    if (m_folders.count(WithoutTrailingSlash(folder)))
        return 0;
    return ::CheckFolderWritable(folder);
}

// The checks of the real replacement: the target must not be a folder or read-only, and its folder
// must take the temporary file.
int CFileSandbox::CheckWritable(const std::u16string& path) const
{
    std::string target = ToUtf8(path);
    if (int error = CheckReplaceTarget(target))
        return error;
    return CheckFolderWritable(FolderOfPath(target));
}

tagFileError CFileSandbox::Replace(const std::u16string& path, std::string_view bytes, Durability)
{
    if (int error = CheckWritable(path))
        return tagFileError::FromOsError(error, path);
    m_written.Add(path, bytes);
    return {};
}

tagFileError CFileSandbox::ReplaceTogether(const std::vector<tagFileWrite>& writes)
{
    for (const tagFileWrite& write : writes) {
        if (int error = CheckWritable(write.path))
            return tagFileError::FromOsError(error, write.path);
    }
    for (const tagFileWrite& write : writes)
        m_written.Add(write.path, write.bytes);
    return {};
}

bool CFileSandbox::CreateFolder(const std::u16string& path)
{
    std::string folder = WithoutTrailingSlash(ToUtf8(path));
    if (folder.empty() || m_folders.count(folder) || PathFileExistsW(FromUtf8(folder)))
        return false;
    if (CheckFolderWritable(FolderOfPath(folder)) != 0)
        return false;
    m_folders.insert(folder);
    return true;
}

bool CFileSandbox::Exists(const std::u16string& path)
{
    return m_written.Find(path) != nullptr || m_folders.count(WithoutTrailingSlash(ToUtf8(path))) != 0 ||
           DiskStore().Exists(path);
}
