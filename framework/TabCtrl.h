#pragma once

#include "framework/Wnd.h"

#include <string>

// The tab control as the main window sees it: bound to its control identifier.
class CTabCtrl : public CWnd
{
public:
    void Bind(HWINDOW control);
    int InsertItem(int index, const std::u16string& text);
    int GetCurSel() const;
    int SetCurSel(int index);
};
