#include "framework/FileSystem.h"

#include "framework/FileReading.h"
#include "framework/FileSync.h"
#include "framework/Path.h"
#include "framework/TempFile.h"
#include "framework/WideText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_set>

// The parts of the file layer that are the same on every platform: the module folder override, the read
// limit, folder names and the order of a replacement's steps.

namespace {

std::u16string& ModuleDirectoryOverride()
{
    static std::u16string directory;
    return directory;
}

size_t& ReadFileLimitSetting()
{
    static size_t limit = kReadFileLimit;
    return limit;
}

// A sweep reads the whole folder, and one run writes thousands of files into the same folder: stale
// temporary files are looked for at the first write into a folder in this process.
void SweepFolderOnce(const std::string& folder)
{
    static std::mutex mutex;
    static std::unordered_set<std::string> swept;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!swept.insert(folder).second)
            return;
    }
    SweepStaleTempFiles(folder);
}

// One file of a replacement on its way: the bytes are in a temporary file beside the target.
struct tagPendingWrite
{
    std::string strTarget; // past any symbolic links
    tagTargetState targetState;
    std::string_view bytes;
    CTempFile temp;
};

int PrepareWrite(tagPendingWrite& write, EWriteDurability durability)
{
    if (int error = CheckReplaceTarget(write.strTarget, write.targetState))
        return error;
    std::string folder = FolderOfPath(write.strTarget);
    SweepFolderOnce(folder);
    if (int error = write.temp.Create(folder))
        return error;
    if (int error = write.temp.Write(write.bytes))
        return error;
    if (int error = write.temp.KeepAttributesOf(write.targetState))
        return error;
    if (durability == EWriteDurability::flushNow)
        return write.temp.Flush();
    return 0;
}

// Prepares every write, then renames them all, then makes the renames durable. A temporary file not
// renamed is removed when its tagPendingWrite goes.
int ReplacePrepared(std::vector<tagPendingWrite>& writes, EWriteDurability durability, size_t* failed)
{
    for (size_t i = 0; i < writes.size(); ++i) {
        if (int error = PrepareWrite(writes[i], durability)) {
            *failed = i;
            return error;
        }
    }
    const bool writeThrough = durability == EWriteDurability::flushNow;
    for (size_t i = 0; i < writes.size(); ++i) {
        if (int error = writes[i].temp.RenameOver(writes[i].strTarget, writeThrough)) {
            *failed = i;
            return error;
        }
    }
    std::vector<std::string> folders;
    int result = 0;
    for (const tagPendingWrite& write : writes) {
        if (durability == EWriteDurability::flushLater) {
            NoteUnflushedWrite(write.strTarget);
            continue;
        }
        std::string folder = FolderOfPath(write.strTarget);
        if (std::find(folders.begin(), folders.end(), folder) != folders.end())
            continue;
        folders.push_back(folder);
        if (int error = SyncFolder(folder); error != 0 && result == 0)
            result = error;
    }
    return result;
}

int AddPendingWrite(std::vector<tagPendingWrite>& writes, const std::u16string& path, std::string_view bytes)
{
    tagPendingWrite write;
    if (int error = ResolveWriteTarget(ToUtf8(path), write.strTarget, write.targetState))
        return error;
    write.bytes = bytes;
    writes.push_back(std::move(write));
    return 0;
}

// "C:\" and "C:/" are roots of their own on Windows.
bool IsDriveRoot(const std::string& path, size_t separator)
{
    return kPathSeparator == u'\\' && separator == 2 && path[1] == ':';
}

} // namespace

size_t ReadFileLimit()
{
    return ReadFileLimitSetting();
}

std::optional<std::string> ReadFileBytes(const std::u16string& path, int* error, std::string buffer)
{
    std::string bytes = std::move(buffer);
    if (int result = ReadFileInto(path, bytes)) {
        if (error)
            *error = result;
        return std::nullopt;
    }
    return bytes;
}

