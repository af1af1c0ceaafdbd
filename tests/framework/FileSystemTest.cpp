#include "framework/FileSystem.h"

#include "framework/StdioFile.h"
#include "support/TempDir.h"
#include "ChildProcess.h"
#include "TempFilesIn.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

mode_t ModeOf(const std::string& path)
{
    struct stat st = {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// The read limit lowered for one test.
class CReadLimit
{
public:
    explicit CReadLimit(size_t limit) { SetReadFileLimitForTests(limit); }
    ~CReadLimit() { SetReadFileLimitForTests(kReadFileLimit); }
};

TEST(FileSystemWrite, WritesThroughAChainOfLinksAndTheLinksStay)
{
    TempDir dir;
    dir.Write("real/list.ini", "old");
    fs::create_symlink("real/list.ini", dir.File("link.ini"));     // relative, read from the link's folder
    fs::create_symlink(dir.File("link.ini"), dir.File("top.ini")); // absolute
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"top.ini"), "new"), 0);
    EXPECT_EQ(dir.Read("real/list.ini"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.File("top.ini")));
    EXPECT_TRUE(fs::is_symlink(dir.File("link.ini")));
    EXPECT_EQ(fs::read_symlink(dir.File("link.ini")), "real/list.ini");
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
    EXPECT_TRUE(TempFilesIn(dir.File("real")).empty());
}

TEST(FileSystemWrite, DanglingLinkCreatesItsTargetAndALoopIsRefused)
{
    TempDir dir;
    fs::create_symlink("made.txt", dir.File("dangling.txt"));
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"dangling.txt"), "x"), 0);
    EXPECT_EQ(dir.Read("made.txt"), "x");
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling.txt")));

    fs::create_symlink("b", dir.File("a"));
    fs::create_symlink("a", dir.File("b"));
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"a"), "x"), ELOOP);
    EXPECT_TRUE(fs::is_symlink(dir.File("a")));
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
}

TEST(FileSystemWrite, KeepsTheModeAndANewFileTakesTheUmask)
{
    TempDir dir;
    dir.Write("run.sh", "old");
    ::chmod(dir.File("run.sh").c_str(), 0750);
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"run.sh"), "new"), 0);
    EXPECT_EQ(ModeOf(dir.File("run.sh")), 0750u);

    mode_t previous = ::umask(027);
    ReadUmaskAgainForTests();
    int result = ReplaceFileContents(dir.FileW(u"fresh.txt"), "x");
    ::umask(previous);
    ReadUmaskAgainForTests();
    ASSERT_EQ(result, 0);
    EXPECT_EQ(ModeOf(dir.File("fresh.txt")), 0640u);
}

TEST(FileSystemWrite, KeepsAnotherUsersOwnershipWhenAllowedTo)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only a privileged user may give a file to another user";
    TempDir dir;
    dir.Write("shared.ini", "old");
    ASSERT_EQ(::chown(dir.File("shared.ini").c_str(), kNobody, kNobody), 0);
    ::chmod(dir.File("shared.ini").c_str(), 02775); // set-group-ID must survive the change of owner
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"shared.ini"), "new"), 0);
    struct stat st = {};
    ASSERT_EQ(::stat(dir.File("shared.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 02775u);
}

TEST(FileSystemWrite, ReadOnlyFileInAWritableFolderIsRefused)
{
    TempDir dir;
    dir.Write("readonly.ini", "old");
    ::chmod(dir.File("readonly.ini").c_str(), 0444);
    fs::create_symlink("readonly.ini", dir.File("via-link.ini"));
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"readonly.ini"), "new"), EACCES);
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"via-link.ini"), "new"), EACCES);
    EXPECT_EQ(dir.Read("readonly.ini"), "old");
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
}

