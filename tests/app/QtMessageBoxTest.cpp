#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/qt/QtSeams.h"
#include "framework/qt/QtText.h"
#include "support/gui/GuiTestHelpers.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <gtest/gtest.h>

#include <string>

namespace {

// The seams the program installs at start, for one test; the previous handlers come back afterwards.
class QtSeamsInstalled
{
public:
    QtSeamsInstalled() : m_boxes(SetMessageBoxHandler(nullptr)), m_files(SetFileDialogHandler(nullptr))
    {
        InstallQtSeams();
    }
    ~QtSeamsInstalled()
    {
        SetMessageBoxHandler(std::move(m_boxes));
        SetFileDialogHandler(std::move(m_files));
    }

private:
    MessageBoxHandler m_boxes;
    FileDialogHandler m_files;
};

TEST(QtMessageBox, AHugeGameNameIsShownShortenedAndTheBoxFitsTheScreen)
{
    QtSeamsInstalled seams;
    std::u16string text = u"游戏名称“" + std::u16string(1 << 20, u'长') + u"”(编号 215)不能用作文件名!";
    QString shownText;
    QRect shownFrame;
    gui_test::WhenModal([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        shownFrame = box->frameGeometry();
        ASSERT_EQ(box->buttons().size(), 1);
        box->buttons().first()->click();
    });
    EXPECT_EQ(AfxMessageBox(text), IDOK);
    EXPECT_EQ(FromQString(shownText), ShortenedForDisplay(text));
    EXPECT_TRUE(shownText.endsWith(QStringLiteral("不能用作文件名!")));
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(shownFrame.width(), screen.width());
    EXPECT_LE(shownFrame.height(), screen.height());
}

} // namespace
