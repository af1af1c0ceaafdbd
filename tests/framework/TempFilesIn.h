#pragma once

#include "framework/TempFile.h"

#include <filesystem>
#include <string>
#include <vector>

// The temporary files in a folder, which must be none after any write has finished.
inline std::vector<std::string> TempFilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const std::filesystem::directory_entry& entry :
         std::filesystem::directory_iterator(std::filesystem::u8path(folder))) {
        std::string name = entry.path().filename().string();
        if (IsTempFileName(name))
            names.push_back(name);
    }
    return names;
}