// Without the permission check the rename would succeed: the folder lets anyone replace its files.
TEST(FileSystemWrite, FileTheUserMayNotWriteIsRefusedThoughTheFolderIsOpen)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs to act as another user than the file's owner";
    TempDir dir;
    ::chmod(dir.Path().c_str(), 0777);
    dir.Write("owned.ini", "old");
    ::chmod(dir.File("owned.ini").c_str(), 0644);
    std::u16string owned = dir.FileW(u"owned.ini");
    std::u16string fresh = dir.FileW(u"fresh.ini");
    int code = RunInChild([&] {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            return 10;
        if (ReplaceFileContents(owned, "new") != EACCES)
            return 11;
        return ReplaceFileContents(fresh, "x") == 0 ? 0 : 12; // the folder itself is writable
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(dir.Read("owned.ini"), "old");
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
}

TEST(FileSystemWrite, FileSizeLimitGivesEfbigAndLeavesNothingBehind)
{
    TempDir dir;
    dir.Write("big.txt", "old");
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"warm.txt"), "x"), 0);
    struct sigaction current = {};
    ASSERT_EQ(::sigaction(SIGXFSZ, nullptr, &current), 0);
    EXPECT_EQ(current.sa_handler, SIG_IGN) << "a write must leave SIGXFSZ ignored";

    std::u16string target = dir.FileW(u"big.txt");
    int code = RunInChild([&] {
        struct rlimit limit = {4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 10;
        return ReplaceFileContents(target, std::string(65536, 'x')) == EFBIG ? 0 : 11;
    });
    EXPECT_EQ(code, 0) << "128 + signal number when the child was killed";
    EXPECT_EQ(dir.Read("big.txt"), "old");
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
    EXPECT_EQ(CFileException::OsErrorToCause(EFBIG), CFileException::diskFull);
}

TEST(FileSystemWrite, DeferredFlushWritesNowAndSyncsLater)
{
    TempDir dir;
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"a.bat"), "echo", EWriteDurability::flushLater), 0);
    EXPECT_EQ(dir.Read("a.bat"), "echo");
    EXPECT_EQ(SyncWrittenFiles(), 0);
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
}

TEST(FileSystemWriteTogether, AllOrNoneBeforeTheRenames)
{
    TempDir dir;
    dir.Write("batch.bat", "old batch");
    dir.Write("sub/drop.sql", "old drop");
    ASSERT_EQ(ReplaceFilesTogether(
                  {{dir.FileW(u"batch.bat"), "new batch"}, {dir.FileW(u"sub/drop.sql"), "new drop"}}),
              0);
    EXPECT_EQ(dir.Read("batch.bat"), "new batch");
    EXPECT_EQ(dir.Read("sub/drop.sql"), "new drop");

    // The second target is refused after the first one's new content is already written aside.
    ::chmod(dir.File("sub/drop.sql").c_str(), 0444);
    EXPECT_EQ(
        ReplaceFilesTogether({{dir.FileW(u"batch.bat"), "third"}, {dir.FileW(u"sub/drop.sql"), "third"}}),
        EACCES);
    EXPECT_EQ(dir.Read("batch.bat"), "new batch");
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
    EXPECT_TRUE(TempFilesIn(dir.File("sub")).empty());
}

