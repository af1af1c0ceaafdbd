#include "bench/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr const char* kRamFolder = "/dev/shm";

bool RamFolderUsable()
{
    return ::access(kRamFolder, W_OK | X_OK) == 0;
}

} // namespace

std::string ScratchRoot()
{
    return RamFolderUsable() ? std::string(kRamFolder) : std::filesystem::temp_directory_path().string();
}

std::string ScratchRootDescription()
{
    if (RamFolderUsable())
        return "files under /dev/shm (RAM disk)";
    return "files under " + ScratchRoot() + " (no /dev/shm here: the figures include the disk)";
}

CScratchFolder::CScratchFolder()
{
    std::string pattern = ScratchRoot() + "/korvane-bench-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder under " + ScratchRoot());
    m_strPath = pattern;
}

CScratchFolder::~CScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_strPath, ignored);
}
