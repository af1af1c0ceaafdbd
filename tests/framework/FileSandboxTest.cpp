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
        EXPECT_FALSE(sandbox.Replace(dir.FileW(u"kept.txt"), "first").Failed());
        EXPECT_FALSE(sandbox.Replace(dir.FileW(u"new.txt"), "one").Failed());
        EXPECT_FALSE(sandbox.Replace(dir.FileW(u"kept.txt"), "second").Failed());
        EXPECT_EQ(sandbox.Read(dir.FileW(u"kept.txt")).bytes, "second");
        EXPECT_EQ(sandbox.Read(dir.FileW(u"other.txt")).error.m_lOsError, ENOENT);
        EXPECT_TRUE(sandbox.Exists(dir.FileW(u"new.txt")));
        EXPECT_FALSE(PathFileExistsW(dir.FileW(u"new.txt")));
        std::vector<CFileSandbox::Write> writes = sandbox.Writes();
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].path, dir.FileW(u"kept.txt"));
        EXPECT_EQ(writes[0].bytes, "second");
        EXPECT_EQ(writes[1].path, dir.FileW(u"new.txt"));
    }
    EXPECT_EQ(dir.Read("kept.txt"), "disk");
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.txt")));
    EXPECT_EQ(ReplaceFileContents(dir.FileW(u"kept.txt"), "real"), 0);
    EXPECT_EQ(dir.Read("kept.txt"), "real");
}

// A compare sees what a read would see: the sandbox's own write, else the disk and its errors.
TEST(FileSandbox, ComparesWithWhatAReadWouldGive)
{
    TempDir dir;
    dir.Write("kept.txt", "disk");
    CFileSandbox sandbox;
    EXPECT_TRUE(sandbox.Compare(dir.FileW(u"kept.txt"), "disk").bSame);
    EXPECT_FALSE(sandbox.Replace(dir.FileW(u"kept.txt"), "written").Failed());
    EXPECT_TRUE(sandbox.Compare(dir.FileW(u"kept.txt"), "written").bSame);
    EXPECT_FALSE(sandbox.Compare(dir.FileW(u"kept.txt"), "disk").bSame);
    tagFileMatch missing = sandbox.Compare(dir.FileW(u"other.txt"), "");
    EXPECT_FALSE(missing.bSame);
    EXPECT_EQ(missing.error.m_lOsError, ENOENT);
    EXPECT_EQ(missing.error.m_strFileName, dir.FileW(u"other.txt"));
}

TEST(FileSandbox, FoldersAreNotedNotMade)
{
    TempDir dir;
    CFileSandbox sandbox;
    EXPECT_EQ(sandbox.Replace(dir.FileW(u"sub/a.txt"), "x").m_lOsError, ENOENT);
    EXPECT_TRUE(sandbox.CreateFolder(dir.FileW(u"sub")));
    EXPECT_FALSE(sandbox.CreateFolder(dir.FileW(u"sub"))) << "it exists now, for the run";
    EXPECT_FALSE(sandbox.CreateFolder(dir.PathW())) << "it exists on disk";
    EXPECT_FALSE(sandbox.CreateFolder(dir.FileW(u"no/such"))) << "one folder at a time";
    EXPECT_FALSE(sandbox.Replace(dir.FileW(u"sub/a.txt"), "x").Failed());
    EXPECT_FALSE(std::filesystem::exists(dir.File("sub")));
}

TEST(FileSandbox, RefusesWhatTheDiskWouldRefuse)
{
    TempDir dir;
    dir.Write("readonly.txt", "r");
    ::chmod(dir.File("readonly.txt").c_str(), 0444);
    std::filesystem::create_directory(dir.File("folder"));
    CFileSandbox sandbox;
    EXPECT_EQ(sandbox.Replace(dir.FileW(u"readonly.txt"), "w").m_lOsError, EACCES);
    EXPECT_EQ(sandbox.Replace(dir.FileW(u"folder"), "w").m_lOsError, EISDIR);
    EXPECT_EQ(sandbox.Replace(dir.FileW(u"readonly.txt/x"), "w").m_lOsError, ENOTDIR);
    EXPECT_EQ(sandbox.Replace(u"", "w").m_lOsError, ENOENT);
    EXPECT_TRUE(sandbox.Writes().empty());
}

TEST(FileSandbox, FilesReplacedTogetherAreAllKeptOrNone)
{
    TempDir dir;
    dir.Write("readonly.txt", "r");
    ::chmod(dir.File("readonly.txt").c_str(), 0444);
    CFileSandbox sandbox;
    tagFileError error =
        sandbox.ReplaceTogether({{dir.FileW(u"a.txt"), "a"}, {dir.FileW(u"readonly.txt"), "b"}});
    EXPECT_EQ(error.m_cause, tagFileError::accessDenied);
    EXPECT_EQ(error.m_strFileName, dir.FileW(u"readonly.txt"));
    EXPECT_TRUE(sandbox.Writes().empty()) << "the first file is not kept when the second is refused";
    EXPECT_EQ(
        sandbox.ReplaceTogether({{dir.FileW(u"a.txt"), "a"}, {dir.FileW(u"missing/b.txt"), "b"}}).m_lOsError,
        ENOENT);
    ASSERT_TRUE(sandbox.CreateFolder(dir.FileW(u"missing")));
    EXPECT_FALSE(
        sandbox.ReplaceTogether({{dir.FileW(u"a.txt"), "a"}, {dir.FileW(u"missing/b.txt"), "b"}}).Failed());
    EXPECT_EQ(sandbox.Writes().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.txt")));
}

} // namespace
