#include "framework/FileSystem.h"

#include "framework/FileSync.h"
#include "framework/TempFile.h"
#include "framework/WideText.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace {

constexpr int kMaxLinkHops = 40; // the kernel's own limit on a chain of symbolic links

std::u16string& ModuleDirectoryOverride()
{
    static std::u16string directory;
    return directory;
}

size_t& ReadFileLimit()
{
    static size_t limit = kReadFileLimit;
    return limit;
}

// Reading the umask means setting it twice, which would also give a file another thread makes meanwhile
// the wrong mode: it is read once, at the first new file. The program never changes it.
std::atomic<int>& KnownUmask()
{
    static std::atomic<int> mask{-1}; // not read yet
    return mask;
}

mode_t ProcessUmask()
{
    int mask = KnownUmask().load();
    if (mask < 0) {
        static std::mutex mutex;
        std::lock_guard<std::mutex> lock(mutex);
        mask = KnownUmask().load();
        if (mask < 0) {
            mode_t current = ::umask(0);
            ::umask(current);
            mask = static_cast<int>(current);
            KnownUmask().store(mask);
        }
    }
    return static_cast<mode_t>(mask);
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

int ReadLink(const std::string& path, std::string& link)
{
    std::string buffer(PATH_MAX, '\0');
    ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0)
        return errno;
    if (static_cast<size_t>(n) >= buffer.size())
        return ENAMETOOLONG;
    if (n == 0)
        return ENOENT;
    link.assign(buffer, 0, static_cast<size_t>(n));
    return 0;
}

// The checks on a target before it is replaced, given its state; `exists` is false when there is none.
int CheckTarget(const std::string& target, const struct stat& st, bool exists)
{
    if (target.empty())
        return ENOENT;
    if (!exists)
        return 0;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if ((st.st_mode & 0222) == 0)
        return EACCES;
    // The folder may let anyone rename over a file its owner keeps to himself. A running program's file
    // (ETXTBSY) may still be replaced by a rename.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ETXTBSY)
        return errno;
    return 0;
}

// The state of a target before it is replaced, and the checks on it.
int InspectTarget(const std::string& target, struct stat& st, bool& exists)
{
    exists = !target.empty() && ::stat(target.c_str(), &st) == 0;
    return CheckTarget(target, st, exists);
}

// Follows a chain of symbolic links to its end (which need not exist yet). The look at the last path,
// which is no link, tells the state of the file too: `exists` and `st`.
int ResolveTarget(const std::string& path, std::string& target, struct stat& st, bool& exists)
{
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        exists = ::lstat(current.c_str(), &st) == 0;
        if (!exists || !S_ISLNK(st.st_mode)) {
            target = std::move(current);
            return 0;
        }
        std::string link;
        if (int error = ReadLink(current, link))
            return error;
        // A relative link is read from the link's own folder.
        current = link.front() == '/' ? link : FolderOfPath(current) + "/" + link;
    }
    return ELOOP;
}

// One file of a replacement on its way: the bytes are in a locked temporary file beside the target.
struct tagPendingWrite
{
    std::string strTarget; // past any symbolic links
    struct stat targetState = {};
    bool bTargetExists = false;
    std::string_view bytes;
    CTempFile temp;
};

int PrepareWrite(tagPendingWrite& write, EWriteDurability durability)
{
    const struct stat& st = write.targetState;
    const bool exists = write.bTargetExists;
    if (int error = CheckTarget(write.strTarget, st, exists))
        return error;
    std::string folder = FolderOfPath(write.strTarget);
    SweepFolderOnce(folder);
    if (int error = write.temp.Create(folder))
        return error;
    if (int error = write.temp.Write(write.bytes))
        return error;
    // The owner first: changing it clears the set-user-ID and set-group-ID bits.
    if (exists)
        write.temp.TryKeepOwner(st.st_uid, st.st_gid);
    mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~ProcessUmask());
    if (int error = write.temp.SetMode(mode))
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
    for (size_t i = 0; i < writes.size(); ++i) {
        if (int error = writes[i].temp.RenameOver(writes[i].strTarget)) {
            *failed = i;
            return error;
        }
    }
    std::vector<std::string> folders;
    int result = 0;
    for (const tagPendingWrite& write : writes) {
        std::string folder = FolderOfPath(write.strTarget);
        if (std::find(folders.begin(), folders.end(), folder) != folders.end())
            continue;
        folders.push_back(folder);
        if (durability == EWriteDurability::flushLater)
            NoteUnflushedWrite(write.temp.Device(), folder);
        else if (int error = SyncFolder(folder); error != 0 && result == 0)
            result = error;
    }
    return result;
}

