#include "framework/ListBox.h"

#include "framework/win32/Win32Text.h"
#include "framework/win32/Win32Window.h"

namespace {

LRESULT Send(const CWnd& list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    HWND hwnd = HwndOf(list.GetSafeHwnd());
    return hwnd ? ::SendMessageW(hwnd, message, wParam, lParam) : LB_ERR;
}

} // namespace

void CListBox::Bind(HWINDOW control)
{
    Attach(control);
}

void CListBox::ResetContent()
{
    Send(*this, LB_RESETCONTENT);
}

int CListBox::InsertString(int index, const std::u16string& text)
{
    std::wstring wide = ToWide(text);
    return static_cast<int>(Send(*this, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(wide.c_str())));
}

int CListBox::DeleteString(int index)
{
    return static_cast<int>(Send(*this, LB_DELETESTRING, index));
}

int CListBox::GetCount() const
{
    LRESULT count = Send(*this, LB_GETCOUNT);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int CListBox::GetCurSel() const
{
    return static_cast<int>(Send(*this, LB_GETCURSEL));
}

int CListBox::SetCurSel(int index)
{
    return static_cast<int>(Send(*this, LB_SETCURSEL, index));
}
