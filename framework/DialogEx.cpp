#include "framework/DialogEx.h"

#include "framework/DialogWidget.h"
#include "framework/QtText.h"
#include "framework/StdioFile.h"
#include "framework/TabCtrl.h"
#include "framework/WinApp.h"

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

} // namespace

CDialogEx::CDialogEx(int templateId) : m_nIDTemplate(templateId) {}

CDialogEx::~CDialogEx()
{
    if (m_hWnd)
        delete m_hWnd.data();
}

int CDialogEx::DoModal()
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_nIDTemplate);
    if (!dialogTemplate)
        return -1;
    CWnd* mainWnd = AfxGetMainWnd();
    QWidget* owner = (mainWnd && mainWnd != this) ? mainWnd->GetSafeHwnd() : nullptr;
    auto* dialog = new CDialogWidget(this, owner, dialogTemplate->kind);
    Attach(dialog);
    BuildFromTemplate(dialog, *dialogTemplate);
    dialog->setWindowTitle(ToQString(dialogTemplate->title));
    OnInitDialog();
    int result = dialog->exec();
    m_controls.clear();
    m_hWnd = nullptr;
    delete dialog;
    return result;
}

bool CDialogEx::Create(int templateId, CWnd* parent)
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
    if (!dialogTemplate || !parent || !parent->GetSafeHwnd())
        return false;
    m_nIDTemplate = templateId;
    auto* widget = new QWidget(parent->GetSafeHwnd());
    widget->hide();
    Attach(widget);
    BuildFromTemplate(widget, *dialogTemplate);
    OnInitDialog();
    return true;
}

void CDialogEx::EndDialog(int result)
{
    // Only a modal dialog's window ends with a result; a page's window is a plain child.
    if (auto* dialog = qobject_cast<QDialog*>(m_hWnd.data()))
        dialog->done(result);
}

bool CDialogEx::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialogEx::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialogEx::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialogEx::DoDataExchange(bool) {}

bool CDialogEx::UpdateData(bool saveAndValidate)
{
    DoDataExchange(saveAndValidate);
    return true;
}

void CDialogEx::GotoDlgCtrl(int id)
{
    QWidget* control = GetDlgItem(id);
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

void CDialogEx::OnClose()
{
    SendCommand(IDCANCEL, BN_CLICKED);
}

void CDialogEx::SendCommand(int id, int code)
{
    for (const MessageEntry& entry : m_messageMap) {
        if (entry.id == id && entry.code == code) {
            DispatchProtected(entry.handler);
            return;
        }
    }
    if (code != BN_CLICKED)
        return;
    if (id == IDOK)
        DispatchProtected([this] { OnOK(); });
    else if (id == IDCANCEL)
        DispatchProtected([this] { OnCancel(); });
}

void CDialogEx::DispatchProtected(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const CFileException& error) {
        ReportFileException(error);
    }
}

void CDialogEx::BuildFromTemplate(QWidget* widget, const DialogTemplate& dialogTemplate)
{
    QFont font = DialogFont(dialogTemplate.fontName, dialogTemplate.pointSize);
    widget->setFont(font);
    m_baseUnits = BaseUnitsOf(font);
    QRect client = DialogUnitsToPixels(0, 0, dialogTemplate.cx, dialogTemplate.cy, m_baseUnits);
    widget->resize(client.size());
    m_messageMap = GetMessageMap();
    std::vector<QWidget*> groupBoxes;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* made = MakeControl(widget, control, font);
        AddControl(control.id, made);
        ConnectNotifications(control.id, made);
        if (control.kind == ControlKind::GroupBox)
            groupBoxes.push_back(made);
    }
    // Group boxes only frame their neighbours: they stay beneath them.
    for (QWidget* box : groupBoxes)
        box->lower();
}

QWidget* CDialogEx::MakeControl(QWidget* parent, const ControlTemplate& control, const QFont& font)
{
    QWidget* made = nullptr;
    switch (control.kind) {
    case ControlKind::Edit:
        made = MakeEdit(parent, control);
        break;
    case ControlKind::PushButton:
        made = MakePushButton(parent, control);
        break;
    case ControlKind::RadioButton:
        made = new QRadioButton(ToQString(control.caption), parent);
        break;
    case ControlKind::CheckBox:
        made = new QCheckBox(ToQString(control.caption), parent);
        break;
    case ControlKind::Static:
        made = MakeStatic(parent, control);
        break;
    case ControlKind::GroupBox:
        made = new QGroupBox(ToQString(control.caption), parent);
        break;
    case ControlKind::ListBox:
        made = MakeListBox(parent, control);
        break;
    case ControlKind::TabControl:
        made = new CTabWidget(parent);
        break;
    }
    made->setFont(font);
    made->setGeometry(DialogUnitsToPixels(control.x, control.y, control.cx, control.cy, m_baseUnits));
    if (control.kind != ControlKind::Static && control.kind != ControlKind::GroupBox)
        made->setFocusPolicy((control.style & CS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    else
        made->setFocusPolicy(Qt::NoFocus);
    if (control.id != IDC_STATIC)
        made->setObjectName(QStringLiteral("ctrl%1").arg(control.id));
    made->show();
    return made;
}

void CDialogEx::ConnectNotifications(int id, QWidget* control)
{
    if (id == IDC_STATIC)
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [this, id] { SendCommand(id, BN_CLICKED); });
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        list->viewport()->installEventFilter(
            new DoubleClickFilter(list, [this, id] { SendCommand(id, LBN_DBLCLK); }));
    } else if (auto* tabs = dynamic_cast<CTabWidget*>(control)) {
        tabs->SetSelChangeHandler([this, id] { SendCommand(id, TCN_SELCHANGE); });
    }
}
