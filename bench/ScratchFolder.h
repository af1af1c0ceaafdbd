#pragma once

#include <string>

// A fresh folder for a benchmark's files, removed with everything in it at the end. It lies in /dev/shm
// when that is there, so that the figures measure the program rather than a disk; elsewhere in the
// system's temporary folder.
class CScratchFolder
{
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::string& Path() const { return m_strPath; } // without a trailing "/"
    std::string File(const std::string& name) const { return m_strPath + "/" + name; }

private:
    std::string m_strPath;
};

// The folder the scratch folders go into, and a line saying which it is.
std::string ScratchRoot();
std::string ScratchRootDescription();
