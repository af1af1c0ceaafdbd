#include "framework/Reporter.h"

#include "support/MessageBoxRecorder.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(Reporter, AMessageWithoutCaptionCarriesTheProgramTitle)
{
    ReporterRecorder reporter;
    reporter.Expect(IDOK, 2);
    reporter.Message(u"囧zn");
    reporter.Message(u"读取失败!", u"数据库脚本生成错误", MB_OK | MB_ICONEXCLAMATION);
    ASSERT_EQ(reporter.Shown().size(), 2u);
    EXPECT_EQ(reporter.Shown()[0].caption, u"Korvane");
    EXPECT_EQ(reporter.Shown()[0].type, MB_OK);
    EXPECT_EQ(reporter.Shown()[1].caption, u"数据库脚本生成错误");
    EXPECT_EQ(reporter.Shown()[1].type, MB_OK | MB_ICONEXCLAMATION);
}

TEST(Reporter, AFileErrorLooksAsTheDispatcherShowsIt)
{
    ReporterRecorder reporter;
    reporter.Expect();
    reporter.FileError(tagFileError{tagFileError::accessDenied, u"/d/一键安装.bat", 13});
    ASSERT_EQ(reporter.Shown().size(), 1u);
    EXPECT_EQ(reporter.Shown()[0].text, u"拒绝访问 /d/一键安装.bat。");
    EXPECT_EQ(reporter.Shown()[0].caption, u"Korvane");
    EXPECT_EQ(reporter.Shown()[0].type, MB_ICONSTOP);
}

TEST(Reporter, TheWindowsReporterGoesThroughTheMessageBoxSeamInOrder)
{
    MessageBoxRecorder boxes;
    boxes.Expect(IDOK, 2);
    MessageBoxReporter().Message(u"first");
    MessageBoxReporter().FileError(tagFileError{tagFileError::diskFull, u"/d/x.sql", 28});
    EXPECT_EQ(boxes.Texts(), (std::vector<std::u16string>{u"first", u"访问 /d/x.sql 时磁盘已满。"}));
}

TEST(FileError, ReadsAndWritesThatStopAtALimitSayWhich)
{
    EXPECT_EQ(tagFileError::FromOsError(EFBIG, u"/x").m_cause, tagFileError::diskFull)
        << "a write stopped by the file-size limit is a full disk";
    EXPECT_EQ((tagFileError{tagFileError::tooLarge, u"/x", EFBIG}.GetErrorMessage()),
              u"/x 太大，超过 1 GiB，无法读取。");
    EXPECT_EQ(tagFileError::FromOsError(EBUSY, u"/x").GetErrorMessage(), u"访问 /x 时遇到了共享冲突。");
    EXPECT_FALSE(tagFileError::FromOsError(0, u"/x").Failed());
}

} // namespace
