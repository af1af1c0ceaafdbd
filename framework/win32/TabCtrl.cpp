#include "framework/TabCtrl.h"

#include "framework/win32/Win32Text.h"
#include "framework/win32/Win32Window.h"

void CTabCtrl::Bind(HWINDOW control)
{
    Attach(control);
}

int CTabCtrl::InsertItem(int index, const std::u16string& text)
{
    HWND tabs = HwndOf(GetSafeHwnd());
    if (!tabs)
        return -1;
    std::wstring wide = ToWide(text);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    return static_cast<int>(::SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)));
}

int CTabCtrl::GetCurSel() const
{
    HWND tabs = HwndOf(GetSafeHwnd());
    return tabs ? static_cast<int>(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) : -1;
}

int CTabCtrl::SetCurSel(int index)
{
    // Selecting by program raises no notification: the control sends none for TCM_SETCURSEL.
    HWND tabs = HwndOf(GetSafeHwnd());
    return tabs ? static_cast<int>(::SendMessageW(tabs, TCM_SETCURSEL, index, 0)) : -1;
}
