#pragma once

#include "framework/Wnd.h"

#include <string>

#ifndef LB_ERR
constexpr int LB_ERR = -1;
#endif

// A single-selection list box bound to its control; lines are placed by position, never sorted.
class CListBox : public CWnd
{
public:
    void Bind(HWINDOW control);
    void ResetContent();
    int InsertString(int index, const std::u16string& text);
    int DeleteString(int index);
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
};
