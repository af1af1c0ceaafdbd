#include "framework/Wnd.h"

#include "framework/qt/QtText.h"
#include "framework/qt/QtWindow.h"

#include <QAbstractButton>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QRadioButton>

CWnd::CWnd() : m_pImpl(std::make_unique<tagWndImpl>()) {}

CWnd::~CWnd() = default;

HWINDOW CWnd::GetSafeHwnd() const
{
    return HandleOf(m_pImpl->window.data());
}

void CWnd::Attach(HWINDOW window)
{
    m_pImpl->window = WidgetOf(window);
}

bool CWnd::ShowWindow(int nCmdShow)
{
    if (!m_pImpl->window)
        return false;
    bool wasVisible = !m_pImpl->window->isHidden();
    m_pImpl->window->setVisible(nCmdShow != SW_HIDE);
    return wasVisible;
}

bool CWnd::IsWindowVisible() const
{
    return m_pImpl->window && m_pImpl->window->isVisible();
}

void CWnd::MoveWindow(const CRect& rect, bool repaint)
{
    if (!m_pImpl->window)
        return;
    m_pImpl->window->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (repaint)
        m_pImpl->window->update();
}

void CWnd::GetClientRect(CRect* rect) const
{
    if (!rect || !m_pImpl->window)
        return;
    *rect = CRect{0, 0, m_pImpl->window->width(), m_pImpl->window->height()};
}

void CWnd::SetIcon(const IconHandle& icon)
{
    if (m_pImpl->window && icon)
        m_pImpl->window->setWindowIcon(icon->icon);
}

void CWnd::SetWindowText(const std::u16string& text)
{
    if (m_pImpl->window)
        m_pImpl->window->setWindowTitle(ToQString(text));
}

std::u16string CWnd::GetWindowText() const
{
    return m_pImpl->window ? FromQString(m_pImpl->window->windowTitle()) : std::u16string();
}

HWINDOW CWnd::GetDlgItem(int id) const
{
    auto it = m_pImpl->controls.find(id);
    return it == m_pImpl->controls.end() ? nullptr : HandleOf(it->second.data());
}

std::u16string CWnd::GetDlgItemText(int id) const
{
    QWidget* control = WidgetOf(GetDlgItem(id));
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return FromQString(edit->text());
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return FromQString(button->text());
    if (auto* label = qobject_cast<QLabel*>(control))
        return FromQString(label->text());
    return std::u16string();
}

void CWnd::SetDlgItemText(int id, const std::u16string& text)
{
    QWidget* control = WidgetOf(GetDlgItem(id));
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(ToQString(text));
        edit->setCursorPosition(0);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(ToQString(text));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(ToQString(text));
    }
}

unsigned CWnd::IsDlgButtonChecked(int id) const
{
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(GetDlgItem(id)));
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CWnd::CheckDlgButton(int id, unsigned check)
{
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(GetDlgItem(id)));
    if (!button)
        return;
    // The platform lets a program clear every radio button of a group; Qt's exclusive buttons do not.
    bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(check == BST_CHECKED);
    button->setAutoExclusive(exclusive);
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

void CWnd::SetEditReadOnly(int id, bool readOnly)
{
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(GetDlgItem(id))))
        SetLineEditReadOnly(edit, readOnly);
}

void SetLineEditReadOnly(QLineEdit* edit, bool readOnly)
{
    edit->setReadOnly(readOnly);
    // A read-only box shows the dialog's background, so that the operator sees it cannot be typed into.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     readOnly ? QPalette().color(QPalette::Window) : QPalette().color(QPalette::Base));
    edit->setPalette(palette);
}

bool CWnd::IsEditReadOnly(int id) const
{
    auto* edit = qobject_cast<QLineEdit*>(WidgetOf(GetDlgItem(id)));
    return edit && edit->isReadOnly();
}

void CWnd::SetDlgItemToolTip(int id, const std::u16string& text)
{
    if (QWidget* control = WidgetOf(GetDlgItem(id)))
        control->setToolTip(ToQString(text));
}

void CWnd::PostMessage(unsigned message)
{
    if (message != WM_CLOSE || !m_pImpl->window)
        return;
    QMetaObject::invokeMethod(
        m_pImpl->window.data(), [this] { OnClose(); }, Qt::QueuedConnection);
}
