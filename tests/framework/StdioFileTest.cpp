#include "framework/StdioFile.h"

#include "framework/WideText.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace {

std::vector<std::u16string> ReadLines(const std::u16string& path)
{
    CStdioFile file;
    EXPECT_TRUE(file.Open(path, CStdioFile::modeRead | CStdioFile::typeText));
    std::vector<std::u16string> lines;
    std::u16string line;
    while (file.ReadString(line))
        lines.push_back(line);
    file.Close();
    return lines;
}

tagFileError WriteText(const std::u16string& path, std::u16string_view text)
{
    CStdioFile file;
    file.Open(path, CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText);
    file.WriteString(text);
    return file.Close();
}

TEST(StdioFileRead, TakesCrLfAndLfAndALastLineWithoutBreak)
{
    TempDir dir;
    dir.Write("a.txt", "one\r\ntwo\n\r\n\xD6\xD0\xCE\xC4\r\nlast");
    std::vector<std::u16string> expected = {u"one", u"two", u"", u"中文", u"last"};
    EXPECT_EQ(ReadLines(dir.FileW(u"a.txt")), expected);
}

TEST(StdioFileRead, EmptyFileHasNoLineAndAFinalBreakAddsNone)
{
    TempDir dir;
    dir.Write("empty.txt", "");
    dir.Write("one.txt", "x\r\n");
    EXPECT_TRUE(ReadLines(dir.FileW(u"empty.txt")).empty());
    EXPECT_EQ(ReadLines(dir.FileW(u"one.txt")), std::vector<std::u16string>{u"x"});
}

TEST(StdioFileRead, CarriageReturnInsideALineStays)
{
    TempDir dir;
    dir.Write("a.txt", "a\rb\r\n");
    EXPECT_EQ(ReadLines(dir.FileW(u"a.txt")), std::vector<std::u16string>{u"a\rb"});
}

