#include "framework/FileLock.h"

#include "framework/FileSystem.h"
#include "support/TempDir.h"
#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Another process's attempt at the lock: the result of Lock, or 100 when the wait was not honoured.
int LockFromOtherProcess(const std::u16string& path, std::chrono::milliseconds wait)
{
    return RunInChild([&] {
        Clock::time_point start = Clock::now();
        CFileLock lock;
        int result = lock.Lock(path, wait);
        if (result == EBUSY && Clock::now() - start < wait)
            return 100;
        return result;
    });
}

TEST(FileLock, AnotherProcessWaitsAndThenGivesUp)
{
    TempDir dir;
    dir.Write("list.ini", "v1");
    CFileLock held;
    ASSERT_EQ(held.Lock(dir.FileW(u"list.ini")), 0);
    EXPECT_TRUE(held.IsLocked());

    Clock::time_point start = Clock::now();
    EXPECT_EQ(LockFromOtherProcess(dir.FileW(u"list.ini"), 200ms), EBUSY);
    EXPECT_LT(Clock::now() - start, 3s);

    held.Unlock();
    EXPECT_FALSE(held.IsLocked());
    EXPECT_EQ(LockFromOtherProcess(dir.FileW(u"list.ini"), 200ms), 0);
}

TEST(FileLock, TakenAsSoonAsTheHolderLetsGo)
{
    TempDir dir;
    CWaitingChild holder([&] {
        static CFileLock lock;
        (void)lock.Lock(dir.FileW(u"list.ini"));
    });
    ASSERT_TRUE(holder.Ready());
    CFileLock mine;
    EXPECT_EQ(mine.Lock(dir.FileW(u"list.ini"), 100ms), EBUSY);
    EXPECT_FALSE(mine.IsLocked());
    holder.Kill(); // a crashed holder's lock goes with it
    EXPECT_EQ(mine.Lock(dir.FileW(u"list.ini"), 2s), 0);
}

// The writes rename new files over the target; the lock must outlive them.
TEST(FileLock, HoldsAcrossReplacementsOfTheFile)
{
    TempDir dir;
    dir.Write("list.ini", "v1");
    CFileLock held;
    ASSERT_EQ(held.Lock(dir.FileW(u"list.ini")), 0);
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"list.ini"), "v2"), 0);
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"list.ini"), "v3"), 0);
    EXPECT_EQ(LockFromOtherProcess(dir.FileW(u"list.ini"), 100ms), EBUSY);
    EXPECT_EQ(dir.Read("list.ini"), "v3");
    held.Unlock();
    EXPECT_EQ(LockFromOtherProcess(dir.FileW(u"list.ini"), 100ms), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1)
        << "the lock leaves nothing beside the operator's file";
}

TEST(FileLock, ALinkSharesTheLockOfTheFileItPointsTo)
{
    TempDir dir;
    dir.Write("real/list.ini", "v1");
    fs::create_symlink("real/list.ini", dir.File("link.ini"));
    CFileLock held;
    ASSERT_EQ(held.Lock(dir.FileW(u"link.ini")), 0);
    EXPECT_EQ(LockFromOtherProcess(dir.FileW(u"real/list.ini"), 100ms), EBUSY);
    EXPECT_EQ(LockFromOtherProcess(dir.FileW(u"other.ini"), 100ms), 0)
        << "the link's own folder is not locked";
}

TEST(FileLock, TwoLocksInOneProcessExcludeEachOther)
{
    TempDir dir;
    CFileLock first;
    CFileLock second;
    ASSERT_EQ(first.Lock(dir.FileW(u"list.ini")), 0);
    EXPECT_EQ(second.Lock(dir.FileW(u"list.ini"), 50ms), EBUSY);
    first.Unlock();
    EXPECT_EQ(second.Lock(dir.FileW(u"list.ini"), 50ms), 0);
}

TEST(FileLock, MissingFolderIsNoLock)
{
    TempDir dir;
    CFileLock lock;
    EXPECT_EQ(lock.Lock(dir.FileW(u"no/such/list.ini"), 50ms), ENOENT);
    EXPECT_FALSE(lock.IsLocked());
}

} // namespace
