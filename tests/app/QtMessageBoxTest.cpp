#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/qt/QtSeams.h"
#include "framework/qt/QtText.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Runs `act` on the message box once its event loop runs; a box that does not come up fails the test.
void WhenMessageBox(std::function<void(QMessageBox&)> act, int attemptsLeft = 50)
{
    QTimer::singleShot(0, [act = std::move(act), attemptsLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box)
            act(*box);
        else if (attemptsLeft > 0)
            WhenMessageBox(act, attemptsLeft - 1);
        else
            ADD_FAILURE() << "no message box appeared";
    });
}

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
    WhenMessageBox([&](QMessageBox& box) {
        shownText = box.text();
        shownFrame = box.frameGeometry();
        ASSERT_EQ(box.buttons().size(), 1);
        box.buttons().first()->click();
    });
    EXPECT_EQ(AfxMessageBox(text), IDOK);
    EXPECT_EQ(FromQString(shownText), ShortenedForDisplay(text));
    EXPECT_TRUE(shownText.endsWith(QStringLiteral("不能用作文件名!")));
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(shownFrame.width(), screen.width());
    EXPECT_LE(shownFrame.height(), screen.height());
}

} // namespace
