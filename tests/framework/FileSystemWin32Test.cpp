#include "framework/FileSystem.h"

#include "framework/FileError.h"
#include "framework/FileLock.h"
#include "framework/Path.h"
#include "framework/TempFile.h"
#include "framework/WideText.h"
#include "framework/win32/Win32Error.h"
#include "support/TempDir.h"
#include "HelperProcessWin32.h"
#include "TempFilesIn.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <windows.h>

// The Win32 file layer: the same promises as on Linux, kept with Windows' own means (attributes,
// sharing modes, byte-range locks).

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::wstring Wide(const std::u16string& path)
{
    return std::wstring(path.begin(), path.end());
}

DWORD AttributesOf(const std::u16string& path)
{
    return ::GetFileAttributesW(Wide(path).c_str());
}

// Another program's handle on a file, sharing only reading with others.
class COtherProgramsHandle
{
public:
    explicit COtherProgramsHandle(const std::u16string& path)
        : m_hFile(::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~COtherProgramsHandle() { ::CloseHandle(m_hFile); }
    COtherProgramsHandle(const COtherProgramsHandle&) = delete;
    COtherProgramsHandle& operator=(const COtherProgramsHandle&) = delete;
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_hFile;
};

TEST(Win32Errors, MapToTheCausesTheMessagesName)
{
    struct Case
    {
        DWORD win32;
        int cause;
    };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, tagFileError::badPath},
        {ERROR_PATH_NOT_FOUND, tagFileError::badPath},
        {ERROR_INVALID_NAME, tagFileError::badPath},
        {ERROR_ACCESS_DENIED, tagFileError::accessDenied},
        {ERROR_SHARING_VIOLATION, tagFileError::sharingViolation},
        {ERROR_LOCK_VIOLATION, tagFileError::sharingViolation},
        {ERROR_DISK_FULL, tagFileError::diskFull},
        {ERROR_HANDLE_DISK_FULL, tagFileError::diskFull},
        {ERROR_CRC, tagFileError::hardIO},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tagFileError::OsErrorToCause(ErrnoFromWin32(c.win32)), c.cause)
            << "Win32 error " << c.win32;
    EXPECT_EQ(ErrnoFromWin32(ERROR_SUCCESS), 0);
    EXPECT_EQ(ErrnoFromWin32(ERROR_DISK_FULL), ENOSPC);
}

TEST(Win32Paths, ModuleFolderAndJoinsUseBackslashes)
{
    std::u16string program = GetModuleFileNameW();
    ASSERT_GT(program.size(), 4u);
    EXPECT_EQ(program.substr(program.size() - 4), u".exe");
    std::u16string folder = GetModuleDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), u'\\');
    EXPECT_EQ(program.substr(0, folder.size()), folder);

    EXPECT_EQ(JoinPath(u"C:\\Korvane\\", u"脚本代码/数据库脚本/数据库删除.sql"),
              u"C:\\Korvane\\脚本代码\\数据库脚本\\数据库删除.sql");
    EXPECT_EQ(JoinPath(u"C:/Korvane", u"ServerInfo.ini"), u"C:/Korvane\\ServerInfo.ini");
    EXPECT_EQ(FolderOfPath("C:\\list.ini"), "C:\\");
    EXPECT_EQ(FolderOfPath("C:/list.ini"), "C:/");
    EXPECT_EQ(FolderOfPath("C:\\a\\b/list.ini"), "C:\\a\\b");
    EXPECT_EQ(FolderOfPath("\\\\server\\share\\list.ini"), "\\\\server\\share");
}

