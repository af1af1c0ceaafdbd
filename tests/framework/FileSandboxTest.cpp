#include "framework/FileSandbox.h"

#include "framework/FileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace {

TEST(FileSandbox, WritesStayInMemoryAndReadsSeeThem)
{
    TempDir dir;
    dir.Write("kept.txt", "disk");
    {
        CFileSandbox sandbox;
        EXPECT_EQ(CFileSandbox::Active(), &sandbox);
        EXPECT_EQ(ReplaceFileContents(dir.FileW(u"kept.txt"), "first"), 0);
        EXPECT_EQ(ReplaceFileContents(dir.FileW(u"new.txt"), "one"), 0);
        EXPECT_EQ(ReplaceFileContents(dir.FileW(u"kept.txt"), "second"), 0);
        EXPECT_EQ(ReadFileBytes(dir.FileW(u"kept.txt")), "second");
        EXPECT_TRUE(PathFileExistsW(dir.FileW(u"new.txt")));
        std::vector<CFileSandbox::Write> writes = sandbox.Writes();
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].path, dir.FileW(u"kept.txt"));
        EXPECT_EQ(writes[0].bytes, "second");
        EXPECT_EQ(writes[1].path, dir.FileW(u"new.txt"));
    }
    EXPECT_EQ(CFileSandbox::Active(), nullptr);
    EXPECT_EQ(dir.Read("kept.txt"), "disk");
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.txt")));
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"kept.txt"), "real"), 0);
    EXPECT_EQ(dir.Read("kept.txt"), "real");
}

TEST(FileSandbox, FoldersAreNotedNotMade)
{
    TempDir dir;
    CFileSandbox sandbox;
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"sub/a.txt"), "x"), ENOENT);
    EXPECT_TRUE(CreateDirectoryW(dir.FileW(u"sub")));
    EXPECT_FALSE(CreateDirectoryW(dir.FileW(u"sub"))) << "it exists now, for the run";
    EXPECT_FALSE(CreateDirectoryW(dir.PathW())) << "it exists on disk";
    EXPECT_FALSE(CreateDirectoryW(dir.FileW(u"no/such"))) << "one folder at a time";
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"sub/a.txt"), "x"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("sub")));
}

TEST(FileSandbox, RefusesWhatTheDiskWouldRefuse)
{
    TempDir dir;
    dir.Write("readonly.txt", "r");
    ::chmod(dir.File("readonly.txt").c_str(), 0444);
    std::filesystem::create_directory(dir.File("folder"));
    CFileSandbox sandbox;
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"readonly.txt"), "w"), EACCES);
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"folder"), "w"), EISDIR);
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"readonly.txt/x"), "w"), ENOTDIR);
    EXPECT_EQ(ReplaceFileContents(u"", "w"), ENOENT);
    EXPECT_TRUE(sandbox.Writes().empty());
}

} // namespace
