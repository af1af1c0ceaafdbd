#pragma once

#include "framework/CArray.h"

#include <string>

// One entry of the client's server list.
struct tagServer
{
    std::u16string strServerName;
    std::u16string strServerAddr;
    std::u16string strServerDomain;

    friend bool operator==(const tagServer&, const tagServer&) = default;
};

// Looks for the file in the program's folder, without regard to the case of ASCII letters. When found,
// puts its full path into `path` and returns true; otherwise leaves `path` as it was.
bool FindFileInModuleDir(const std::u16string& fileName, std::u16string& path);

// Replaces the whole array with the entries stored in the file. A missing file gives an empty array;
// fields that do not decode come back empty, after the decoder's own message.
void LoadServerList(const std::u16string& path, CArray<tagServer>& servers);

// Writes the array into the file in the client's encoded form, leaving everything else in the file.
// The file is read once and replaced once. Returns 0, or an errno value when the file could not be read
// or written; the old file is then untouched.
int SaveServerList(const std::u16string& path, const CArray<tagServer>& servers);
