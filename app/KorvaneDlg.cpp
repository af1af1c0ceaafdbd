#include "app/KorvaneDlg.h"

#include "res/AppIcon.h"
#include "res/Resource.h"

CKorvaneDlg::CKorvaneDlg() : CDialogEx(IDD_KORVANE_DIALOG), m_hIcon(LoadAppIcon()) {}

MessageMap CKorvaneDlg::GetMessageMap()
{
    return {{IDC_TAB_MAIN, TCN_SELCHANGE, [this] { OnTabSelChange(); }}};
}

void CKorvaneDlg::DoDataExchange(bool)
{
    m_tabMain.Bind(GetDlgItem(IDC_TAB_MAIN));
}

bool CKorvaneDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetIcon(m_hIcon);

    m_tabMain.InsertItem(0, u"加密解密工具");
    m_tabMain.InsertItem(1, u"脚本创建工具");
    m_tabMain.InsertItem(2, u"ServerInfo.ini 编辑器");

    m_strTitle = GetWindowText();
    m_pageServerList.SetCurrentFileHandler([this](const std::u16string& path) { ShowServerListFile(path); });

    // Each page's initialisation runs during its creation, in this order.
    m_pageEncrypt.Create(IDD_DLG_ENCRYPT, &m_tabMain);
    m_pageCreate.Create(IDD_DLG_CREATE, &m_tabMain);
    m_pageServerList.Create(IDD_DLG_EDIT_SERVERINFO, &m_tabMain);

    CRect client;
    m_tabMain.GetClientRect(&client);
    CRect page = PageRect(client);
    m_pageEncrypt.MoveWindow(page, true);
    m_pageCreate.MoveWindow(page, true);
    m_pageServerList.MoveWindow(page, true);

    m_pageEncrypt.ShowWindow(SW_SHOWNORMAL);
    m_tabMain.SetCurSel(0);
    return true;
}

CRect CKorvaneDlg::PageRect(const CRect& tabClient)
{
    // 22 pixels leave room for the tab strip, whatever its actual height.
    return CRect{tabClient.left + 1, tabClient.top + 22, tabClient.right - 3, tabClient.bottom - 2};
}

void CKorvaneDlg::ShowServerListFile(const std::u16string& path)
{
    SetWindowText(path.empty() ? m_strTitle : m_strTitle + u" — " + path);
}

void CKorvaneDlg::OnTabSelChange()
{
    ShowOnlyPage(m_tabMain.GetCurSel());
}

void CKorvaneDlg::ShowOnlyPage(int index)
{
    if (index < 0 || index > 2)
        return;
    m_pageEncrypt.ShowWindow(index == 0 ? SW_SHOW : SW_HIDE);
    m_pageCreate.ShowWindow(index == 1 ? SW_SHOW : SW_HIDE);
    m_pageServerList.ShowWindow(index == 2 ? SW_SHOW : SW_HIDE);
}
