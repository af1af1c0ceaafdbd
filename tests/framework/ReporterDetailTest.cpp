#include "framework/Reporter.h"

#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(ReporterDetail, AFileErrorIsItsMessageThenItsDetail)
{
    ReporterRecorder reporter;
    reporter.Expect(IDOK, 2);
    reporter.Message(u"before");
    tagFileError error = tagFileError::FromOsError(ENOENT, u"/x/a.txt");
    reporter.FileError(error);
    ASSERT_EQ(reporter.Shown().size(), 2u);
    EXPECT_EQ(reporter.Shown()[1].text, u"/x/a.txt 包含错误的路径。");
    EXPECT_EQ(reporter.Shown()[1].type, MB_ICONSTOP);
    ASSERT_EQ(reporter.Details().size(), 1u);
    EXPECT_EQ(reporter.Details()[0].nAfterMessages, 2u) << "right after the file error's own message";
    EXPECT_EQ(reporter.Details()[0].error.m_lOsError, ENOENT);
    EXPECT_EQ(reporter.Details()[0].error.m_strFileName, u"/x/a.txt");
}

} // namespace
