#include "cli/RecordingStore.h"

#include "framework/FileSandbox.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(RecordingStore, NotesTheReplacementsThatSucceededInTheOrderOfTheirFirstWrite)
{
    TempDir dir;
    CFileSandbox sandbox;
    CRecordingStore store(sandbox);
    EXPECT_FALSE(store.Replace(dir.FileW(u"b.txt"), "one").Failed());
    EXPECT_EQ(store.Replace(dir.FileW(u"missing/x.txt"), "refused").m_lOsError, ENOENT);
    EXPECT_FALSE(store.ReplaceTogether({{dir.FileW(u"a.txt"), "a"}, {dir.FileW(u"b.txt"), "two"}}).Failed());
    EXPECT_TRUE(
        store.ReplaceTogether({{dir.FileW(u"c.txt"), "c"}, {dir.FileW(u"missing/y.txt"), "y"}}).Failed());

    std::vector<tagFileWrite> writes = store.Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].path, dir.FileW(u"b.txt"));
    EXPECT_EQ(writes[0].bytes, "two") << "the last content";
    EXPECT_EQ(writes[1].path, dir.FileW(u"a.txt"));
    // Everything went through to the store underneath.
    EXPECT_EQ(sandbox.Writes().size(), 2u);
    EXPECT_EQ(store.Read(dir.FileW(u"a.txt")).bytes, "a");
    EXPECT_TRUE(store.CreateFolder(dir.FileW(u"missing")));
    EXPECT_TRUE(store.Exists(dir.FileW(u"missing")));
}

} // namespace
