#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Keeps a run's file writes in memory, for a dry run. While one is installed, ReplaceFileContents stores
// the bytes here, ReadFileBytes and PathFileExistsW see them, and CreateDirectoryW only notes the folder:
// nothing reaches the disk. A write is refused for the reasons the disk would refuse it (missing or
// read-only folder, read-only file), so the run takes the same course as a real one.
class CFileSandbox
{
public:
    struct Write
    {
        std::u16string path; // as the writer named it
        std::string bytes;   // the last content written
    };

    CFileSandbox();  // installs itself; one at a time
    ~CFileSandbox(); // removes itself
    CFileSandbox(const CFileSandbox&) = delete;
    CFileSandbox& operator=(const CFileSandbox&) = delete;

    static CFileSandbox* Active();

    // The files written, in the order of their first write.
    std::vector<Write> Writes() const;

    // The seams of framework/FileSystem.cpp.
    std::optional<std::string> Read(const std::u16string& path) const;
    int Replace(const std::u16string& path, std::string_view bytes);
    bool CreateFolder(const std::u16string& path);
    bool Exists(const std::u16string& path) const;

private:
    int CheckFolderWritable(const std::string& folder) const;

    std::vector<std::u16string> m_order;
    std::map<std::u16string, std::string> m_files;
    std::set<std::string> m_folders; // UTF-8, as the disk names them
    CFileSandbox* m_previous = nullptr;
};
