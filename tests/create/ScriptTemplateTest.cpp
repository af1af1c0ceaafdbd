#include "create/ScriptTemplate.h"

#include "create/ScriptFixture.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace {

constexpr std::u16string_view kPlaceholder = u"DB";

// The disk, counting the reads of each path.
class CCountingStore : public CFileStore
{
public:
    tagFileBytes Read(const std::u16string& path) override
    {
        ++m_reads[path];
        return DiskStore().Read(path);
    }
    tagFileMatch Compare(const std::u16string& path, std::string_view bytes) override
    {
        ++m_reads[path];
        return DiskStore().Compare(path, bytes);
    }
    tagFileError Replace(const std::u16string& path, std::string_view bytes, Durability durability) override
    {
        return DiskStore().Replace(path, bytes, durability);
    }
    tagFileError ReplaceTogether(const std::vector<tagFileWrite>& writes) override
    {
        return DiskStore().ReplaceTogether(writes);
    }
    bool CreateFolder(const std::u16string& path) override { return DiskStore().CreateFolder(path); }
    bool Exists(const std::u16string& path) override { return DiskStore().Exists(path); }
    void Sync() override {}
    tagFileError LockForChange(const std::u16string& path, CFileLock& lock) override
    {
        return DiskStore().LockForChange(path, lock);
    }

    std::map<std::u16string, int> m_reads;
};

class ScriptTemplateTest : public ::testing::Test
{
protected:
    std::optional<CScriptTemplate> ReadTemplate(std::u16string_view text)
    {
        WriteDiskText(m_dir, "t.sql", text);
        return CScriptTemplate::Read(tagRunContext{m_boxes, m_files}, m_dir.FileW(u"t.sql"), kPlaceholder);
    }

    TempDir m_dir;
    ReporterRecorder m_boxes;
    CCountingStore m_files;
};

TEST_F(ScriptTemplateTest, FillGivesTheTextFileOfTheReplacedText)
{
    std::optional<CScriptTemplate> source = ReadTemplate(u"USE [DB]\nDBBDB-DDBB\n积分");
    ASSERT_TRUE(source.has_value());
    EXPECT_EQ(source->Fill(u"库"), ToDiskText(u"USE [库]\n库B库-D库B\n积分\n"));
    EXPECT_EQ(source->Fill(u""), ToDiskText(u"USE []\nB-DB\n积分\n"));
    // Replacements are not looked at again, and a text without the placeholder stays as it is.
    EXPECT_EQ(source->Fill(u"DB"), ToDiskText(u"USE [DB]\nDBBDB-DDBB\n积分\n"));
    EXPECT_EQ(ReadTemplate(u"SELECT 1")->Fill(u"x"), "SELECT 1\r\n");
}

TEST_F(ScriptTemplateTest, ACharacterWithoutFormFailsOnlyWhereItEndsUpInTheFile)
{
    std::optional<CScriptTemplate> withPlaceholder = ReadTemplate(u"USE DB");
    ASSERT_TRUE(withPlaceholder.has_value());
    EXPECT_FALSE(withPlaceholder->Fill(u"\u0E01").has_value());
    EXPECT_EQ(withPlaceholder->Fill(u"¢"), "USE \xA1\xE9\r\n"); // the best-fit form is written

    std::optional<CScriptTemplate> without = ReadTemplate(u"USE x");
    ASSERT_TRUE(without.has_value());
    EXPECT_EQ(without->Fill(u"\u0E01"), "USE x\r\n");
}

TEST_F(ScriptTemplateTest, AFailedFillNamesTheCharacterAndItsLineInTheScript)
{
    std::optional<CScriptTemplate> source = ReadTemplate(u"USE x\n\nDROP DB");
    ASSERT_TRUE(source.has_value());
    ASSERT_FALSE(source->Fill(u"a\u0E01").has_value());
    tagFileError error = source->FillError(u"out.sql", u"a\u0E01");
    EXPECT_EQ(error.m_cause, tagFileError::badCodePage);
    EXPECT_EQ(error.m_strFileName, u"out.sql");
    EXPECT_EQ(error.m_nCharacter, U'\u0E01');
    EXPECT_EQ(error.m_nLine, 3u);
}

TEST_F(ScriptTemplateTest, AMissingTemplateIsReportedAndReadAgainAtItsNextUse)
{
    CTemplateCache cache(tagRunContext{m_boxes, m_files}, kPlaceholder);
    m_boxes.Expect();
    EXPECT_EQ(cache.Get(m_dir.FileW(u"gone.sql")), nullptr);
    EXPECT_EQ(m_boxes.Texts(), std::vector<std::u16string>{m_dir.FileW(u"gone.sql") + u"读取失败!"});

    WriteDiskText(m_dir, "gone.sql", u"x DB");
    const CScriptTemplate* found = cache.Get(m_dir.FileW(u"gone.sql"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Fill(u"y"), "x y\r\n");
    EXPECT_EQ(m_files.m_reads[m_dir.FileW(u"gone.sql")], 2);
}

TEST_F(ScriptTemplateTest, ACachedTemplateIsReadOnce)
{
    WriteDiskText(m_dir, "t.sql", u"USE DB");
    CTemplateCache cache(tagRunContext{m_boxes, m_files}, kPlaceholder);
    const CScriptTemplate* first = cache.Get(m_dir.FileW(u"t.sql"));
    std::filesystem::remove(DiskPath(m_dir, "t.sql"));
    const CScriptTemplate* second = cache.Get(m_dir.FileW(u"t.sql"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(m_files.m_reads[m_dir.FileW(u"t.sql")], 1);
}

} // namespace
