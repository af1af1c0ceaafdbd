#include "framework/FileDialog.h"
#include "framework/qt/QtSeams.h"
#include "framework/qt/QtText.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

// Failure messages show Qt's texts as text.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// What the operator saw of a file dialog before it was cancelled.
struct tagDialogSeen
{
    bool bShown = false;
    QStringList nameFilters;
    QStringList typeChoices; // the lines of the file type box
    QString strAcceptButton;
    QString strTypeLabel;
    QRect geometry;
    QRect available; // the free area of the dialog's screen
};

QString TextOf(const QFileDialog& dialog, const char* labelName)
{
    const auto* label = dialog.findChild<QLabel*>(QLatin1String(labelName));
    return label ? label->text() : QString();
}

tagDialogSeen Inspect(QFileDialog& dialog)
{
    tagDialogSeen seen;
    seen.bShown = true;
    seen.nameFilters = dialog.nameFilters();
    if (const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < types->count(); ++i)
            seen.typeChoices << types->itemText(i);
    }
    if (const auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
        const QList<QAbstractButton*> all = buttons->buttons();
        if (!all.isEmpty())
            seen.strAcceptButton =
                buttons->button(QDialogButtonBox::Open)   ? buttons->button(QDialogButtonBox::Open)->text()
                : buttons->button(QDialogButtonBox::Save) ? buttons->button(QDialogButtonBox::Save)->text()
                                                          : QString();
    }
    seen.strTypeLabel = TextOf(dialog, "fileTypeLabel");
    seen.geometry = dialog.frameGeometry();
    seen.available = dialog.screen()->availableGeometry();
    return seen;
}

// Shows the dialog through the program's seam and cancels it as soon as it is up.
tagDialogSeen ShowAndCancel(const FileDialogRequest& request)
{
    tagDialogSeen seen;
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            seen = Inspect(*dialog);
            dialog->reject();
        } else if (++tries > 100) {
            ADD_FAILURE() << "no file dialog came up";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
        }
    });
    poll.start(20);
    std::optional<std::u16string> chosen = ShowFileDialog(request);
    EXPECT_FALSE(chosen.has_value());
    return seen;
}

// The program's dialogs belong to its window: a small one is up and active, as the main window is.
class QtFileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallQtSeams();
        m_window.resize(200, 150);
        m_window.show();
    }
    void TearDown() override { SetFileDialogHandler(nullptr); }

    static FileDialogRequest IniRequest(bool save)
    {
        FileDialogRequest request;
        request.save = save;
        request.title = save ? u"保存" : u"打开";
        request.filter = u"配置文件 (*.ini)|*.ini;|";
        request.defaultExt = u"ini";
        request.fileMustExist = !save;
        return request;
    }

    QWidget m_window;
};

TEST_F(QtFileDialogTest, OpenAndSaveSpeakChineseShowTheFilterOnceAndFitTheScreenAtScaleTwo)
{
    ASSERT_EQ(qgetenv("QT_SCALE_FACTOR"), "2") << "the test is registered to run at a scale factor of 2";
    for (bool save : {false, true}) {
        SCOPED_TRACE(save ? "save" : "open");
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        tagDialogSeen seen = ShowAndCancel(IniRequest(save));
        ASSERT_TRUE(seen.bShown);
        EXPECT_EQ(seen.nameFilters, QStringList{QStringLiteral("配置文件 (*.ini)")});
        EXPECT_EQ(seen.typeChoices, QStringList{QStringLiteral("配置文件 (*.ini)")});
        EXPECT_EQ(seen.strAcceptButton, save ? QStringLiteral("保存(&S)") : QStringLiteral("打开(&O)"));
        EXPECT_EQ(seen.strTypeLabel, QStringLiteral("文件类型："));
        EXPECT_TRUE(seen.available.contains(seen.geometry))
            << "dialog " << seen.geometry.x() << "," << seen.geometry.y() << " " << seen.geometry.width()
            << "x" << seen.geometry.height() << " on a free area of " << seen.available.width() << "x"
            << seen.available.height();
    }
}

} // namespace
