#include "framework/DialogEx.h"

#include "framework/WinApp.h"
#include "framework/qt/DialogFont.h"
#include "framework/qt/DialogWidget.h"
#include "framework/qt/QtText.h"
#include "framework/qt/QtWindow.h"
#include "framework/qt/TabWidget.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Double-clicks on a list box arrive after the first click has set the selection, as on the platform.
class DoubleClickFilter : public QObject
{
public:
    DoubleClickFilter(QObject* parent, std::function<void()> onDoubleClick)
        : QObject(parent), m_onDoubleClick(std::move(onDoubleClick))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            QMetaObject::invokeMethod(
                this, [this] { m_onDoubleClick(); }, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onDoubleClick;
};

QWidget* MakeEdit(QWidget* parent, const ControlTemplate& control)
{
    auto* edit = new QLineEdit(parent);
    edit->setFrame(control.style & CS_BORDER);
    SetLineEditReadOnly(edit, control.style & CS_READONLY);
    return edit;
}

QWidget* MakeListBox(QWidget* parent, const ControlTemplate& control)
{
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy((control.style & CS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                                  : Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape((control.style & CS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    return list;
}

QWidget* MakeStatic(QWidget* parent, const ControlTemplate& control)
{
    auto* label = new QLabel(ToQString(control.caption), parent);
    label->setAlignment(Qt::AlignLeft | ((control.style & CS_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop));
    return label;
}

QWidget* MakePushButton(QWidget* parent, const ControlTemplate& control)
{
    auto* button = new QPushButton(ToQString(control.caption), parent);
    // Enter is the dialog's business, as on the platform: no button is made default by focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QWidget* MakeWidget(QWidget* parent, const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::Edit:
        return MakeEdit(parent, control);
    case ControlKind::PushButton:
        return MakePushButton(parent, control);
    case ControlKind::RadioButton:
        return new QRadioButton(ToQString(control.caption), parent);
    case ControlKind::CheckBox:
        return new QCheckBox(ToQString(control.caption), parent);
    case ControlKind::Static:
        return MakeStatic(parent, control);
    case ControlKind::GroupBox:
        return new QGroupBox(ToQString(control.caption), parent);
    case ControlKind::ListBox:
        return MakeListBox(parent, control);
    case ControlKind::TabControl:
        return new CTabWidget(parent);
    }
    return new QWidget(parent);
}

QWidget* MakeControl(QWidget* parent, const ControlTemplate& control, const QFont& font,
                     const BaseUnits& base)
{
    QWidget* made = MakeWidget(parent, control);
    made->setFont(font);
    made->setGeometry(ToQRect(DialogUnitsToPixels(control.x, control.y, control.cx, control.cy, base)));
    if (control.kind != ControlKind::Static && control.kind != ControlKind::GroupBox)
        made->setFocusPolicy((control.style & CS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    else
        made->setFocusPolicy(Qt::NoFocus);
    if (control.id != IDC_STATIC)
        made->setObjectName(QStringLiteral("ctrl%1").arg(control.id));
    made->show();
    return made;
}

void ConnectNotifications(CDialogEx& dialog, int id, QWidget* control)
{
    if (id == IDC_STATIC)
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [&dialog, id] { dialog.SendCommand(id, BN_CLICKED); });
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        list->viewport()->installEventFilter(
            new DoubleClickFilter(list, [&dialog, id] { dialog.SendCommand(id, LBN_DBLCLK); }));
    } else if (auto* tabs = dynamic_cast<CTabWidget*>(control)) {
        tabs->SetSelChangeHandler([&dialog, id] { dialog.SendCommand(id, TCN_SELCHANGE); });
    }
}

} // namespace

CDialogEx::~CDialogEx()
{
    if (Impl().window)
        delete Impl().window.data();
}

int CDialogEx::DoModal()
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_nIDTemplate);
    if (!dialogTemplate)
        return -1;
    CWnd* mainWnd = AfxGetMainWnd();
    QWidget* owner = (mainWnd && mainWnd != this) ? WidgetOf(mainWnd->GetSafeHwnd()) : nullptr;
    auto* dialog = new CDialogWidget(this, owner, dialogTemplate->kind);
    Attach(HandleOf(dialog));
    BuildFromTemplate(*dialogTemplate);
    dialog->setWindowTitle(ToQString(dialogTemplate->title));
    OnInitDialog();
    int result = dialog->exec();
    Impl().controls.clear();
    Impl().window = nullptr;
    delete dialog;
    return result;
}

bool CDialogEx::Create(int templateId, CWnd* parent)
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
    if (!dialogTemplate || !parent || !parent->GetSafeHwnd())
        return false;
    m_nIDTemplate = templateId;
    auto* widget = new QWidget(WidgetOf(parent->GetSafeHwnd()));
    widget->hide();
    Attach(HandleOf(widget));
    BuildFromTemplate(*dialogTemplate);
    OnInitDialog();
    return true;
}

void CDialogEx::EndDialog(int result)
{
    // Only a modal dialog's window ends with a result; a page's window is a plain child.
    if (auto* dialog = qobject_cast<QDialog*>(Impl().window.data()))
        dialog->done(result);
}

void CDialogEx::GotoDlgCtrl(int id)
{
    QWidget* control = WidgetOf(GetDlgItem(id));
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

void CDialogEx::BuildFromTemplate(const DialogTemplate& dialogTemplate)
{
    QWidget* widget = Impl().window.data();
    QFont font = DialogFont(dialogTemplate.fontName, dialogTemplate.pointSize);
    widget->setFont(font);
    m_baseUnits = BaseUnitsOf(font);
    CRect client = DialogUnitsToPixels(0, 0, dialogTemplate.cx, dialogTemplate.cy, m_baseUnits);
    widget->resize(client.Width(), client.Height());
    m_messageMap = GetMessageMap();
    std::vector<QWidget*> groupBoxes;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* made = MakeControl(widget, control, font, m_baseUnits);
        if (control.id != IDC_STATIC)
            Impl().controls[control.id] = made;
        ConnectNotifications(*this, control.id, made);
        if (control.kind == ControlKind::GroupBox)
            groupBoxes.push_back(made);
    }
    // Group boxes only frame their neighbours: they stay beneath them.
    for (QWidget* box : groupBoxes)
        box->lower();
}
