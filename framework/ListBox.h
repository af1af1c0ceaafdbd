#pragma once

#include "framework/Wnd.h"

#include <string>

constexpr int LB_ERR = -1;

// A single-selection list box bound to its control; lines are placed by position, never sorted.
class CListBox : public CWnd
{
public:
    void Bind(QWidget* control);
    void ResetContent();
    int InsertString(int index, const std::u16string& text);
    int DeleteString(int index);
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);

private:
    class QListWidget* List() const;
};