int ReadToEnd(const ReadSome& read, size_t expected, std::string& bytes)
{
    const size_t limit = ReadFileLimit();
    size_t used = 0;
    // One byte beyond the size, so that the read finding the end needs no growth.
    const size_t first = std::min(expected == 0 ? size_t{65536} : expected + 1, limit + 1);
    // A lent buffer far larger than the file would stay held with the few bytes read into it.
    if (bytes.capacity() / 2 > first)
        std::string().swap(bytes);
    bytes.resize(first);
    for (;;) {
        if (used == bytes.size()) {
            if (used > limit)
                return EFBIG;
            bytes.resize(std::min(std::max(used * 2, size_t{65536}), limit + 1));
        }
        long long n = read(bytes.data() + used, bytes.size() - used);
        if (n < 0)
            return static_cast<int>(-n);
        if (n == 0)
            break;
        used += static_cast<size_t>(n);
    }
    bytes.resize(used);
    return 0;
}

int CompareToEnd(const ReadSome& read, std::string_view bytes, bool& same)
{
    same = false;
    constexpr size_t kChunk = 65536;
    // Not filled first: every byte compared was read just before.
    std::unique_ptr<char[]> chunk = std::make_unique_for_overwrite<char[]>(kChunk);
    std::string_view rest = bytes;
    for (;;) {
        // One byte more than is left finds a longer file without another read.
        long long n = read(chunk.get(), std::min(kChunk, rest.size() + 1));
        if (n < 0)
            return static_cast<int>(-n);
        const auto count = static_cast<size_t>(n);
        if (count == 0)
            break;
        if (count > rest.size() || std::memcmp(chunk.get(), rest.data(), count) != 0)
            return 0;
        rest.remove_prefix(count);
    }
    same = rest.empty();
    return 0;
}

std::u16string GetModuleDirectory()
{
    if (!ModuleDirectoryOverride().empty())
        return ModuleDirectoryOverride();
    std::u16string path = GetModuleFileNameW();
    size_t separator = path.size();
    while (separator > 0 && !IsPathSeparator(path[separator - 1]))
        --separator;
    return separator == 0 ? std::u16string(u".") + kPathSeparator : path.substr(0, separator);
}

void SetModuleDirectoryForTests(const std::u16string& directory)
{
    ModuleDirectoryOverride() = WithTrailingSeparator(directory);
}

void SetReadFileLimitForTests(size_t limit)
{
    ReadFileLimitSetting() = limit;
}

std::string FolderOfPath(const std::string& path)
{
    size_t separator = path.size();
    while (separator > 0 && !IsPathSeparator(static_cast<unsigned char>(path[separator - 1])))
        --separator;
    if (separator == 0)
        return ".";
    size_t end = separator - 1;
    if (end == 0 || IsDriveRoot(path, end))
        return path.substr(0, end + 1);
    return path.substr(0, end);
}

int ReplaceFileContents(const std::u16string& path, std::string_view bytes, EWriteDurability durability)
{
    std::vector<tagPendingWrite> writes;
    if (int error = AddPendingWrite(writes, path, bytes))
        return error;
    size_t failed = 0;
    return ReplacePrepared(writes, durability, &failed);
}

int ReplaceFilesTogether(const std::vector<tagFileReplacement>& files, EWriteDurability durability,
                         size_t* failedIndex)
{
    size_t failed = 0;
    std::vector<tagPendingWrite> writes;
    writes.reserve(files.size());
    int error = 0;
    for (; failed < files.size() && error == 0; ++failed)
        error = AddPendingWrite(writes, files[failed].strPath, files[failed].strBytes);
    if (error != 0)
        --failed;
    else
        error = ReplacePrepared(writes, durability, &failed);
    if (failedIndex)
        *failedIndex = failed;
    return error;
}

int SyncWrittenFiles()
{
    return SyncNotedWrites();
}