TEST(StdioFileRead, MissingFileFailsWithBadPath)
{
    TempDir dir;
    CStdioFile file;
    tagFileError error;
    EXPECT_FALSE(file.Open(dir.FileW(u"missing.txt"), CStdioFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_EQ(error.m_strFileName, dir.FileW(u"missing.txt"));
    EXPECT_EQ(error.m_lOsError, ENOENT);
}

TEST(StdioFileRead, BytesThatAreNotCodePage936EndTheReadingWithAnError)
{
    TempDir dir;
    dir.Write("bad.txt", "good\r\n\xFF\xFF\r\nafter\r\n");
    CStdioFile file;
    ASSERT_TRUE(file.Open(dir.FileW(u"bad.txt"), CStdioFile::modeRead));
    std::u16string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, u"good");
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_FALSE(file.ReadString(line)) << "the line after the bad one is not read either";
    tagFileError error = file.Close();
    EXPECT_EQ(error.m_cause, tagFileError::badCodePage);
    EXPECT_EQ(error.m_strFileName, dir.FileW(u"bad.txt"));
    EXPECT_EQ(error.m_nLine, 2u);
    EXPECT_EQ(error.m_nCharacter, 0u) << "bytes that do not decode are no character";
}

TEST(StdioFileWrite, WritesCodePage936WithCrLfAndNoBom)
{
    TempDir dir;
    WriteText(dir.FileW(u"out.txt"), u"中文\nabc\n\nend");
    EXPECT_EQ(dir.Read("out.txt"), "\xD6\xD0\xCE\xC4\r\nabc\r\n\r\nend");
}

TEST(StdioFileWrite, ReplacesAnExistingFileWhole)
{
    TempDir dir;
    dir.Write("out.txt", "a much longer old content\r\n");
    WriteText(dir.FileW(u"out.txt"), u"new\n");
    EXPECT_EQ(dir.Read("out.txt"), "new\r\n");
}

TEST(StdioFileWrite, BestFitCharactersAreWrittenInTheirBestFitForm)
{
    TempDir dir;
    // Cent and yen sign have best-fit forms only; superscript two becomes a plain "2".
    WriteText(dir.FileW(u"out.txt"), u"\u00A25\n\u00A5\u00B2");
    EXPECT_EQ(dir.Read("out.txt"), "\xA1\xE9"
                                   "5\r\n\xA3\xA4"
                                   "2");
}

TEST(StdioFileWrite, UnrepresentableCharacterThrowsAndKeepsTheOldFile)
{
    TempDir dir;
    dir.Write("out.txt", "old\r\n");
    tagFileError e = WriteText(dir.FileW(u"out.txt"), u"ok\n\u0E01\n");
    EXPECT_EQ(e.m_cause, CFileException::badCodePage);
    EXPECT_EQ(e.GetErrorMessage(), dir.FileW(u"out.txt") + u" 中有无法转换为代码页 936 的字符。");
    EXPECT_EQ(e.m_nCharacter, U'\u0E01');
    EXPECT_EQ(e.m_nLine, 2u);
    EXPECT_EQ(dir.Read("out.txt"), "old\r\n");
}

TEST(StdioFileWrite, TheFirstCharacterWithoutAFormIsNamedWhole)
{
    TempDir dir;
    // A pair of surrogates is one character; the best-fit cent sign before it is written fine.
    tagFileError pair = WriteText(dir.FileW(u"out.txt"), u"a\n\n\u00A2 \U0001F600\u0E01");
    EXPECT_EQ(pair.m_nCharacter, U'\U0001F600');
    EXPECT_EQ(pair.m_nLine, 3u);
    // A lone surrogate is named as the unit it is.
    tagFileError lone = WriteText(dir.FileW(u"out.txt"), std::u16string(u"x") + char16_t(0xDC01));
    EXPECT_EQ(lone.m_nCharacter, 0xDC01u);
    EXPECT_EQ(lone.m_nLine, 1u);
}

TEST(StdioFileWrite, MissingFolderIsABadPath)
{
    TempDir dir;
    std::u16string path = dir.FileW(u"no/such/out.txt");
    tagFileError e = WriteText(path, u"x\n");
    EXPECT_EQ(e.m_cause, CFileException::badPath);
    EXPECT_EQ(e.GetErrorMessage(), path + u" 包含错误的路径。");
}

TEST(StdioFileWrite, ReadOnlyFileIsRefusedAndStaysWhole)
{
    TempDir dir;
    dir.Write("ro.txt", "keep\r\n");
    std::filesystem::permissions(dir.File("ro.txt"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    tagFileError e = WriteText(dir.FileW(u"ro.txt"), u"new\n");
    EXPECT_EQ(e.m_cause, CFileException::accessDenied);
    EXPECT_EQ(e.GetErrorMessage(), u"拒绝访问 " + dir.FileW(u"ro.txt") + u"。");
    EXPECT_EQ(dir.Read("ro.txt"), "keep\r\n");
}

TEST(StdioFileWrite, TextThatIsNeverClosedIsNotWritten)
{
    TempDir dir;
    dir.Write("out.txt", "old\r\n");
    {
        CStdioFile file;
        file.Open(dir.FileW(u"out.txt"), CStdioFile::modeCreate | CStdioFile::modeWrite);
        file.WriteString(u"new\n");
    }
    EXPECT_EQ(dir.Read("out.txt"), "old\r\n");
}

TEST(FileException, CausesOfTheOperatingSystemsErrors)
{
    EXPECT_EQ(CFileException::OsErrorToCause(ENOENT), CFileException::badPath);
    EXPECT_EQ(CFileException::OsErrorToCause(ENOTDIR), CFileException::badPath);
    EXPECT_EQ(CFileException::OsErrorToCause(ENAMETOOLONG), CFileException::badPath);
    EXPECT_EQ(CFileException::OsErrorToCause(EACCES), CFileException::accessDenied);
    EXPECT_EQ(CFileException::OsErrorToCause(EROFS), CFileException::accessDenied);
    EXPECT_EQ(CFileException::OsErrorToCause(ETXTBSY), CFileException::sharingViolation);
    EXPECT_EQ(CFileException::OsErrorToCause(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::OsErrorToCause(EIO), CFileException::hardIO);
}

TEST(FileException, MessagesOfTheCauses)
{
    const std::u16string path = u"/x/y.sql";
    EXPECT_EQ(CFileException(CFileException::sharingViolation, path).GetErrorMessage(),
              u"访问 /x/y.sql 时遇到了共享冲突。");
    EXPECT_EQ(CFileException(CFileException::diskFull, path).GetErrorMessage(),
              u"访问 /x/y.sql 时磁盘已满。");
    EXPECT_EQ(CFileException(CFileException::hardIO, path).GetErrorMessage(), u"访问 /x/y.sql 时磁盘已满。");
    EXPECT_EQ(CFileException(CFileException::fileNotFound, path).GetErrorMessage(),
              u"/x/y.sql 包含错误的路径。");
}

TEST(FileException, ReportShowsAStopBoxWithTheProgramTitle)
{
    MessageBoxRecorder boxes;
    boxes.Expect();
    ReportFileException(CFileException(CFileException::accessDenied, u"/a/b.bat"));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"拒绝访问 /a/b.bat。");
    EXPECT_EQ(boxes.Shown()[0].caption, AfxGetAppName());
    EXPECT_EQ(boxes.Shown()[0].type, MB_ICONSTOP);
}

} // namespace
