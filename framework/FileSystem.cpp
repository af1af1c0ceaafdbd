#include "framework/FileSystem.h"

#include "framework/WideText.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::u16string& ModuleDirectoryOverride()
{
    static std::u16string directory;
    return directory;
}

int WriteAll(int fd, std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
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
    int fd = ::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = errno;
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (error)
                *error = errno;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::string FolderOfPath(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int CheckReplaceTarget(const std::string& target, unsigned* existingMode)
{
    if (target.empty())
        return ENOENT;
    struct stat st;
    if (::stat(target.c_str(), &st) != 0)
        return 0;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if ((st.st_mode & 0222) == 0)
        return EACCES;
    if (existingMode)
        *existingMode = st.st_mode & 07777;
    return 0;
}

int ReplaceFileContents(const std::u16string& path, std::string_view bytes)
{
    std::string target = ToUtf8(path);
    unsigned mode = 0666 & ~[] {
        mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    if (int error = CheckReplaceTarget(target, &mode))
        return error;
    std::string temp = FolderOfPath(target) + "/.korvane-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return errno;
    int result = WriteAll(fd, bytes);
    if (result == 0 && ::fchmod(fd, static_cast<mode_t>(mode)) != 0)
        result = errno;
    if (::close(fd) != 0 && result == 0)
        result = errno;
    if (result == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        result = errno;
    if (result != 0)
        ::unlink(temp.c_str());
    return result;
}
