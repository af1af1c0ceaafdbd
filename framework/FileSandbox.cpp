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

std::vector<CFileSandbox::Write> CFileSandbox::Writes() const
{
    std::vector<Write> writes;
    for (const std::u16string& path : m_order)
        writes.push_back({path, m_files.at(path)});
    return writes;
}

tagFileBytes CFileSandbox::Read(const std::u16string& path)
{
    auto found = m_files.find(path);
    if (found == m_files.end())
        return DiskStore().Read(path);
    return tagFileBytes{found->second, {}};
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

void CFileSandbox::Store(const std::u16string& path, std::string_view bytes)
{
    auto [entry, added] = m_files.insert_or_assign(path, std::string(bytes));
    if (added)
        m_order.push_back(path);
}

tagFileError CFileSandbox::Replace(const std::u16string& path, std::string_view bytes, Durability)
{
    if (int error = CheckWritable(path))
        return tagFileError::FromOsError(error, path);
    Store(path, bytes);
    return {};
}

tagFileError CFileSandbox::ReplaceTogether(const std::vector<tagFileWrite>& writes)
{
    for (const tagFileWrite& write : writes) {
        if (int error = CheckWritable(write.path))
            return tagFileError::FromOsError(error, write.path);
    }
    for (const tagFileWrite& write : writes)
        Store(write.path, write.bytes);
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
    return m_files.count(path) != 0 || m_folders.count(WithoutTrailingSlash(ToUtf8(path))) != 0 ||
           DiskStore().Exists(path);
}
