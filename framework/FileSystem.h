#pragma once

#include <optional>
#include <string>
#include <string_view>

// Paths are UTF-16 in the domain code and UTF-8 on disk; the separator is "/".

// Full path of the running program's file.
std::u16string GetModuleFileNameW();

// The program's folder, ending with "/". Tests point it at a temporary folder.
std::u16string GetModuleDirectory();
void SetModuleDirectoryForTests(const std::u16string& directory);

bool PathFileExistsW(const std::u16string& path);

// Creates one folder; false when it exists already or cannot be made.
bool CreateDirectoryW(const std::u16string& path);

// Looks for a file of this name in a folder without regard to the case of ASCII letters, as a Windows
// file system would; an exact match wins. Returns the full path of the file found.
std::optional<std::u16string> FindFileNoCase(const std::u16string& directory, const std::u16string& name);

// Whole-file read; nothing when the file cannot be opened (the error number in *error).
std::optional<std::string> ReadFileBytes(const std::u16string& path, int* error = nullptr);

// The folder part of a path ("." for a bare name, "/" for a file in the root).
std::string FolderOfPath(const std::string& path);

// The checks before a file's content is replaced: a path is given, the target is no folder and is not
// read-only (all write permission bits clear). Returns 0 or an errno value; *existingMode receives the
// permission bits of an existing target.
int CheckReplaceTarget(const std::string& target, unsigned* existingMode = nullptr);

// Replaces a file's content without ever leaving it half written: the bytes go to a temporary file
// beside the target, which is then renamed over it. A target whose write permission bits are all clear
// counts as read-only (the platform's read-only attribute) and is refused. Returns 0 or an errno value;
// on failure the old file is untouched.
int ReplaceFileContents(const std::u16string& path, std::string_view bytes);
