#pragma once

#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"
#include "framework/MessageBox.h" // IDOK and IDCANCEL: a dialog's standard commands and results
#include "framework/Wnd.h"

#include <functional>
#include <vector>

// Notification codes of the controls, with the platform's values (<windows.h> has them as macros).
#ifndef BN_CLICKED
constexpr int BN_CLICKED = 0;
#endif
#ifndef LBN_DBLCLK
constexpr int LBN_DBLCLK = 2;
#endif
// The platform's macro is the unsigned 0U - 551; message tables hold it as the int it converts to.
#ifndef TCN_SELCHANGE
constexpr int TCN_SELCHANGE = -551;
#endif

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
    // The platform's dialog procedure, where it has one, reaches the members it dispatches to.
    friend struct tagDialogProcedure;

    // Makes the controls of the template in the dialog's window and takes its message table.
    void BuildFromTemplate(const DialogTemplate& dialogTemplate);
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
