#pragma once

#include "create/DLGCreate.h"
#include "encrypt/DLGEncrypt.h"
#include "framework/DialogEx.h"
#include "framework/Icon.h"
#include "framework/TabCtrl.h"
#include "serverlist/DLGEditServerInfo.h"

// The main window: a tab control over its whole client area, one page per tab.
class CKorvaneDlg : public CDialogEx
{
public:
    CKorvaneDlg();

    bool OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;
    void OnTabSelChange();

    // The rectangle the pages take inside the tab control, in its client coordinates.
    static CRect PageRect(const CRect& tabClient);

    IconHandle m_hIcon;
    CDLGEncrypt m_pageEncrypt;
    CDLGCreate m_pageCreate;
    CDLGEditServerInfo m_pageServerList;
    CTabCtrl m_tabMain;

protected:
    MessageMap GetMessageMap() override;

private:
    void ShowOnlyPage(int index);
    // The title names the file that the server list page saves to, when it has one.
    void ShowServerListFile(const std::u16string& path);

    std::u16string m_strTitle; // the template's caption
};
