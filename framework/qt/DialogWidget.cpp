#include "framework/qt/DialogWidget.h"

#include "framework/DialogEx.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

Qt::WindowFlags FlagsOf(DialogKind kind)
{
    if (kind == DialogKind::MainWindow)
        return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
               Qt::WindowCloseButtonHint;
    // A title bar without a system menu, and so without a close box.
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

} // namespace

CDialogWidget::CDialogWidget(CDialogEx* owner, QWidget* parent, DialogKind kind)
    : QDialog(parent, FlagsOf(kind)), m_owner(owner)
{
    setModal(true);
    setSizeGripEnabled(false);
}

void CDialogWidget::reject()
{
    m_owner->SendCommand(IDCANCEL, BN_CLICKED);
}

void CDialogWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        m_owner->SendCommand(IDCANCEL, BN_CLICKED);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The window's focus child, also while another window is active.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        m_owner->SendCommand(IDOK, BN_CLICKED);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CDialogWidget::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_owner->OnClose();
}
