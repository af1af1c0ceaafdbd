#pragma once

#include "framework/qt/QtText.h"
#include "framework/Wnd.h"
#include "framework/qt/QtWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Header-only helpers for the tests of pages and dialogs.
namespace gui_test {

// A plain window to create pages in; it can also stand in as the main window and counts the close
// requests it receives.
class HostWnd : public CWnd
{
public:
    HostWnd() : m_widget(std::make_unique<QWidget>()) { Attach(HandleOf(m_widget.get())); }

    void OnClose() override { ++m_closeRequests; }
    int CloseRequests() const { return m_closeRequests; }

private:
    std::unique_ptr<QWidget> m_widget;
    int m_closeRequests = 0;
};

inline QAbstractButton* ButtonOf(const CWnd& window, int id)
{
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(window.GetDlgItem(id)));
    EXPECT_NE(button, nullptr) << "no button " << id;
    return button;
}

inline void Click(const CWnd& window, int id)
{
    if (QAbstractButton* button = ButtonOf(window, id))
        button->click();
}

inline QString ControlName(int id)
{
    return QStringLiteral("ctrl%1").arg(id);
}

// Controls of a modal dialog found through the widget tree, by identifier.
inline QLineEdit* EditIn(QWidget* dialog, int id)
{
    return dialog->findChild<QLineEdit*>(ControlName(id));
}
inline QAbstractButton* ButtonIn(QWidget* dialog, int id)
{
    return dialog->findChild<QAbstractButton*>(ControlName(id));
}

inline std::u16string TextIn(QWidget* dialog, int id)
{
    QLineEdit* edit = EditIn(dialog, id);
    EXPECT_NE(edit, nullptr) << "no edit box " << id;
    return edit ? FromQString(edit->text()) : std::u16string();
}

inline void SetTextIn(QWidget* dialog, int id, const std::u16string& text)
{
    QLineEdit* edit = EditIn(dialog, id);
    ASSERT_NE(edit, nullptr) << "no edit box " << id;
    edit->setText(ToQString(text));
}

inline void ClickIn(QWidget* dialog, int id)
{
    QAbstractButton* button = ButtonIn(dialog, id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->click();
}

// Queues an interaction with the next modal dialog; it runs once the dialog's event loop has started.
// A dialog that the interaction leaves open fails the test and is closed, so that nothing hangs.
inline void WhenModal(std::function<void(QWidget*)> act, int attemptsLeft = 50)
{
    QTimer::singleShot(0, [act = std::move(act), attemptsLeft] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            if (attemptsLeft > 0)
                WhenModal(act, attemptsLeft - 1);
            else
                ADD_FAILURE() << "no modal dialog appeared";
            return;
        }
        act(dialog);
        QPointer<QDialog> left = qobject_cast<QDialog*>(dialog);
        QTimer::singleShot(1000, [left] {
            if (left && left->isVisible()) {
                ADD_FAILURE() << "the modal dialog was left open";
                left->done(QDialog::Rejected);
            }
        });
    });
}

// Fails the test when a modal dialog shows up although none should; call Drain() after the action.
inline void FailIfModal()
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "unexpected modal dialog";
            dialog->done(QDialog::Rejected);
        }
    });
}

inline void Drain()
{
    QCoreApplication::processEvents();
}

inline std::vector<std::u16string> LinesOf(const QListWidget* list)
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < list->count(); ++i)
        lines.push_back(FromQString(list->item(i)->text()));
    return lines;
}

} // namespace gui_test
