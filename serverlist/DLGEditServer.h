#pragma once

#include "framework/DialogEx.h"

// The server entry dialog: edits one entry of the application's server array in place. Which entry is
// chosen by the application's edit index: -1 adds a new entry, a valid index replaces that entry.
class CDLGEditServer : public CDialogEx
{
public:
    CDLGEditServer();

    bool OnInitDialog() override;
    // Enter confirms the way "确定" does, so a confirmed dialog has always stored its fields.
    void OnOK() override;
    void OnBnClickedOk();
    void OnBnClickedCancel();

protected:
    MessageMap GetMessageMap() override;
};
