#include "framework/FileSystem.h"

#include "framework/FileReading.h"
#include "framework/WideText.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinkHops = 40; // the kernel's own limit on a chain of symbolic links

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

tagTargetState StateOf(const struct stat& st)
{
    tagTargetState state;
    state.bExists = true;
    state.nMode = st.st_mode;
    state.nOwner = st.st_uid;
    state.nGroup = st.st_gid;
    return state;
}

long long ReadSomeFrom(int fd, char* buffer, size_t size)
{
    for (;;) {
        ssize_t n = ::read(fd, buffer, size);
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return -static_cast<long long>(errno);
    }
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

int ReadFileInto(const std::u16string& path, std::string& bytes)
{
    int result = 0;
    int fd = ::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0)
        result = errno;
    else if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > ReadFileLimit())
        result = EFBIG;
    else
        result = ReadToEnd([fd](char* buffer, size_t size) { return ReadSomeFrom(fd, buffer, size); },
                           S_ISREG(st.st_mode) ? static_cast<size_t>(st.st_size) : 0, bytes);
    if (fd >= 0)
        ::close(fd);
    return result;
}

int CompareFileBytes(const std::u16string& path, std::string_view bytes, bool& same)
{
    same = false;
    int fd = ::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int result = 0;
    struct stat st;
    if (::fstat(fd, &st) != 0)
        result = errno;
    // A file without a size (a pipe, or 0 as /proc gives) is read to its end.
    else if (!S_ISREG(st.st_mode) || st.st_size == 0 ||
             static_cast<unsigned long long>(st.st_size) == bytes.size())
        result = CompareToEnd([fd](char* buffer, size_t size) { return ReadSomeFrom(fd, buffer, size); },
                              bytes, same);
    ::close(fd);
    return result;
}

// The look at the last path of a chain, which is no link, tells the state of the file too.
int ResolveWriteTarget(const std::string& path, std::string& target, tagTargetState& state)
{
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st;
        state = tagTargetState();
        state.bExists = ::lstat(current.c_str(), &st) == 0;
        if (!state.bExists || !S_ISLNK(st.st_mode)) {
            if (state.bExists)
                state = StateOf(st);
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

int ResolveWriteTarget(const std::string& path, std::string& target)
{
    tagTargetState state;
    return ResolveWriteTarget(path, target, state);
}

int CheckReplaceTarget(const std::string& target)
{
    struct stat st;
    tagTargetState state;
    if (!target.empty() && ::stat(target.c_str(), &st) == 0)
        state = StateOf(st);
    return CheckReplaceTarget(target, state);
}

int CheckReplaceTarget(const std::string& target, const tagTargetState& state)
{
    if (target.empty())
        return ENOENT;
    if (!state.bExists)
        return 0; // nothing there yet
    if (S_ISDIR(state.nMode))
        return EISDIR;
    if ((state.nMode & 0222) == 0)
        return EACCES;
    // The folder may let anyone rename over a file its owner keeps to himself. A running program's file
    // (ETXTBSY) may still be replaced by a rename.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ETXTBSY)
        return errno;
    return 0;
}

int CheckFolderWritable(const std::string& folder)
{
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    return ::access(folder.c_str(), W_OK) == 0 ? 0 : errno;
}
