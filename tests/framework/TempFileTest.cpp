#include "framework/TempFile.h"

#include "framework/FileSystem.h"
#include "support/TempDir.h"
#include "ChildProcess.h"
#include "TempFilesIn.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(TempFileName, OnlyOurOwnPatternCounts)
{
    EXPECT_TRUE(IsTempFileName(".korvane-4242-aB3xY9"));
    EXPECT_TRUE(IsTempFileName(".korvane-1-000000"));
    EXPECT_FALSE(IsTempFileName(".korvane-4242-aB3xY"));   // too short
    EXPECT_FALSE(IsTempFileName(".korvane-4242-aB3xY90")); // too long
    EXPECT_FALSE(IsTempFileName(".korvane--aB3xY9"));      // no process number
    EXPECT_FALSE(IsTempFileName(".korvane-42a-aB3xY9"));
    EXPECT_FALSE(IsTempFileName(".korvane-42-aB3.Y9"));
    EXPECT_FALSE(IsTempFileName("korvane-42-aB3xY9"));
    EXPECT_FALSE(IsTempFileName(".ServerList.ini.lock"));
    EXPECT_FALSE(IsTempFileName(".korvane-4242"));
}

TEST(TempFileSweep, AKilledWritersFileGoesWithTheNextWriteIntoTheFolder)
{
    TempDir dir;
    {
        CWaitingChild writer([&] {
            static CTempFile temp; // never destroyed: the child is killed
            (void)temp.Create(dir.Path());
            (void)temp.Write("half of it");
        });
        ASSERT_TRUE(writer.Ready());
        writer.Kill();
    }
    ASSERT_EQ(TempFilesIn(dir.Path()).size(), 1u);
    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"other.txt"), "x"), 0);
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
}

TEST(TempFileSweep, ALiveWritersFileStays)
{
    TempDir dir;
    CWaitingChild writer([&] {
        static CTempFile temp;
        (void)temp.Create(dir.Path());
    });
    ASSERT_TRUE(writer.Ready());
    CTempFile ours; // this process's own, on its way
    ASSERT_EQ(ours.Create(dir.Path()), 0);
    ASSERT_EQ(TempFilesIn(dir.Path()).size(), 2u);

    ASSERT_EQ(ReplaceFileContents(dir.FileW(u"other.txt"), "x"), 0);
    EXPECT_EQ(TempFilesIn(dir.Path()).size(), 2u);
    EXPECT_TRUE(fs::exists(ours.Path()));

    writer.Kill();
    SweepStaleTempFiles(dir.Path());
    ASSERT_EQ(TempFilesIn(dir.Path()).size(), 1u);
    EXPECT_TRUE(fs::exists(ours.Path()));
}

// Entries that only look like ours: a folder, a link (which might point anywhere) and a FIFO, which
// an open without O_NONBLOCK would hang on.
TEST(TempFileSweep, LookAlikesThatAreNoFilesStay)
{
    TempDir dir;
    fs::create_directory(dir.File(".korvane-1-folder"));
    dir.Write("precious.txt", "keep");
    fs::create_symlink(dir.File("precious.txt"), dir.File(".korvane-1-linked"));
    ASSERT_EQ(::mkfifo(dir.File(".korvane-1-fifo00").c_str(), 0600), 0);
    SweepStaleTempFiles(dir.Path());
    EXPECT_TRUE(fs::is_directory(dir.File(".korvane-1-folder")));
    EXPECT_TRUE(fs::is_symlink(dir.File(".korvane-1-linked")));
    EXPECT_TRUE(fs::exists(dir.File(".korvane-1-fifo00")));
    EXPECT_EQ(dir.Read("precious.txt"), "keep");
}

} // namespace
