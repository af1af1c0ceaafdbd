#include "framework/DialogEx.h"

#include "framework/StdioFile.h"

CDialogEx::CDialogEx(int templateId) : m_nIDTemplate(templateId) {}

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