TEST(Win32Write, ReplacesThroughChineseNamesAndKeepsHiddenFilesHidden)
{
    TempDir dir;
    dir.Write("脚本代码/ServerInfo.ini", "old");
    std::u16string path = dir.FileW(u"脚本代码/ServerInfo.ini");
    ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(ReplaceFileContents(path, "new"), 0);
    EXPECT_EQ(dir.Read("脚本代码/ServerInfo.ini"), "new");
    EXPECT_TRUE(AttributesOf(path) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(TempFilesIn(dir.File("脚本代码")).empty());
}

TEST(Win32Write, ReadOnlyAttributeAndFolderAreRefused)
{
    TempDir dir;
    dir.Write("list.ini", "old");
    ASSERT_TRUE(::SetFileAttributesW(Wide(dir.FileW(u"list.ini")).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"list.ini"), "new"), EACCES);
    EXPECT_EQ(dir.Read("list.ini"), "old");
    ASSERT_TRUE(::SetFileAttributesW(Wide(dir.FileW(u"list.ini")).c_str(), FILE_ATTRIBUTE_NORMAL));

    fs::create_directory(fs::u8path(dir.File("folder.ini")));
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"folder.ini"), "new"), EISDIR);
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"no/such/list.ini"), "new"), ENOENT);
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
}

TEST(Win32Write, FileHeldByAnotherProgramIsASharingViolation)
{
    TempDir dir;
    dir.Write("list.ini", "old");
    {
        COtherProgramsHandle other(dir.FileW(u"list.ini"));
        ASSERT_TRUE(other.IsOpen());
        int error = ReplaceFileContents(dir.FileW(u"list.ini"), "new");
        EXPECT_EQ(error, EBUSY);
        EXPECT_EQ(tagFileError::OsErrorToCause(error), tagFileError::sharingViolation);
    }
    EXPECT_EQ(dir.Read("list.ini"), "old");
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"list.ini"), "new"), 0);
}

TEST(Win32Write, TogetherIsAllOrNoneAndDeferredFlushSyncsLater)
{
    TempDir dir;
    dir.Write("batch.bat", "old batch");
    dir.Write("drop.sql", "old drop");
    ASSERT_TRUE(::SetFileAttributesW(Wide(dir.FileW(u"drop.sql")).c_str(), FILE_ATTRIBUTE_READONLY));
    size_t failed = 99;
    EXPECT_EQ(ReplaceFilesTogether({{dir.FileW(u"batch.bat"), "new"}, {dir.FileW(u"drop.sql"), "new"}},
                                   EWriteDurability::flushNow, &failed),
              EACCES);
    EXPECT_EQ(failed, 1u);
    EXPECT_EQ(dir.Read("batch.bat"), "old batch");
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());

    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"a.bat"), "echo", EWriteDurability::flushLater), 0);
    EXPECT_EQ(dir.Read("a.bat"), "echo");
    EXPECT_EQ(SyncWrittenFiles(), 0);
}

TEST(Win32Read, MissingFolderAndOverLimitFail)
{
    TempDir dir;
    int error = 0;
    EXPECT_FALSE(ReadFileBytes(dir.FileW(u"none.ini"), &error).has_value());
    EXPECT_EQ(error, ENOENT);
    fs::create_directory(fs::u8path(dir.File("folder")));
    EXPECT_FALSE(ReadFileBytes(dir.FileW(u"folder"), &error).has_value());
    EXPECT_EQ(tagFileError::OsErrorToCause(error), tagFileError::accessDenied);

    dir.Write("exact.txt", std::string(4096, 'a'));
    dir.Write("over.txt", std::string(4097, 'a'));
    SetReadFileLimitForTests(4096);
    EXPECT_EQ(ReadFileBytes(dir.FileW(u"exact.txt")), std::string(4096, 'a'));
    EXPECT_FALSE(ReadFileBytes(dir.FileW(u"over.txt"), &error).has_value());
    SetReadFileLimitForTests(kReadFileLimit);
    EXPECT_EQ(error, EFBIG);
}

