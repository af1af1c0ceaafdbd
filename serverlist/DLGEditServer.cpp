#include "serverlist/DLGEditServer.h"

#include "app/KorvaneApp.h"
#include "res/Resource.h"
#include "serverlist/ServerList.h"

namespace {

bool IsValidIndex(int index)
{
    return index >= 0 && size_t(index) < theApp.m_ServerArray.size();
}

} // namespace

CDLGEditServer::CDLGEditServer() : CDialogEx(IDD_DLG_EDIT_SERVER) {}

MessageMap CDLGEditServer::GetMessageMap()
{
    return {
        {IDC_BTN_SERVER_OK, BN_CLICKED, [this] { OnBnClickedOk(); }},
        {IDC_BTN_SERVER_CANCEL, BN_CLICKED, [this] { OnBnClickedCancel(); }},
    };
}

bool CDLGEditServer::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    int index = theApp.m_nEditIndex;
    if (!IsValidIndex(index))
        return true;
    const tagServer& server = theApp.m_ServerArray[size_t(index)];
    SetDlgItemText(IDC_EDIT_SERVER_NAME, server.strServerName);
    SetDlgItemText(IDC_EDIT_SERVER_ADDR, server.strServerAddr);
    SetDlgItemText(IDC_EDIT_SERVER_DOMAIN, server.strServerDomain);
    return true;
}

void CDLGEditServer::OnOK()
{
    OnBnClickedOk();
}

void CDLGEditServer::OnBnClickedOk()
{
    tagServer server;
    server.strServerName = GetDlgItemText(IDC_EDIT_SERVER_NAME);
    server.strServerAddr = GetDlgItemText(IDC_EDIT_SERVER_ADDR);
    server.strServerDomain = GetDlgItemText(IDC_EDIT_SERVER_DOMAIN);
    int index = theApp.m_nEditIndex;
    // An index that names no entry cannot come from the list page; adding is the harmless reading of it.
    if (IsValidIndex(index))
        theApp.m_ServerArray[size_t(index)] = server;
    else
        theApp.m_ServerArray.push_back(server);
    CDialogEx::OnOK();
}

void CDLGEditServer::OnBnClickedCancel()
{
    EndDialog(IDCANCEL);
}