TEST(FileSystemRead, EndlessInputStopsPastTheLimit)
{
    CReadLimit limit(1 << 20);
    auto start = std::chrono::steady_clock::now();
    int error = 0;
    EXPECT_FALSE(ReadFileBytes(u"/dev/zero", &error).has_value());
    EXPECT_EQ(error, EFBIG);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(FileSystemRead, FileAtTheLimitIsReadAndOneByteMoreIsRefused)
{
    CReadLimit limit(4096);
    TempDir dir;
    std::string exact(4096, 'a');
    exact.back() = 'z';
    dir.Write("exact.txt", exact);
    dir.Write("over.txt", std::string(4097, 'a'));
    EXPECT_EQ(ReadFileBytes(dir.FileW(u"exact.txt")), exact);
    int error = 0;
    EXPECT_FALSE(ReadFileBytes(dir.FileW(u"over.txt"), &error).has_value());
    EXPECT_EQ(error, EFBIG);
}

// A buffer lent to the read gives its memory, never its old bytes: longer or shorter than the file.
TEST(FileSystemRead, ALentBufferHoldsExactlyTheFile)
{
    TempDir dir;
    dir.Write("file.txt", "new bytes");
    std::string longer(100, '#');
    std::optional<std::string> read = ReadFileBytes(dir.FileW(u"file.txt"), nullptr, std::move(longer));
    EXPECT_EQ(read, "new bytes");
    EXPECT_EQ(ReadFileBytes(dir.FileW(u"file.txt"), nullptr, "old"), "new bytes");
    // One far larger is not kept for a few bytes.
    read = ReadFileBytes(dir.FileW(u"file.txt"), nullptr, std::string(1 << 20, '#'));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, "new bytes");
    EXPECT_LT(read->capacity(), size_t{1} << 19);
    dir.Write("empty.txt", "");
    EXPECT_EQ(ReadFileBytes(dir.FileW(u"empty.txt"), nullptr, "old"), "");
    int error = 0;
    EXPECT_FALSE(ReadFileBytes(dir.FileW(u"none.txt"), &error, "old").has_value());
    EXPECT_EQ(error, ENOENT);
}

// Files under /proc report no size; they are read to their end all the same.
TEST(FileSystemRead, InputWithoutASizeIsReadToTheEnd)
{
    std::optional<std::string> status = ReadFileBytes(u"/proc/self/status");
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(status->find("Pid:"), std::string::npos);
    EXPECT_EQ(status->back(), '\n');
    int error = 0;
    EXPECT_FALSE(ReadFileBytes(u"/no/such/file", &error).has_value());
    EXPECT_EQ(error, ENOENT);
}

// A file compared with bytes in memory: the first difference, wherever it lies, and any difference in
// length make it differ.
TEST(FileSystemCompare, FindsEveryDifferenceAgainstTheBytes)
{
    TempDir dir;
    // Past one chunk of the compare, so that the last byte lies in a later read than the first.
    std::string bytes(200000, 'x');
    for (size_t i = 0; i < bytes.size(); i += 97)
        bytes[i] = static_cast<char>('a' + i % 26);
    std::string firstByte = bytes;
    firstByte.front() = '#';
    std::string lastByte = bytes;
    lastByte.back() = '#';
    const struct
    {
        std::string file;
        bool bSame;
    } cases[] = {{bytes, true},        {firstByte, false},
                 {lastByte, false},    {bytes.substr(0, bytes.size() - 1), false},
                 {bytes + "y", false}, {std::string(), false}};
    for (const auto& c : cases) {
        dir.Write("file.bin", c.file);
        bool same = !c.bSame;
        EXPECT_EQ(CompareFileBytes(dir.FileW(u"file.bin"), bytes, same), 0);
        EXPECT_EQ(same, c.bSame) << c.file.size();
    }
    bool same = true;
    EXPECT_EQ(CompareFileBytes(dir.FileW(u"file.bin"), "", same), 0);
    EXPECT_TRUE(same); // the empty file last written
    same = true;
    EXPECT_EQ(CompareFileBytes(dir.FileW(u"none.bin"), "", same), ENOENT);
    EXPECT_FALSE(same);
}

// Input without a size is compared as far as it goes: /proc reports 0 for a file that has content.
TEST(FileSystemCompare, InputWithoutASizeIsComparedToTheEnd)
{
    std::optional<std::string> status = ReadFileBytes(u"/proc/self/status");
    ASSERT_TRUE(status.has_value());
    ASSERT_GT(status->size(), 4u);
    bool same = true;
    EXPECT_EQ(CompareFileBytes(u"/proc/self/cmdline", "", same), 0);
    EXPECT_FALSE(same);
    std::optional<std::string> cmdline = ReadFileBytes(u"/proc/self/cmdline");
    ASSERT_TRUE(cmdline.has_value());
    EXPECT_EQ(CompareFileBytes(u"/proc/self/cmdline", *cmdline, same), 0);
    EXPECT_TRUE(same);
}

} // namespace