int AddPendingWrite(std::vector<tagPendingWrite>& writes, const std::u16string& path, std::string_view bytes)
{
    tagPendingWrite write;
    if (int error = ResolveTarget(ToUtf8(path), write.strTarget, write.targetState, write.bTargetExists))
        return error;
    write.bytes = bytes;
    writes.push_back(std::move(write));
    return 0;
}

// Reads to the end into a buffer sized once from the file's size when it has one; EFBIG past the limit.
int ReadAll(int fd, size_t expected, std::string& bytes)
{
    const size_t limit = ReadFileLimit();
    size_t used = 0;
    // One byte beyond the size, so that the read finding the end needs no growth.
    bytes.resize(std::min(expected == 0 ? size_t{65536} : expected + 1, limit + 1));
    for (;;) {
        if (used == bytes.size()) {
            if (used > limit)
                return EFBIG;
            bytes.resize(std::min(std::max(used * 2, size_t{65536}), limit + 1));
        }
        ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        used += static_cast<size_t>(n);
    }
    bytes.resize(used);
    return 0;
}

} // namespace

std::u16string GetModuleFileNameW()
{
    char buffer[PATH_MAX + 1];
    ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0)
        return u"";
    return FromUtf8(std::string_view(buffer, static_cast<size_t>(n)));
}

std::u16string GetModuleDirectory()
{
    if (!ModuleDirectoryOverride().empty())
        return ModuleDirectoryOverride();
    std::u16string path = GetModuleFileNameW();
    size_t slash = path.rfind(u'/');
    return slash == std::u16string::npos ? u"./" : path.substr(0, slash + 1);
}

void SetModuleDirectoryForTests(const std::u16string& directory)
{
    ModuleDirectoryOverride() = directory;
    if (!directory.empty() && directory.back() != u'/')
        ModuleDirectoryOverride() += u'/';
}

bool PathFileExistsW(const std::u16string& path)
{
    struct stat st;
    return ::stat(ToUtf8(path).c_str(), &st) == 0;
}

bool CreateDirectoryW(const std::u16string& path)
{
    return ::mkdir(ToUtf8(path).c_str(), 0777) == 0;
}

std::optional<std::u16string> FindFileNoCase(const std::u16string& directory, const std::u16string& name)
{
    std::u16string folder = directory;
    if (!folder.empty() && folder.back() != u'/')
        folder += u'/';
    std::u16string exact = folder + name;
    struct stat st;
    if (::stat(ToUtf8(exact).c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return exact;
    DIR* dir = ::opendir(ToUtf8(folder.empty() ? u"." : folder).c_str());
    if (!dir)
        return std::nullopt;
    std::optional<std::u16string> found;
    while (dirent* entry = ::readdir(dir)) {
        std::u16string candidate = FromUtf8(entry->d_name);
        if (EqualsNoCaseAscii(candidate, name)) {
            std::u16string full = folder + candidate;
            if (::stat(ToUtf8(full).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
                found = full;
                break;
            }
        }
    }
    ::closedir(dir);
    return found;
}

std::optional<std::string> ReadFileBytes(const std::u16string& path, int* error)
{
    int result = 0;
    std::string bytes;
    int fd = ::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0)
        result = errno;
    else if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > ReadFileLimit())
        result = EFBIG;
    else
        result = ReadAll(fd, S_ISREG(st.st_mode) ? static_cast<size_t>(st.st_size) : 0, bytes);
    if (fd >= 0)
        ::close(fd);
    if (result != 0) {
        if (error)
            *error = result;
        return std::nullopt;
    }
    return bytes;
}

void SetReadFileLimitForTests(size_t limit)
{
    ReadFileLimit() = limit;
}

void ReadUmaskAgainForTests()
{
    KnownUmask().store(-1);
}

std::string FolderOfPath(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int ResolveWriteTarget(const std::string& path, std::string& target)
{
    struct stat st;
    bool exists = false;
    return ResolveTarget(path, target, st, exists);
}

int CheckReplaceTarget(const std::string& target, unsigned* existingMode)
{
    struct stat st;
    bool exists = false;
    if (int error = InspectTarget(target, st, exists))
        return error;
    if (exists && existingMode)
        *existingMode = st.st_mode & 07777;
    return 0;
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
    return SyncNotedFileSystems();
}
