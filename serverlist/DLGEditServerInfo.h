#pragma once

#include "framework/DialogEx.h"
#include "framework/ListBox.h"
#include "serverlist/DLGEditServer.h"

#include <functional>
#include <string>

// The server list page: shows the application's server array by name, line i for element i, and offers
// the commands that load, reorder, add, edit, delete and save its entries.
class CDLGEditServerInfo : public CPropertyPage
{
public:
    CDLGEditServerInfo();

    bool OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;

    // Told the current file on start and whenever it changes (empty: none), so that the window can show
    // which file Save writes. Set it before the page is created.
    void SetCurrentFileHandler(std::function<void(const std::u16string&)> handler);

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
    // The option of the load that filled the list (0: none yet), which the options show after a load
    // that did not happen.
    int m_nLoadedOption = 0;

protected:
    MessageMap GetMessageMap() override;

private:
    void LoadFrom(const std::u16string& path, int option);
    void ShowLoadedOption();
    void ShowCurrentFile();
    // Runs the entry dialog for the given index and rebuilds the list when it was confirmed.
    void RunEntryDialog(int editIndex);
    void SwapAndSelect(int first, int selectAfter);
    bool ChooseSavePath();

    std::function<void(const std::u16string&)> m_onCurrentFile;
};
