#pragma once

#include "framework/DialogTemplate.h"

#include <QDialog>

class CDialogEx;

// The window of a modal dialog. The standard dialog keys and the close box become the dialog's
// commands: Esc and the close box its Cancel command; Enter clicks a focused push button, and
// otherwise issues the OK command, as the platform's dialog manager does.
class CDialogWidget : public QDialog
{
public:
    CDialogWidget(CDialogEx* owner, QWidget* parent, DialogKind kind);

    CDialogEx* Owner() const { return m_owner; }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CDialogEx* m_owner;
};