// The compare stops at a difference past the first chunk, a size apart or a missing file, as on Linux.
TEST(Win32Read, CompareFindsEveryDifference)
{
    TempDir dir;
    std::string bytes(150000, 'x');
    dir.Write("same.txt", bytes);
    bytes.back() = 'y';
    dir.Write("last.txt", bytes);
    bytes.back() = 'x';
    dir.Write("short.txt", bytes.substr(1));
    bool same = false;
    EXPECT_EQ(CompareFileBytes(dir.FileW(u"same.txt"), bytes, same), 0);
    EXPECT_TRUE(same);
    EXPECT_EQ(CompareFileBytes(dir.FileW(u"last.txt"), bytes, same), 0);
    EXPECT_FALSE(same);
    EXPECT_EQ(CompareFileBytes(dir.FileW(u"short.txt"), bytes, same), 0);
    EXPECT_FALSE(same);
    EXPECT_EQ(CompareFileBytes(dir.FileW(u"none.txt"), bytes, same), ENOENT);
    EXPECT_FALSE(same);
}

// A folder may look like ours too; only files are swept.
TEST(Win32TempFiles, ALeftOverFileGoesAndALiveOneStays)
{
    TempDir dir;
    dir.Write(".korvane-77-abcdef", "left by a crashed writer");
    fs::create_directory(fs::u8path(dir.File(".korvane-77-folder")));
    CTempFile live;
    ASSERT_EQ(live.Create(dir.Path()), 0);
    ASSERT_EQ(TempFilesIn(dir.Path()).size(), 3u);

    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"other.txt"), "x"), 0);
    EXPECT_FALSE(fs::exists(fs::u8path(dir.File(".korvane-77-abcdef"))));
    EXPECT_TRUE(fs::is_directory(fs::u8path(dir.File(".korvane-77-folder"))));
    EXPECT_TRUE(fs::exists(fs::u8path(live.Path())));
    EXPECT_EQ(TempFilesIn(dir.Path()).size(), 2u);
}

// The lock of a writer's temporary file goes with its process, however it ends; a folder is swept at the
// first write into it in a process.
TEST(Win32TempFiles, AKilledWritersFileGoesWithTheFirstWriteIntoTheFolder)
{
    TempDir dir;
    CHelperProcess writer(CHelperProcess::Job::holdTempFile, dir.Path());
    ASSERT_TRUE(writer.Ready()) << writer.Why();
    ASSERT_EQ(TempFilesIn(dir.Path()).size(), 1u);
    SweepStaleTempFiles(dir.Path());
    EXPECT_EQ(TempFilesIn(dir.Path()).size(), 1u) << "a live writer's file stays";
    writer.Kill();
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"other.txt"), "y"), 0);
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
}

TEST(Win32Lock, AnotherProcessHoldsItUntilItEnds)
{
    TempDir dir;
    CHelperProcess holder(CHelperProcess::Job::holdLock, dir.File("list.ini"));
    ASSERT_TRUE(holder.Ready()) << holder.Why();
    CFileLock mine;
    EXPECT_EQ(mine.Lock(dir.FileW(u"list.ini"), 100ms), EBUSY);
    holder.Kill();
    EXPECT_EQ(mine.Lock(dir.FileW(u"list.ini"), 2s), 0);
}

TEST(Win32Lock, LocksExcludeEachOtherAndLeaveNothingBehind)
{
    TempDir dir;
    dir.Write("list.ini", "v1");
    CFileLock first;
    CFileLock second;
    ASSERT_EQ(first.Lock(dir.FileW(u"list.ini")), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(second.Lock(dir.FileW(u"list.ini"), 100ms), EBUSY);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"list.ini"), "v2"), 0); // the lock outlives the rename
    EXPECT_EQ(second.Lock(dir.FileW(u"list.ini"), 50ms), EBUSY);

    first.Unlock();
    EXPECT_EQ(second.Lock(dir.FileW(u"list.ini"), 50ms), 0);
    second.Unlock();
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::u8path(dir.Path())), fs::directory_iterator()), 1);
    EXPECT_EQ(second.Lock(dir.FileW(u"no/such/list.ini"), 50ms), ENOENT);
}

} // namespace
