#pragma once

#include "framework/DialogFont.h"
#include "framework/DialogTemplate.h"
#include "framework/MessageBox.h" // IDOK and IDCANCEL: a dialog's standard commands and results
#include "framework/Wnd.h"

#include <functional>
#include <vector>

// Notification codes of the controls, with the platform's values.
constexpr int BN_CLICKED = 0;
constexpr int LBN_DBLCLK = 2;
constexpr int TCN_SELCHANGE = -551;

// One entry of a dialog's message table: a control's notification and the handler it runs.
struct MessageEntry
{
    int id;
    int code;
    std::function<void()> handler;
};
using MessageMap = std::vector<MessageEntry>;

// A dialog built from a template: modal through DoModal, or a child window through Create.
class CDialogEx : public CWnd
{
public:
    explicit CDialogEx(int templateId);
    ~CDialogEx() override;

    int DoModal();
    bool Create(int templateId, CWnd* parent);
    void EndDialog(int result);

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(bool saveAndValidate);
    bool UpdateData(bool saveAndValidate = true);
    // Gives a control the keyboard focus, an edit box with its text selected, as the dialog manager does.
    void GotoDlgCtrl(int id);
    void OnClose() override;

    // Runs a control's notification through the message table; IDOK and IDCANCEL fall back to OnOK and
    // OnCancel. A file error escaping the handler is reported here, as the framework's dispatcher does.
    void SendCommand(int id, int code);

    const BaseUnits& GetBaseUnits() const { return m_baseUnits; }

protected:
    virtual MessageMap GetMessageMap() { return {}; }

private:
    void BuildFromTemplate(QWidget* widget, const DialogTemplate& dialogTemplate);
    QWidget* MakeControl(QWidget* parent, const ControlTemplate& control, const QFont& font);
    void ConnectNotifications(int id, QWidget* control);
    void DispatchProtected(const std::function<void()>& handler);

    int m_nIDTemplate;
    BaseUnits m_baseUnits;
    MessageMap m_messageMap;
};

// A page: a child dialog whose own OK and Cancel reactions are empty; the keys reach the main window.
class CPropertyPage : public CDialogEx
{
public:
    using CDialogEx::CDialogEx;
    void OnOK() override {}
    void OnCancel() override {}
};
