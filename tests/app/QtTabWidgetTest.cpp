#include "framework/qt/TabWidget.h"

#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class QtTabWidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i)
            tabs.InsertSilently(i, QStringLiteral("tab %1").arg(i));
        tabs.SetSelChangeHandler([this] { ++notifications; });
    }

    CTabWidget tabs{nullptr};
    int notifications = 0;
};

TEST_F(QtTabWidgetTest, ShiftReportedWithTabItselfStillGoesBack)
{
    // Some keyboards send Tab with Shift rather than Backtab.
    QTest::keyClick(&tabs, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs.TabBar()->currentIndex(), 2);
    QTest::keyClick(&tabs, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs.TabBar()->currentIndex(), 1);
    EXPECT_EQ(notifications, 2);
}

TEST_F(QtTabWidgetTest, TabWithAltOrWithoutCtrlIsNoTabSwitch)
{
    QTest::keyClick(&tabs, Qt::Key_Tab, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(&tabs, Qt::Key_Tab);
    EXPECT_EQ(tabs.TabBar()->currentIndex(), 0);
    EXPECT_EQ(notifications, 0);
}

TEST_F(QtTabWidgetTest, SelectingAndInsertingByProgramNotifyNothing)
{
    tabs.SelectSilently(2);
    tabs.InsertSilently(0, QStringLiteral("first"));
    EXPECT_EQ(tabs.TabBar()->currentIndex(), 3);
    EXPECT_EQ(notifications, 0);
}

} // namespace
