#include "framework/Wnd.h"

#include "framework/QtText.h"

#include <QAbstractButton>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QRadioButton>

CWnd::~CWnd() = default;

bool CWnd::ShowWindow(int nCmdShow)
{
    if (!m_hWnd)
        return false;
    bool wasVisible = !m_hWnd->isHidden();
    m_hWnd->setVisible(nCmdShow != SW_HIDE);
    return wasVisible;
}

bool CWnd::IsWindowVisible() const
{
    return m_hWnd && m_hWnd->isVisible();
}

void CWnd::MoveWindow(const CRect& rect, bool repaint)
{
    if (!m_hWnd)
        return;
    m_hWnd->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (repaint)
        m_hWnd->update();
}

void CWnd::GetClientRect(CRect* rect) const
{
    if (!rect || !m_hWnd)
        return;
    *rect = CRect{0, 0, m_hWnd->width(), m_hWnd->height()};
}

void CWnd::SetIcon(const QIcon& icon)
{
    if (m_hWnd)
        m_hWnd->setWindowIcon(icon);
}

void CWnd::SetWindowText(const std::u16string& text)
{
    if (m_hWnd)
        m_hWnd->setWindowTitle(ToQString(text));
}

std::u16string CWnd::GetWindowText() const
{
    return m_hWnd ? FromQString(m_hWnd->windowTitle()) : std::u16string();
}

QWidget* CWnd::GetDlgItem(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second.data();
}

std::u16string CWnd::GetDlgItemText(int id) const
{
    QWidget* control = GetDlgItem(id);
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
    QWidget* control = GetDlgItem(id);
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
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CWnd::CheckDlgButton(int id, unsigned check)
{
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
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
    if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id)))
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
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id));
    return edit && edit->isReadOnly();
}

void CWnd::SetDlgItemToolTip(int id, const std::u16string& text)
{
    if (QWidget* control = GetDlgItem(id))
        control->setToolTip(ToQString(text));
}

void CWnd::PostMessage(unsigned message)
{
    if (message != WM_CLOSE || !m_hWnd)
        return;
    QMetaObject::invokeMethod(
        m_hWnd.data(), [this] { OnClose(); }, Qt::QueuedConnection);
}

void CWnd::AddControl(int id, QWidget* control)
{
    if (id != -1)
        m_controls[id] = control;
}
