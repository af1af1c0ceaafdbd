#pragma once

// <windows.h> for the window framework. Its A/W macros would rename CWnd's members of the same names
// (PostMessage, GetWindowText, ...) in the files that include it; they are undone here, and the framework
// calls the wide functions by their W names.

#include "framework/Icon.h"
#include "framework/Wnd.h"

#include <string>
#include <windows.h>
#include <commctrl.h>

#undef PostMessage
#undef GetWindowText
#undef SetWindowText
#undef GetDlgItemText
#undef SetDlgItemText

// A window of the Win32 platform is its handle: the opaque handle is the same pointer.
inline HWND HwndOf(HWINDOW window)
{
    return reinterpret_cast<HWND>(window);
}

inline HWINDOW HandleOf(HWND hwnd)
{
    return reinterpret_cast<HWINDOW>(hwnd);
}

// The window's class name ("Edit", "#32770", ...), empty for no window.
std::wstring WindowClassOf(HWND hwnd);
// Whether the window is of that class; class names compare without regard to case, as Windows does.
bool IsWindowOfClass(HWND hwnd, const wchar_t* className);

struct tagWndImpl
{
    HWND hWnd = nullptr;
    bool bModal = false;     // a dialog run by DoModal, which EndDialog ends
    IconHandle icon;         // drawn by the minimised main window
    HWND hToolTip = nullptr; // the hints of the window's controls, made with the first one
};

struct tagIcon
{
    HICON hIcon = nullptr;      // the system's large icon size
    HICON hSmallIcon = nullptr; // the small one, for the caption and the task bar
};

// The text of a window or control.
std::u16string WindowTextOf(HWND hwnd);

// The hint of a control in the window's tooltip; empty when it has none.
std::u16string ToolTipTextOf(HWND toolTip, HWND owner, HWND control);
