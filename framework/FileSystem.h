#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Paths are UTF-16 in the domain code; the narrow paths below are UTF-8 on every platform. Linux
// separates folders with "/", Windows with "\" or "/" (see framework/Path.h).

// Full path of the running program's file.
std::u16string GetModuleFileNameW();

// The program's folder, ending with the platform's separator. Tests point it at a temporary folder.
std::u16string GetModuleDirectory();
void SetModuleDirectoryForTests(const std::u16string& directory);

bool PathFileExistsW(const std::u16string& path);

// Creates one folder; false when it exists already or cannot be made.
bool CreateDirectoryW(const std::u16string& path);

// Looks for a file of this name in a folder without regard to the case of ASCII letters, as a Windows
// file system would; an exact match wins. Returns the full path of the file found.
std::optional<std::u16string> FindFileNoCase(const std::u16string& directory, const std::u16string& name);

// The largest file ReadFileBytes takes in: every file the program reads is a small text file, and an
// endless input such as /dev/zero must not take the memory.
inline constexpr size_t kReadFileLimit = size_t{1} << 30;

// Whole-file read; nothing when the file cannot be read (the error number in *error). A file larger
// than kReadFileLimit, or an input that goes on past it, gives EFBIG. The bytes go into `buffer`: a
// buffer of an earlier read lends its memory, so that only what the file has beyond it is cleared first.
std::optional<std::string> ReadFileBytes(const std::u16string& path, int* error = nullptr,
                                         std::string buffer = std::string());

// Whether the file holds exactly `bytes`, found without reading it whole: a file on a disk of another
// size differs at once, and otherwise it is read a chunk at a time up to the first difference. Returns 0
// or an errno value (ENOENT for a missing file); `same` is false then.
int CompareFileBytes(const std::u16string& path, std::string_view bytes, bool& same);

// Lowers the read limit, so that a test need not read a gibibyte; kReadFileLimit restores it.
void SetReadFileLimitForTests(size_t limit);

// Makes the next new file read the umask again, for a test that changes it (Linux; Windows has none).
void ReadUmaskAgainForTests();

// The folder part of a path ("." for a bare name, "/" for a file in the root, "C:\" on Windows for one
// at a drive's root).
std::string FolderOfPath(const std::string& path);

// The file a write to this path reaches: on Linux a chain of symbolic links is followed to its end
// (which need not exist yet); on Windows it is the path itself. Returns 0 or an errno value (ELOOP for
// a chain too long or circular).
int ResolveWriteTarget(const std::string& path, std::string& target);

// What one look at a write target found: the checks before a replacement and the attributes the new file
// keeps use it rather than a look each.
struct tagTargetState
{
    bool bExists = false;
    int nLookError = 0;  // a look that failed for another reason than a missing file (Windows reports it)
    unsigned nMode = 0;  // Linux: type and permission bits; Windows: the file's attributes
    unsigned nOwner = 0; // Linux only
    unsigned nGroup = 0;
};

// ResolveWriteTarget that also gives the state of the target it reaches (on Linux from the same look
// that finds the end of the chain).
int ResolveWriteTarget(const std::string& path, std::string& target, tagTargetState& state);

// The checks before a file's content is replaced: a path is given, the target is no folder, is not
// read-only (all write permission bits clear on Linux, the read-only attribute on Windows) and the user
// may write it. Returns 0 or an errno value.
int CheckReplaceTarget(const std::string& target);
int CheckReplaceTarget(const std::string& target, const tagTargetState& state);

// Whether new files can be made in the folder: it exists, is a folder and the user may write it.
// Returns 0 or an errno value.
int CheckFolderWritable(const std::string& folder);

// How soon a replaced file must be safe on the disk.
enum class EWriteDurability {
    flushNow, // the file and its folder are flushed before the call returns: files whose old content matters
    flushLater, // no flush per file; SyncWrittenFiles() flushes everything written, a file system at a time
};

// Replaces a file's content without ever leaving it half written: the bytes go to a temporary file
// beside the target, which is then renamed over it. On Linux a symbolic link is written through (the
// file it points to is replaced and the link stays), and the file keeps its permission bits and, where
// the user may set them, its owner and group; on Windows it keeps its hidden and system attributes. A
// new file on Linux takes the process's umask, read at the first new file. The first write into a folder
// in a process removes the temporary files that killed writers left there. A read-only target (see
// CheckReplaceTarget) is refused, as is one the user may not write.
// Returns 0 or an errno value (EFBIG when the file-size limit stops the write). A failure before the
// rename leaves the old file untouched; a failure to flush the folder after it is reported with the new
// content in place. No temporary file is left either way.
int ReplaceFileContents(const std::u16string& path, std::string_view bytes,
                        EWriteDurability durability = EWriteDurability::flushNow);

// One file of a set replaced together.
struct tagFileReplacement
{
    std::u16string strPath;
    std::string strBytes;
};

// Replaces files that belong together: every new content is written and flushed beside its target
// first, and the renames start only when all are ready, so a failure before them leaves every target
// as it was. A rename that fails after others were done (a rare fault of the file system) is reported;
// the files renamed by then keep their new content. Returns 0 or the first errno value.
// *failedIndex receives the index of the file that failed.
int ReplaceFilesTogether(const std::vector<tagFileReplacement>& files,
                         EWriteDurability durability = EWriteDurability::flushNow,
                         size_t* failedIndex = nullptr);

// Flushes every file written with EWriteDurability::flushLater since the last call (Linux: one syncfs()
// per file system; Windows: each file). Returns 0 or the first errno value.
int SyncWrittenFiles();
