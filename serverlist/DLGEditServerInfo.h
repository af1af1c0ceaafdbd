#pragma once

#include "framework/DialogEx.h"
#include "framework/ListBox.h"
#include "serverlist/DLGEditServer.h"

#include <string>

// The server list page: shows the application's server array by name, line i for element i, and offers
// the commands that load, reorder, add, edit, delete and save its entries.
class CDLGEditServerInfo : public CPropertyPage
{
public:
    CDLGEditServerInfo();

    bool OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;

    // Rebuilds the list from the array; afterwards no line is selected.
    void RefreshServerList();

    void OnSave();
    void OnMoveUp();
    void OnMoveDown();
    void OnLoadLocal();
    void OnLoadChosen();
    void OnAdd();
    void OnEdit();
    void OnListDoubleClick();
    void OnDelete();

    CListBox m_ServerListBox;
    CDLGEditServer m_dlgEditServer;
    // The file loaded last, which Save writes; empty until one is found or chosen.
    std::u16string m_szIniPath;

protected:
    MessageMap GetMessageMap() override;

private:
    void LoadFrom(const std::u16string& path);
    // Runs the entry dialog for the given index and rebuilds the list when it was confirmed.
    void RunEntryDialog(int editIndex);
    void SwapAndSelect(int first, int selectAfter);
    bool ChooseSavePath();
};
